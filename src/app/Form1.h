#pragma once

#include "app/FormServices.h"
#include "app/SummaryRows.h"
#include "lists/FolderTree.h"
#include "lists/PathList.h"
#include "plan/ListingCache.h"
#include "run/Session.h"

#include <QCursor>
#include <QPersistentModelIndex>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QTreeView;

namespace tarvello {

class ListViewModel;
class PercentProgressBar;

// The window-wide pointer: the arrow, the hourglass while busy, the hand
// over buttons.
enum PointerState { kPointerDefault = 0, kPointerBusy = 11, kPointerHand = 99 };

// The one main window. Its handlers read the controls, call the logic and
// show the result. Its draws raise no problem of a session's beyond the
// one it words itself, a plan too large, so it hears none.
class Form1 final : public QWidget, private CopyRunObserver, private SessionObserver {
    Q_OBJECT
public:
    explicit Form1(FormServices services, QWidget* parent = nullptr);
    ~Form1() override;

    int pointerState() const { return pointerState_; }
    const PathList& sourceList() const { return sources_; }
    const PathList& destinationList() const { return destinations_; }
    const Plan& summary() const { return *summary_.plan(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void arrangeTabOrder();
    void connectHandlers();

    void Form_Load();
    void CenterForm();
    void Form_Unload();

    void Text1_Change();
    void Text1_Validate();

    void Check8_Click();   // "Add Folder(s)", source
    void Check3_Click();   // "Add Folder(s)", destination
    void Check4_Click();   // "Clear List", source
    void Check7_Click();   // "Clear List", destination
    void Check9_Click();   // "Clear List", Summary
    void Check11_Click();  // "Allow same file to be copied more than once"
    void Check12_Click();  // "Randomly Generate Again"
    void Check2_Click();   // "Start"
    void ListView1_DblClick();
    void ListView2_DblClick();
    void Check6_Click();   // "Add All Subfolders In Folder", source
    void Check5_Click();   // "Add All Subfolders In Folder", destination
    void Check1_Click();   // "Load", source
    void Check10_Click();  // "Load", destination

    // Files dropped from the file manager, and entries moved by dragging.
    bool ListView1_OLEDragOver(const QMimeData& offered) const;
    void ListView1_OLEDragDrop(const QMimeData& dropped);
    void ListView1_ItemClick();
    void ListView1_MouseDown();
    void ListView1_MouseUp();
    void ListView1_MouseMove(const QMouseEvent& event);
    bool sourceViewportEvent(QEvent* event);

    void RegeneratePlan();
    void RegenerateIfReady();
    void AddPickedFolder(PathList& list, ListViewModel& model);
    void RemoveSelectedEntry(QTreeView& view, PathList& list, ListViewModel& model);
    void AddFolderTree(PathList& list, ListViewModel& model, TreeList which);
    void LoadListFiles(PathList& list, ListViewModel& model);

    // The press idiom: a button acts when pressed down and springs back.
    void onPress(QPushButton* button, void (Form1::*action)());
    void applyHover(int pointer);
    void setPointerState(int pointer);

    void setProgress(double percent) override;
    void setBusy(bool busy) override;
    void finished(const CopyReport& report) override;

    FormServices services_;
    PathList sources_;
    PathList destinations_;
    ListingCache sourceListings_;  // the source folders as last listed
    SummaryRows summary_;
    Session session_;
    QCursor handCursor_;
    QCursor dragCursor_;
    bool MouseIsDown = false;
    QPersistentModelIndex DraggedItem;  // forgotten when its entry goes
    int pointerState_ = kPointerDefault;

    ListViewModel* sourceModel_ = nullptr;
    ListViewModel* destinationModel_ = nullptr;
    ListViewModel* summaryModel_ = nullptr;

    QTreeView* ListView1 = nullptr;
    QTreeView* ListView2 = nullptr;
    QTreeView* ListView3 = nullptr;
    QPushButton* Check1 = nullptr;
    QPushButton* Check2 = nullptr;
    QPushButton* Check3 = nullptr;
    QPushButton* Check4 = nullptr;
    QPushButton* Check5 = nullptr;
    QPushButton* Check6 = nullptr;
    QPushButton* Check7 = nullptr;
    QPushButton* Check8 = nullptr;
    QPushButton* Check9 = nullptr;
    QPushButton* Check10 = nullptr;
    QPushButton* Check12 = nullptr;
    QCheckBox* Check11 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    PercentProgressBar* ProgressBar1 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace tarvello
