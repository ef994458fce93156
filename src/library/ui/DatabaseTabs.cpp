#include "library/ui/DatabaseTabs.h"

#include "library/ProjectLists.h"

#include <QHeaderView>
#include <QListWidget>
#include <QMimeData>
#include <QTableWidget>
#include <QVBoxLayout>

using z7::DatabaseKind;

namespace {

QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

// A name list whose items are dragged as database entries; the TX list is never a drag source.
class DatabaseNameList : public QListWidget {
public:
    DatabaseNameList(DatabaseKind kind, QWidget* parent = nullptr) : QListWidget(parent), kind_(kind) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        if (kind != DatabaseKind::Tx) {
            setDragEnabled(true);
            setDragDropMode(QAbstractItemView::DragOnly);
        }
    }

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        if (items.isEmpty()) return nullptr;
        auto* data = new QMimeData;
        data->setText(items.first()->text());
        data->setData(DatabaseTabs::MimeType, (QString(z7::letterOf(kind_)) + items.first()->text()).toLocal8Bit());
        return data;
    }

private:
    DatabaseKind kind_;
};

struct DatabaseTab {
    DatabaseKind kind;
    QStringList gridHeaders;
};

const QStringList telemetryHeaders = {"Port", "Source", "Dest.", "Word", "Bit", "Name", "Mult", "Type", "Value", "Address"};

}  // namespace

DatabaseTabs::DatabaseTabs(QWidget* parent) : QTabWidget(parent) {
    setObjectName("DatabaseTabs");
    const DatabaseTab tabs[] = {
        {DatabaseKind::Float, {"Name", "Value", "Address"}},
        {DatabaseKind::Integer, {"Name", "Value", "Address"}},
        {DatabaseKind::Status, {"Name", "Value", "Address", "Bit"}},
        {DatabaseKind::Tx, telemetryHeaders},
        {DatabaseKind::Rx, telemetryHeaders},
        {DatabaseKind::String, {"Name", "Value", "Address"}},
    };
    for (const DatabaseTab& tab : tabs) {
        const int k = static_cast<int>(tab.kind);
        auto* page = new QWidget;
        // Only one of the two is ever visible, so each takes the whole page.
        auto* stack = new QVBoxLayout(page);
        stack->setContentsMargins(2, 2, 2, 2);
        auto* list = new DatabaseNameList(tab.kind);
        list->setObjectName(QString("NameList") + z7::letterOf(tab.kind));
        auto* grid = new QTableWidget(0, static_cast<int>(tab.gridHeaders.size()));
        grid->setObjectName(QString("Grid") + z7::letterOf(tab.kind));
        grid->setHorizontalHeaderLabels(tab.gridHeaders);
        grid->verticalHeader()->hide();
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        stack->addWidget(list);
        stack->addWidget(grid);
        grid->hide();
        lists_[k] = list;
        grids_[k] = grid;
        addTab(page, z7::tabCaptionOf(tab.kind));
        const char letter = z7::letterOf(tab.kind);
        connect(list, &QListWidget::itemPressed, this,
                [this, letter](QListWidgetItem* item) { emit entryPressed(item->text(), letter); });
    }
}

void DatabaseTabs::writeTelemetryHeaders() {
    grid(DatabaseKind::Tx)->setHorizontalHeaderLabels(telemetryHeaders);
    grid(DatabaseKind::Rx)->setHorizontalHeaderLabels(telemetryHeaders);
}

void DatabaseTabs::fill(const z7::ProjectLists& projectLists) {
    for (int k = 0; k < z7::DatabaseKindCount; ++k) {
        QListWidget* list = lists_[k];
        list->clear();
        for (const std::string& name : projectLists.sortedNames(static_cast<DatabaseKind>(k))) list->addItem(toQt(name));
    }
}

void DatabaseTabs::showGrids(bool grids) {
    gridsShown_ = grids;
    for (int k = 0; k < z7::DatabaseKindCount; ++k) {
        lists_[k]->setVisible(!grids);
        grids_[k]->setVisible(grids);
    }
}
