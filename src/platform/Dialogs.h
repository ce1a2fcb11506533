#pragma once

#include <string>
#include <vector>

namespace tarvello {

// The modal questions and messages the program puts to the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Lets the user choose an existing folder; the empty text on cancel.
    virtual std::string pickFolder(const std::string& prompt) = 0;

    // Lets the user choose one or more existing files, in the order the
    // dialog lists them; none on cancel.
    virtual std::vector<std::string> pickFiles(const std::string& title) = 0;

    // A message with an OK button only; returns when the user closes it.
    virtual void showMessage(const std::string& text) = 0;

    // The same, with `details` to scroll through on demand.
    virtual void showReport(const std::string& text, const std::string& details) = 0;

    // A question with Yes and No, No the default; true for Yes.
    virtual bool ask(const std::string& question) = 0;

    // Lets the user name a file to write, existing or not; the empty text
    // on cancel.
    virtual std::string pickFileToWrite(const std::string& title) = 0;
};

}  // namespace tarvello
