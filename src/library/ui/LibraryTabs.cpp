#include "library/ui/LibraryTabs.h"

#include "library/ModuleLibrary.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QVBoxLayout>

LibraryTabs::LibraryTabs(QWidget* parent) : QTabWidget(parent) {
    setObjectName("LibraryTabs");
    setUsesScrollButtons(true);
    for (int category = 1; category <= z7::CategoryCount; ++category) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(new QLabel("Modules Available:"));
        auto* list = new QListWidget;
        list->setObjectName(QString("LibraryList%1").arg(category));
        layout->addWidget(list);
        lists_[category] = list;
        addTab(page, z7::libraryTabCaption(category));
        connect(list, &QListWidget::itemClicked, this,
                [this, category](QListWidgetItem* item) { emit moduleClicked(category, item->text()); });
    }
    ladderPage_ = new QWidget;
    addTab(ladderPage_, "Ladder");

    basicPage_ = new QWidget;
    auto* basicLayout = new QVBoxLayout(basicPage_);
    basicLayout->setContentsMargins(4, 4, 4, 4);
    basicLibrary_ = new QGroupBox("BASIC Module Library");
    basicProject_ = new QGroupBox("Basic Modules in Project");
    basicLayout->addWidget(basicLibrary_);
    basicLayout->addWidget(basicProject_);
    addTab(basicPage_, "BASIC");

    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (widget(index) == ladderPage_) emit ladderEntered();
        if (widget(index) == basicPage_) emit basicEntered();
    });
    // A click on a tab gives the control the focus, which keeps it open; the click alone opens it
    // even where the window cannot take the focus.
    tabBar()->setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTabWidget::tabBarClicked, this, &LibraryTabs::open);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusMoved(now); });
}

void LibraryTabs::fill(const z7::ModuleLibrary& library) {
    for (int category = 1; category <= z7::CategoryCount; ++category) {
        lists_[category]->clear();
        for (const std::string& name : library.list(category))
            lists_[category]->addItem(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())));
    }
}

QListWidget* LibraryTabs::categoryList(int category) const {
    return category >= 1 && category <= z7::CategoryCount ? lists_[category] : nullptr;
}

void LibraryTabs::focusMoved(QWidget* now) {
    if (now && (now == this || isAncestorOf(now))) open();
    else collapse();
}

void LibraryTabs::open() {
    if (height() != OpenHeight) resize(width(), OpenHeight);
    raise();
}

void LibraryTabs::collapse() {
    if (height() != CollapsedHeight) resize(width(), CollapsedHeight);
}
