#pragma once
// "Z7 MODULE LIBRARY": the five category lists of the module library, then the "Ladder" and "BASIC"
// tabs. The control lies collapsed to its tab row and opens downwards while it holds the focus.
#include <QTabWidget>

class QListWidget;
class QGroupBox;

namespace z7 {
class ModuleLibrary;
}

class LibraryTabs : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int CollapsedHeight = 41;
    static constexpr int OpenHeight = 377;

    explicit LibraryTabs(QWidget* parent = nullptr);

    void fill(const z7::ModuleLibrary& library);
    QListWidget* categoryList(int category) const;  // 1 to 5
    QWidget* ladderPage() const { return ladderPage_; }
    QWidget* basicPage() const { return basicPage_; }
    QGroupBox* basicLibraryGroup() const { return basicLibrary_; }
    QGroupBox* basicProjectGroup() const { return basicProject_; }

    void open();
    void collapse();
    bool isOpen() const { return height() == OpenHeight; }

signals:
    void moduleClicked(int category, const QString& name);
    void ladderEntered();
    void basicEntered();

private:
    void focusMoved(QWidget* now);

    QListWidget* lists_[6] = {};
    QWidget* ladderPage_ = nullptr;
    QWidget* basicPage_ = nullptr;
    QGroupBox* basicLibrary_ = nullptr;
    QGroupBox* basicProject_ = nullptr;
};
