#include "app/ui/NotesPanel.h"

#include "app/ProjectCommands.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

NotesPanel::NotesPanel(z7::ProjectCommands& commands, QWidget* parent)
    : QGroupBox("UserNotes", parent), commands_(commands) {
    setObjectName("NotesPanel");
    auto* label = new QLabel("For future reference, type project description in panel below:", this);
    label->setGeometry(12, 20, 521, 20);
    text_ = new QPlainTextEdit(this);
    text_->setGeometry(12, 44, 521, 321);
    auto* save = new QPushButton("Save", this);
    save->setGeometry(150, 375, 100, 30);
    connect(save, &QPushButton::clicked, this, &NotesPanel::storeNotes);
    auto* close = new QPushButton("&Close", this);
    close->setGeometry(290, 375, 100, 30);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void NotesPanel::showNotes() {
    // The project keeps CR LF line breaks; the text box works with line feeds.
    const std::string& notes = commands_.notesText();
    QString shown = QString::fromLocal8Bit(notes.data(), static_cast<qsizetype>(notes.size()));
    text_->setPlainText(shown.replace("\r\n", "\n").replace('\r', '\n'));
    show();
    raise();
    text_->setFocus();
}

void NotesPanel::storeNotes() {
    QString typed = text_->toPlainText();
    commands_.storeNotes(typed.replace("\n", "\r\n").toLocal8Bit().toStdString());
}

void NotesPanel::clear() { text_->clear(); }
