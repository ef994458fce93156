#include "library/ui/ProjectModulesPanel.h"

#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

ProjectModulesPanel::ProjectModulesPanel(QWidget* parent) : QGroupBox("Modules in this Z7 Project", parent) {
    setObjectName("ProjectModulesPanel");
    tabs_ = new QTabWidget(this);
    tabs_->setGeometry(8, 20, 329, 257);
    for (int category = 1; category <= z7::CategoryCount; ++category) {
        auto* list = new QListWidget;
        list->setObjectName(QString("ProjectList%1").arg(category));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        lists_[category] = list;
        tabs_->addTab(list, z7::projectTabCaption(category));
    }
    struct ButtonSignal {
        const char* caption;
        void (ProjectModulesPanel::*signal)();
    };
    const ButtonSignal buttons[] = {{"Details", &ProjectModulesPanel::detailsClicked},
                                  {" Tree   ", &ProjectModulesPanel::treeClicked},
                                  {"Delete", &ProjectModulesPanel::deleteClicked},
                                  {"Clone", &ProjectModulesPanel::cloneClicked},
                                  {"Search", &ProjectModulesPanel::searchClicked}};
    int left = 8;
    for (const ButtonSignal& entry : buttons) {
        auto* button = new QPushButton(entry.caption, this);
        button->setGeometry(left, 285, 62, 26);
        left += 66;
        connect(button, &QPushButton::clicked, this, entry.signal);
    }
}

QListWidget* ProjectModulesPanel::list(int category) const {
    return category >= 1 && category <= z7::CategoryCount ? lists_[category] : nullptr;
}

void ProjectModulesPanel::fill(const z7::ProjectLists& projectLists) {
    for (int category = 1; category <= z7::CategoryCount; ++category) {
        QListWidget* list = lists_[category];
        const int selected = list->currentRow();
        const int top = list->verticalScrollBar()->value();
        list->clear();
        for (const std::string& line : projectLists.sortedModules(category))
            list->addItem(QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size())));
        if (selected >= 0 && selected < list->count()) list->setCurrentRow(selected);
        list->verticalScrollBar()->setValue(top);
    }
}

std::string ProjectModulesPanel::selectedLine() const {
    const auto* list = qobject_cast<const QListWidget*>(tabs_->currentWidget());
    if (!list || !list->currentItem() || !list->currentItem()->isSelected()) return {};
    return list->currentItem()->text().toLocal8Bit().toStdString();
}
