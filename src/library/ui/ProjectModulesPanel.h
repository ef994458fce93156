#pragma once
// "Modules in this Z7 Project": the module instances of the project by category, and the commands
// that act on the selected one.
#include <QGroupBox>

#include <string>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace z7 {
struct ProjectLists;
}

class ProjectModulesPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ProjectModulesPanel(QWidget* parent = nullptr);

    // Refills the five lists, keeping each list's selection (while still in range) and scroll place.
    void fill(const z7::ProjectLists& lists);
    QListWidget* list(int category) const;  // 1 to 5
    QTabWidget* tabs() const { return tabs_; }
    // The selected line of the list on the visible tab, or empty.
    std::string selectedLine() const;

signals:
    void detailsClicked();
    void treeClicked();
    void deleteClicked();
    void cloneClicked();
    void searchClicked();

private:
    QTabWidget* tabs_ = nullptr;
    QListWidget* lists_[6] = {};
};
