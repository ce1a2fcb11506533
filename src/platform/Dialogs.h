#pragma once

#include <string>

namespace tarvello {

// The modal questions and messages the program puts to the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Lets the user choose an existing folder; the empty text on cancel.
    virtual std::string pickFolder(const std::string& prompt) = 0;

    // A message with an OK button only; returns when the user closes it.
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace tarvello
