#pragma once
// "Z7 DATABASES": six tabs, each with the sorted name list of one database (Design) and its compiled
// address grid (Debug). The name lists are drag sources for the editors that bind names.
#include "app/Project.h"

#include <QTabWidget>

class QListWidget;
class QTableWidget;

namespace z7 {
struct ProjectLists;
}

class DatabaseTabs : public QTabWidget {
    Q_OBJECT
public:
    // Carries the kind letter and the name of a dragged database entry ("F" + "PUMP.Flow").
    static constexpr const char* MimeType = "application/x-z7-database-entry";

    explicit DatabaseTabs(QWidget* parent = nullptr);

    void fill(const z7::ProjectLists& lists);
    void showGrids(bool grids);
    bool gridsShown() const { return gridsShown_; }
    // "Port", "Source", ... "Address" over the TX and RX grids.
    void writeTelemetryHeaders();

    QListWidget* nameList(z7::DatabaseKind kind) const { return lists_[static_cast<int>(kind)]; }
    QTableWidget* grid(z7::DatabaseKind kind) const { return grids_[static_cast<int>(kind)]; }

signals:
    // The mouse went down on a name: it becomes the selected variable.
    void entryPressed(const QString& name, char kindLetter);

private:
    QListWidget* lists_[z7::DatabaseKindCount] = {};
    QTableWidget* grids_[z7::DatabaseKindCount] = {};
    bool gridsShown_ = false;
};
