#pragma once
// "UserNotes": the project description, stored with the project.
#include <QGroupBox>

class QPlainTextEdit;

namespace z7 {
class ProjectCommands;
}

class NotesPanel : public QGroupBox {
    Q_OBJECT
public:
    NotesPanel(z7::ProjectCommands& commands, QWidget* parent = nullptr);

    // Shows the panel with the project notes and puts the caret in them.
    void showNotes();
    void storeNotes();
    void clear();
    QPlainTextEdit* text() const { return text_; }

private:
    z7::ProjectCommands& commands_;
    QPlainTextEdit* text_ = nullptr;
};
