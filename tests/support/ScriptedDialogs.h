#pragma once
// A Dialogs fake: records every text shown and answers from queues (Yes and Retry when empty).
#include "app/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace z7::test {

class ScriptedDialogs : public Dialogs {
public:
    std::vector<std::string> shown;  // "error: ...", "confirm: ...", ...
    std::deque<bool> confirmAnswers;
    std::deque<AbortRetry> abortRetryAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    int beeps = 0;

    void error(const std::string& text) override { shown.push_back("error: " + text); }
    bool confirm(const std::string& text) override {
        shown.push_back("confirm: " + text);
        if (confirmAnswers.empty()) return true;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    void warning(const std::string& text) override { shown.push_back("warning: " + text); }
    AbortRetry abortRetry(const std::string& text) override {
        shown.push_back("abortRetry: " + text);
        if (abortRetryAnswers.empty()) return AbortRetry::Retry;
        const AbortRetry answer = abortRetryAnswers.front();
        abortRetryAnswers.pop_front();
        return answer;
    }
    void message(const std::string& text) override { shown.push_back("message: " + text); }
    void beep() override { ++beeps; }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return nextFile(); }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&) override {
        return nextFile();
    }

private:
    std::optional<std::string> nextFile() {
        if (fileAnswers.empty()) return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace z7::test
