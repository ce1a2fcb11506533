#pragma once

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tarvello::test {

// Answers folder and file questions from a script and records every message. A
// question nobody scripted fails the test instead of blocking the run.
class ScriptedDialogs final : public Dialogs {
public:
    void answerFolder(std::string folder) { folders_.push_back(std::move(folder)); }
    void answerFiles(std::vector<std::string> files) { files_.push_back(std::move(files)); }
    void answerQuestion(bool yes) { questions_.push_back(yes); }
    void answerFileToWrite(std::string file) { filesToWrite_.push_back(std::move(file)); }

    std::string pickFolder(const std::string& prompt) override { return next(folders_, prompt); }
    std::vector<std::string> pickFiles(const std::string& title) override { return next(files_, title); }

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (onMessage)
            onMessage(text);
    }
    void showReport(const std::string& text, const std::string& details) override {
        showMessage(text);
        reportDetails.push_back(details);
    }
    bool ask(const std::string& question) override { return next(questions_, question); }
    std::string pickFileToWrite(const std::string& title) override { return next(filesToWrite_, title); }

    std::vector<std::string> prompts;
    std::vector<std::string> messages;
    std::vector<std::string> reportDetails;
    std::function<void(const std::string&)> onMessage;  // runs while the "box" is open

private:
    template <typename Answer>
    Answer next(std::deque<Answer>& answers, const std::string& prompt) {
        prompts.push_back(prompt);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << prompt;
            return {};
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> folders_;
    std::deque<std::vector<std::string>> files_;
    std::deque<bool> questions_;
    std::deque<std::string> filesToWrite_;
};

}  // namespace tarvello::test
