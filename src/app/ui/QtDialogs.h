#pragma once
// z7::Dialogs with message boxes and file dialogs. Every box pauses the timer whose tick shows it.
#include "app/Dialogs.h"

#include <QString>

class QWidget;

class QtDialogs : public z7::Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    void warning(const std::string& text) override;
    AbortRetry abortRetry(const std::string& text) override;
    void message(const std::string& text) override;
    void beep() override;
    std::optional<std::string> chooseOpenFile(const std::string& startDirectory, const std::string& filter) override;
    std::optional<std::string> chooseSaveFile(const std::string& startDirectory, const std::string& fileName,
                                              const std::string& defaultExtension) override;

private:
    QWidget* parent_;
};

// A filter written as "description|mask|description|mask" in the form the Qt file dialog takes,
// e.g. "Project Files...*.*|*.*" gives "Project Files...*.* (*)": "*.*" means every file here,
// also one without an extension.
QString qtFileFilter(const std::string& filter);
// Where the Save dialog starts: the current file when it has a folder, else that name in startDirectory.
QString saveDialogStart(const std::string& startDirectory, const std::string& fileName);
