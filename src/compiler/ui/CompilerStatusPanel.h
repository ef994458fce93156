#pragma once
// The contents of "Compiler Status": the step text and gauge of a running compile, its Cancel
// button, and the message list of the last compile.
#include "compiler/CompileDriver.h"

#include <QObject>

#include <memory>

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class CompilerStatusPanel : public QObject {
    Q_OBJECT
public:
    // Fills box (the "Compiler Status" panel) with its widgets.
    explicit CompilerStatusPanel(QGroupBox* box);

    // Compiles the project, letting the window's events run between the steps so that Cancel
    // works; the messages stay listed afterwards. The context keeps the symbol tables.
    z7::CompileResult compile(z7::Project& project, const z7::ModuleLibrary& library, const z7::Preferences& preferences);

    const z7::CompileContext* lastCompile() const { return last_.get(); }
    bool running() const { return running_; }
    QListWidget* messageList() const { return messages_; }
    QLabel* stepLabel() const { return step_; }

public slots:
    void cancel() { cancelRequested_ = true; }

private:
    QLabel* step_;
    QProgressBar* gauge_;
    QListWidget* messages_;
    QPushButton* cancel_;
    std::unique_ptr<z7::CompileContext> last_;
    bool running_ = false;
    bool cancelRequested_ = false;
};
