#pragma once

#include "app/WindowOptions.h"
#include "platform/Dialogs.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tarvello {

// Puts the window's options before the user.
class OptionsEditor {
public:
    virtual ~OptionsEditor() = default;
    // True, with `options` as the user left them, on OK.
    virtual bool edit(WindowOptions& options) = 0;
};

// The "Options" dialog: how much to copy, which files, the refresh and the
// playlist, with OK and Cancel.
class OptionsDialog final : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const WindowOptions& options, Dialogs& dialogs, QWidget* parent = nullptr);

    // The options as the controls stand.
    WindowOptions options() const;

private:
    void pickPlaylist();
    void updateControls();

    Dialogs& dialogs_;
    std::string playlist_;  // its bytes; the field only shows them
    QRadioButton* byCount_;
    QRadioButton* bySize_;
    QRadioButton* byFree_;
    QLineEdit* size_;
    QLineEdit* extensions_;
    QCheckBox* perFolder_;
    QCheckBox* skipExisting_;
    QCheckBox* distinctNames_;
    QCheckBox* refresh_;
    QCheckBox* orderByName_;
    QSpinBox* avoidRecent_;
    QCheckBox* writePlaylist_;
    QLineEdit* playlistShown_;
    QDialogButtonBox* buttons_;
};

// Opens the dialog modal to the window.
class QtOptionsEditor final : public OptionsEditor {
public:
    QtOptionsEditor(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}
    // The window the dialog is modal to, which exists only after this.
    void setOwner(QWidget* owner) { owner_ = owner; }
    bool edit(WindowOptions& options) override;

private:
    Dialogs& dialogs_;
    QWidget* owner_;
};

}  // namespace tarvello
