#pragma once
// Dialogs for the command line: messages go to standard error; questions take the answer given
// on the command line (Yes unless told otherwise); there are no file dialogs.
#include "app/Dialogs.h"

#include <iostream>

namespace z7c {

class ConsoleDialogs : public z7::Dialogs {
public:
    explicit ConsoleDialogs(bool answerYes = true) : answerYes_(answerYes) {}
    int errors = 0;

    void error(const std::string& text) override {
        ++errors;
        std::cerr << "error: " << text << '\n';
    }
    bool confirm(const std::string& text) override {
        std::cerr << text << (answerYes_ ? " Yes\n" : " No\n");
        return answerYes_;
    }
    void warning(const std::string& text) override { std::cerr << "warning: " << text << '\n'; }
    AbortRetry abortRetry(const std::string& text) override {
        ++errors;
        std::cerr << "error: " << text << '\n';
        return AbortRetry::Abort;
    }
    void message(const std::string& text) override { std::cerr << text << '\n'; }
    void beep() override {}
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }

private:
    bool answerYes_;
};

}  // namespace z7c
