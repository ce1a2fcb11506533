#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace tarvello {

// Qt's folder dialog and message box, modal to the given window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::string pickFolder(const std::string& prompt) override;
    void showMessage(const std::string& text) override;

private:
    QWidget* owner_;
};

}  // namespace tarvello
