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

    std::string pickFolder(const std::string& prompt) override {
        prompts.push_back(prompt);
        if (folders_.empty()) {
            ADD_FAILURE() << "unscripted folder question: " << prompt;
            return {};
        }
        std::string answer = std::move(folders_.front());
        folders_.pop_front();
        return answer;
    }

    std::vector<std::string> pickFiles(const std::string& title) override {
        prompts.push_back(title);
        if (files_.empty()) {
            ADD_FAILURE() << "unscripted file question: " << title;
            return {};
        }
        std::vector<std::string> answer = std::move(files_.front());
        files_.pop_front();
        return answer;
    }

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (onMessage)
            onMessage(text);
    }

    std::size_t unansweredFolders() const { return folders_.size(); }

    std::vector<std::string> prompts;
    std::vector<std::string> messages;
    std::function<void(const std::string&)> onMessage;  // runs while the "box" is open

private:
    std::deque<std::string> folders_;
    std::deque<std::vector<std::string>> files_;
};

}  // namespace tarvello::test
