#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace tarvello {

// Qt's folder and file dialogs and message box, modal to the given window.
class QtDialogs final : public Dialogs {
public:
    // The window the dialogs are modal to; it exists only after the
    // services it is built with, so it is set afterwards.
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::string pickFolder(const std::string& prompt) override;
    std::vector<std::string> pickFiles(const std::string& title) override;
    void showMessage(const std::string& text) override;
    void showReport(const std::string& text, const std::string& details) override;
    bool ask(const std::string& question) override;
    std::string pickFileToWrite(const std::string& title) override;

private:
    QWidget* owner_ = nullptr;
};

}  // namespace tarvello
