#include "app/Form1.h"

#include "run/CountText.h"
#include "app/DroppedFiles.h"
#include "app/HandCursor.h"
#include "app/ListViewModel.h"
#include "app/PercentProgressBar.h"
#include "app/Startup.h"
#include "app/SummaryDelegate.h"
#include "app/SummaryViewModel.h"
#include "lists/ListFile.h"
#include "lists/PathText.h"
#include "plan/BuildPlan.h"
#include "platform/PathSeparator.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include <cmath>

namespace tarvello {
namespace {

// The layout is given in twips; at 96 dots per inch a pixel is 15 of them.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kColumnTwips = 6800;
constexpr char kHoverProperty[] = "hoverPointer";
constexpr char kListTip[] =
    "Double-click item to remove it. Move bar to right and out of window to reveal full names.";
constexpr char kPickPrompt[] = "Please select folder to add:";
constexpr char kLoadTitle[] = "Add File(s) - Hold Ctrl to select multiple files";
constexpr char kLoadDestinationsNotice[] = "Load a list of destination folders from a text file.";
constexpr char kStaleRecord[] =
    "Another run has changed the copies in a destination since this plan was drawn. The Summary "
    "was drawn anew; press Start to copy it.";
// More removals than this are asked about first.
constexpr std::size_t kRemovalsAsked = 10;
// Screen rows in pixels: moving an entry above the first scrolls the list
// up, below the second scrolls it down.
constexpr int kUpperScrollRow = 305;
constexpr int kLowerScrollRow = 364;

int Px(int twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect TwipRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

QFont ArialBold(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QPalette WhiteBackground(QPalette palette) {
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, Qt::white);
    return palette;
}

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

}  // namespace

Form1::Form1(FormServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      services_(std::move(services)),
      session_(services_.fileSystem, services_.events, services_.clock, *this) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(Px(7695), Px(8805));
    setAutoFillBackground(true);
    setPalette(WhiteBackground(palette()));
    QPixmap blank(32, 32);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setMouseTracking(true);

    createControls();
    arrangeTabOrder();
    connectHandlers();
    Form_Load();
}

// The views read lists that are members of this class, which are gone by
// the time QWidget deletes its children: the views go first.
Form1::~Form1() {
    delete ListView1;
    delete ListView2;
    delete ListView3;
}

void Form1::createControls() {
    const QFont listFont = ArialBold(9);
    const QFont buttonFont = ArialBold(11.25);

    auto makeList = [&](const char* name, ListViewModel* model, const QRect& geometry) {
        auto* view = Place(new QTreeView(this), name, geometry);
        view->setModel(model);
        view->setRootIsDecorated(false);
        view->setItemsExpandable(false);
        view->setUniformRowHeights(true);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setFont(listFont);
        view->setToolTip(QString::fromLatin1(kListTip));
        view->header()->setStretchLastSection(false);
        view->header()->resizeSection(0, Px(kColumnTwips));
        view->viewport()->setMouseTracking(true);
        view->viewport()->setProperty(kHoverProperty, kPointerDefault);
        view->viewport()->installEventFilter(this);
        return view;
    };
    auto makeButton = [&](const char* name, const char* caption, const QRect& geometry) {
        auto* button = Place(new QPushButton(QString::fromUtf8(caption), this), name, geometry);
        button->setCheckable(true);
        button->setFont(buttonFont);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setMouseTracking(true);
        button->setProperty(kHoverProperty, kPointerHand);
        button->installEventFilter(this);
        return button;
    };

    sourceModel_ = new ListViewModel(sources_, QStringLiteral(" Source Folder(s)"), this);
    ListView1 = makeList("ListView1", sourceModel_, TwipRect(120, 120, 7455, 1455));
    // Entries move by the list's own mouse handlers, never by a platform
    // drag; files dropped from the file manager are taken at any time.
    ListView1->setDragEnabled(false);
    ListView1->setAutoScroll(false);
    ListView1->setAcceptDrops(true);
    ListView1->viewport()->setAcceptDrops(true);
    Check8 = makeButton("Check8", "Add Folder(s)", TwipRect(120, 1680, 1695, 400));
    Check6 = makeButton("Check6", "Add All Subfolders In Folder", TwipRect(1920, 1680, 3135, 400));
    Check1 = makeButton("Check1", "Load", TwipRect(5160, 1680, 855, 400));
    Check4 = makeButton("Check4", "Clear List", TwipRect(6120, 1680, 1455, 400));

    destinationModel_ = new ListViewModel(destinations_, QStringLiteral(" Destination Folder(s):"), this);
    ListView2 = makeList("ListView2", destinationModel_, TwipRect(120, 2160, 7455, 1455));
    Check3 = makeButton("Check3", "Add Folder(s)", TwipRect(120, 3720, 1695, 400));
    Check5 = makeButton("Check5", "Add All Subfolders In Folder", TwipRect(1920, 3720, 3135, 400));
    Check10 = makeButton("Check10", "Load", TwipRect(5160, 3720, 855, 400));
    Check7 = makeButton("Check7", "Clear List", TwipRect(6120, 3720, 1455, 400));

    Label1 = Place(new QLabel(QStringLiteral("Number of files to copy from Source to Destination:"), this),
                   "Label1", TwipRect(240, 4320, 4455, 255));
    Label1->setFont(listFont);
    Text1 = Place(new QLineEdit(QStringLiteral("Text1"), this), "Text1", TwipRect(4680, 4270, 975, 330));
    Text1->setFont(listFont);
    Text1->installEventFilter(this);
    Check13 = makeButton("Check13", "Options\u2026", TwipRect(5760, 4230, 1815, 400));
    Check11 = Place(new QCheckBox(QStringLiteral("Allow same file to be copied more than once"), this),
                    "Check11", TwipRect(240, 4680, 4095, 255));
    Check11->setFont(listFont);
    Check11->setFocusPolicy(Qt::StrongFocus);
    Label2 = Place(new QLabel(this), "Label2", TwipRect(4400, 4680, 3175, 255));
    Label2->setFont(listFont);

    summaryModel_ = new SummaryViewModel(summary_, QStringLiteral(" Summary:"), this);
    ListView3 = makeList("ListView3", summaryModel_, TwipRect(120, 5040, 7455, 2655));
    // The column starts inside the list, so a line shortened to it shows
    // both ends; a column dragged wider shows more of both.
    ListView3->setItemDelegate(new SummaryDelegate(ListView3));
    Check12 = makeButton("Check12", "Randomly Generate Again", TwipRect(120, 7800, 3495, 400));
    Check2 = makeButton("Check2", "Start", TwipRect(3720, 7800, 2295, 400));
    Check9 = makeButton("Check9", "Clear List", TwipRect(6120, 7800, 1455, 400));

    ProgressBar1 = Place(new PercentProgressBar(this), "ProgressBar1", TwipRect(120, 8330, 7455, 375));
    Command1 = Place(new QPushButton(QStringLiteral("Command1"), this), "Command1",
                     TwipRect(-720, 2640, 615, 495));
    Command1->setFocusPolicy(Qt::StrongFocus);
}

void Form1::arrangeTabOrder() {
    const QWidget* order[] = {Command1, Check2, Check3, Check5, ListView2, ListView3,
                              Check7,   Check9, Check10, Check1, Check4,   Check6,
                              Check8,   ListView1, Text1, Check13, Check11, Check12};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
}

void Form1::connectHandlers() {
    onPress(Check8, &Form1::Check8_Click);
    onPress(Check3, &Form1::Check3_Click);
    onPress(Check4, &Form1::Check4_Click);
    onPress(Check7, &Form1::Check7_Click);
    onPress(Check9, &Form1::Check9_Click);
    onPress(Check12, &Form1::Check12_Click);
    onPress(Check13, &Form1::Check13_Click);
    onPress(Check2, &Form1::Check2_Click);
    onPress(Check6, &Form1::Check6_Click);
    onPress(Check5, &Form1::Check5_Click);
    onPress(Check1, &Form1::Check1_Click);
    onPress(Check10, &Form1::Check10_Click);
    connect(Check11, &QCheckBox::toggled, this, &Form1::Check11_Click);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(ListView1, &QTreeView::doubleClicked, this, &Form1::ListView1_DblClick);
    connect(ListView2, &QTreeView::doubleClicked, this, &Form1::ListView2_DblClick);
    // An entry is picked up by the very press that drags it.
    connect(ListView1, &QTreeView::pressed, this, &Form1::ListView1_ItemClick);
}

void Form1::onPress(QPushButton* button, void (Form1::*action)()) {
    connect(button, &QPushButton::toggled, this, [this, button, action] {
        if (!button->isChecked())
            return;
        button->setChecked(false);  // springs back; the nested call finds it up
        (this->*action)();
    });
}

// ---- start-up and shutdown ----

void Form1::Form_Load() {
    CenterForm();
    setWindowTitle(QStringLiteral("Tarvello"));
    handCursor_ = LoadHandCursor(services_.fileSystem);
    dragCursor_ = LoadDragCursor(services_.fileSystem);
    SeedGenerator(services_.random, services_.clock, services_.launcher, services_.siteAddress);
    Text1->setText(QString::fromStdString(LoadCount(services_.settings)));
    options_ = LoadWindowOptions(services_.settings);
    ShowOptionsLine();
    ProgressBar1->setPalette(WhiteBackground(ProgressBar1->palette()));
    ProgressBar1->setAutoFillBackground(true);
    Command1->setFocus();
}

void Form1::CenterForm() {
    const QScreen* display = screen();
    if (!display)
        return;
    const QRect area = display->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload() { services_.programEnd.endProgram(); }

// ---- the count ----

void Form1::Text1_Change() {
    if (SaveCountIfPositive(services_.settings, Text1->text().toStdString()))
        RegeneratePlan();
}

void Form1::Text1_Validate() {
    if (ReadCount(Text1->text().toStdString()) == 0.0)
        Text1->setText(QStringLiteral("1"));
}

// ---- the path lists ----

void Form1::Check8_Click() { AddPickedFolder(sources_, *sourceModel_); }
void Form1::Check3_Click() { AddPickedFolder(destinations_, *destinationModel_); }

void Form1::AddPickedFolder(PathList& list, ListViewModel& model) {
    const std::string picked = services_.dialogs.pickFolder(kPickPrompt);
    if (!picked.empty()) {
        setPointerState(kPointerBusy);
        model.change([&] { list.append(FolderEntryFromPicked(picked, kNativeSeparator)); });
        setPointerState(kPointerDefault);
    }
    RegeneratePlan();
}

void Form1::Check4_Click() {
    sourceModel_->change([this] { sources_.clear(); });
    sourceListings_.keepOnly(sources_.entries(), kNativeSeparator);
}
void Form1::Check7_Click() { destinationModel_->change([this] { destinations_.clear(); }); }
void Form1::Check9_Click() { summaryModel_->change([this] { summary_.clear(); }); }

void Form1::ListView1_DblClick() {
    RemoveSelectedEntry(*ListView1, sources_, *sourceModel_);
    sourceListings_.keepOnly(sources_.entries(), kNativeSeparator);
}
void Form1::ListView2_DblClick() { RemoveSelectedEntry(*ListView2, destinations_, *destinationModel_); }

void Form1::RemoveSelectedEntry(QTreeView& view, PathList& list, ListViewModel& model) {
    const QModelIndexList selected = view.selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const auto row = static_cast<std::size_t>(selected.first().row());
    model.change([&] { list.removeAt(row); });
}

void Form1::Check6_Click() { AddFolderTree(sources_, *sourceModel_, TreeList::Source); }
void Form1::Check5_Click() { AddFolderTree(destinations_, *destinationModel_, TreeList::Destination); }

// The folder's own entry goes in before the walk and the rest after it; what
// the user does during the walk's yields acts on the list as it stands.
void Form1::AddFolderTree(PathList& list, ListViewModel& model, TreeList which) {
    const std::string picked = services_.dialogs.pickFolder(kPickPrompt);
    if (!picked.empty()) {
        setPointerState(kPointerBusy);
        model.change([&] { list.append(TreeOwnEntry(picked, which, kNativeSeparator)); });
        // Shows the hourglass again after each yield: a handler run meanwhile
        // (a copy run or another walk ending) may have put the pointer back.
        Pacer pace(services_.events, services_.clock, [this] { setPointerState(kPointerBusy); });
        std::vector<std::string> below =
            TreeSubfolderEntries(services_.fileSystem, pace, picked, kNativeSeparator);
        model.change([&] { list.appendAll(std::move(below)); });
        setPointerState(kPointerDefault);
    }
    RegeneratePlan();
}

void Form1::Check1_Click() { LoadListFiles(sources_, *sourceModel_); }

void Form1::Check10_Click() {
    services_.dialogs.showMessage(kLoadDestinationsNotice);
    LoadListFiles(destinations_, *destinationModel_);
}

void Form1::LoadListFiles(PathList& list, ListViewModel& model) {
    for (const std::string& path : services_.dialogs.pickFiles(kLoadTitle)) {
        ListFileRead read = ReadListFile(services_.fileSystem, path);
        const std::string problem = ListFileProblem(read);
        switch (read.status) {
        case ListFileRead::Status::Read:
            model.change([&] { list.appendAll(std::move(read.entries)); });
            break;
        case ListFileRead::Status::BadCharacters:
            services_.dialogs.showMessage(path +
                                          "\n\nwas not added because it has bad characters in the filename.");
            break;
        case ListFileRead::Status::NotFound:
            services_.dialogs.showMessage(problem);
            break;
        case ListFileRead::Status::NotRegularFile:
        case ListFileRead::Status::NotText:
            services_.dialogs.showMessage(path + "\n\nwas not added because it is " + problem + ".");
            break;
        case ListFileRead::Status::Unreadable:
            services_.dialogs.showMessage(path + "\n\nwas not added because it cannot be read: " + problem + ".");
            break;
        }
    }
    RegeneratePlan();
}

// ---- dragging onto and within the source list ----

bool Form1::sourceViewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (ListView1_OLEDragOver(*drag->mimeData()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        ListView1_OLEDragDrop(*drop->mimeData());
        drop->acceptProposedAction();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        ListView1_MouseDown();
        break;
    case QEvent::MouseButtonRelease:
        ListView1_MouseUp();
        break;
    case QEvent::MouseMove:
        ListView1_MouseMove(*static_cast<QMouseEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}

bool Form1::ListView1_OLEDragOver(const QMimeData& offered) const { return !DroppedFiles(offered).empty(); }

void Form1::ListView1_OLEDragDrop(const QMimeData& dropped) {
    std::vector<std::string> files = DroppedFiles(dropped);
    if (!files.empty())
        sourceModel_->change([&] { sources_.appendAll(std::move(files)); });
}

void Form1::ListView1_ItemClick() {
    ListView1->viewport()->setCursor(dragCursor_);
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    DraggedItem = selected.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(selected.first());
}

void Form1::ListView1_MouseDown() { MouseIsDown = true; }

void Form1::ListView1_MouseUp() {
    MouseIsDown = false;
    // Back to the window's own pointer, the hourglass included.
    ListView1->viewport()->unsetCursor();
}

void Form1::ListView1_MouseMove(const QMouseEvent& event) {
    if (!MouseIsDown || !DraggedItem.isValid())
        return;
    const QModelIndex over = ListView1->indexAt(event.position().toPoint());
    if (!over.isValid())
        return;
    const auto from = static_cast<std::size_t>(DraggedItem.row());
    const auto to = static_cast<std::size_t>(over.row());
    if (sources_.at(from) == sources_.at(to))
        return;
    sources_.exchange(from, to);
    sourceModel_->rowsChanged(DraggedItem.row(), over.row());
    ListView1->selectionModel()->setCurrentIndex(over, QItemSelectionModel::ClearAndSelect);
    DraggedItem = over;

    const double screenRow = event.globalPosition().y();
    if (screenRow < kUpperScrollRow && to >= 1)
        ListView1->scrollTo(sourceModel_->index(over.row() - 1));
    else if (screenRow > kLowerScrollRow && to + 1 < sources_.size())
        ListView1->scrollTo(sourceModel_->index(over.row() + 1));
}

// ---- the plan ----

void Form1::Check11_Click() { RegenerateIfReady(); }
void Form1::Check12_Click() { RegenerateIfReady(); }

void Form1::RegenerateIfReady() {
    if (ReadCount(Text1->text().toStdString()) > 0.0)
        RegeneratePlan();
}

void Form1::Check13_Click() {
    WindowOptions edited = options_;
    if (!services_.optionsEditor.edit(edited) || edited == options_)
        return;
    options_ = edited;
    SaveWindowOptions(services_.settings, options_);
    ShowOptionsLine();
    RegenerateIfReady();
}

void Form1::ShowOptionsLine() {
    const QString line = QString::fromStdString(OptionsLine(options_));
    Label2->setToolTip(line);
    Label2->setText(Label2->fontMetrics().elidedText(line, Qt::ElideRight, Label2->width()));
}

RunRequest Form1::DrawRequest() const {
    RunRequest request;
    for (const std::string& entry : sources_.entries())
        request.sources.push_back({EntrySource::Kind::Entry, entry});
    for (const std::string& entry : destinations_.entries())
        request.destinations.push_back({EntrySource::Kind::Entry, entry});
    request.count = ReadCount(Text1->text().toStdString());
    request.allowRepeats = Check11->isChecked();
    request.keepMissingDestinations = true;
    request.lockAtCopy = true;
    ApplyWindowOptions(options_, request);
    return request;
}

// Draws nothing, and leaves the Summary as it is, while either list is empty.
void Form1::RegeneratePlan() {
    if (sources_.empty() || destinations_.empty())
        return;
    heard_.clear();
    DrawnPlan drawn = session_.draw(DrawRequest(), services_.random, &sourceListings_);
    if (drawn.status != DrawnPlan::Status::Drawn) {
        std::string message = drawn.status == DrawnPlan::Status::TooLarge ? PlanTooLargeMessage() : "";
        for (const std::string& line : heard_)
            message += (message.empty() ? "" : "\n\n") + line;
        services_.dialogs.showMessage(message);
        return;
    }
    std::string header = " Summary:";
    if (options_.refresh)
        header += " " + std::to_string(drawn.plan.size() - drawn.kept) + " copies come, " +
                  std::to_string(drawn.kept) + " stay, " + std::to_string(drawn.removals) + " go";
    summaryModel_->setHeader(QString::fromStdString(header));
    summaryModel_->change([&] { summary_.show(std::move(drawn.plan), std::move(drawn.refreshLines)); });
    drawnPlan_ = summary_.plan();
    drawnRemovals_ = drawn.removals;
}

// ---- the copy run ----

// With a record kept, the plan copied is the one the record was read for:
// one drawn since another run changed it is drawn anew first, and after the
// copy the next plan is drawn from the new record.
void Form1::Check2_Click() {
    const bool keepsRecord = DrawRequest().keepsRecord();
    if (keepsRecord && summary_.plan() != drawnPlan_) {
        services_.dialogs.showMessage("No files added.");  // the Summary was cleared
        return;
    }
    if (keepsRecord && !session_.lockForCopy()) {
        services_.dialogs.showMessage(heard_.empty() ? kStaleRecord : heard_.back());
        return;
    }
    if (keepsRecord && session_.recordsChanged()) {
        RegeneratePlan();
        services_.dialogs.showMessage(kStaleRecord);
        return;
    }
    if (keepsRecord && drawnRemovals_ > kRemovalsAsked &&
        !services_.dialogs.ask("Start will remove " + std::to_string(drawnRemovals_) +
                               " copies that an earlier run made. Go on?"))
        return;
    copying_ = summary_.plan();
    failures_.clear();
    const std::optional<CopiedPlan> copied = session_.copy(copying_, *this);
    if (!copied)
        return;
    if (options_.anyOn())
        ReportRun(*copied);
    if (keepsRecord)
        RegeneratePlan();
}

// The counts, the problems the run named, and every failure to scroll through.
void Form1::ReportRun(const CopiedPlan& copied) {
    std::string text = "Done.\n\n" + CountsLine(copied) + ".";
    for (const std::string& line : heard_)
        text += "\n\n" + line;
    if (const std::string note = copied.report.replacedNote("the Summary"); !note.empty())
        text += "\n\n" + note;
    std::string details;
    for (const std::string& failure : failures_)
        details += failure + "\n";
    services_.dialogs.showReport(text, details);
}

void Form1::setProgress(double percent) { ProgressBar1->setPercent(percent); }
void Form1::setBusy(bool busy) { setPointerState(busy ? kPointerBusy : kPointerDefault); }

// The bar moves inside a large file, from the mark before its entry to the
// entry's own.
void Form1::entryProgress(std::size_t index, std::size_t total, std::uint64_t bytesDone) {
    if (index != sizedEntry_ || sizedBytes_ == 0) {
        sizedEntry_ = index;
        sizedBytes_ = services_.fileSystem.fileSize(copying_->entry(index).source).value_or(0);
    }
    const double share = sizedBytes_ > 0 ? std::min(1.0, static_cast<double>(bytesDone) / sizedBytes_) : 0.0;
    ProgressBar1->setPercent((static_cast<double>(index) + share) / static_cast<double>(total) * 100.0);
}

void Form1::entryDone(std::size_t index, std::size_t total, const PlanEntry& entry, const CopyOutcome& outcome) {
    ProgressBar1->setPercent(static_cast<double>(index + 1) / static_cast<double>(total) * 100.0);
    sizedBytes_ = 0;
    if (outcome.status != CopyOutcome::Status::Copied)
        failures_.push_back(entry.source + " -> " + entry.target + ": " + outcome.reason);
}

// With the options off the run closes as it always has; with them on, the
// message waits for the refresh's counts and the playlist.
void Form1::finished(const CopyReport& report) {
    if (!options_.anyOn())
        services_.dialogs.showMessage(report.message());
}

void Form1::problem(const std::string& line) { heard_.push_back(line); }
void Form1::notice(const std::string& line) { heard_.push_back(line); }

// ---- pointer feedback ----

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched->parent() == ListView1 && sourceViewportEvent(event))
        return true;
    if (event->type() == QEvent::MouseMove) {
        const QVariant hover = watched->property(kHoverProperty);
        if (hover.isValid())
            applyHover(hover.toInt());
    } else if (watched == Text1 && event->type() == QEvent::FocusOut) {
        // Only a move to another control of this window validates, not a
        // dialog or another application taking the focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text1_Validate();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    // Moves over a control that ignores them reach the window too; only the
    // bare background counts as the window's own.
    if (!childAt(event->position().toPoint()))
        applyHover(kPointerDefault);
    QWidget::mouseMoveEvent(event);
}

void Form1::applyHover(int pointer) {
    if (pointerState_ != kPointerBusy)
        setPointerState(pointer);
}

void Form1::setPointerState(int pointer) {
    pointerState_ = pointer;
    switch (pointer) {
    case kPointerBusy:
        setCursor(Qt::WaitCursor);
        break;
    case kPointerHand:
        setCursor(handCursor_);
        break;
    default:
        setCursor(Qt::ArrowCursor);
    }
}

}  // namespace tarvello
