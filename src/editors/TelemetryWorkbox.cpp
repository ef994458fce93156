#include "editors/TelemetryWorkbox.h"

#include "app/ProjectCommands.h"
#include "app/Text.h"

#include <algorithm>

namespace z7 {

namespace {
constexpr const char* AbandonQuestion = "One or more entries has changed, OK to abandon?";

bool isBitNumber(const std::string& bit) {
    std::int32_t value;
    return parseInt(bit, value);
}

std::size_t index(TelemetrySpin spin) { return static_cast<std::size_t>(spin); }
}  // namespace

TelemetryWorkbox::TelemetryWorkbox(Project& project, Dialogs& dialogs, const ListsRefresh& lists)
    : project_(project), dialogs_(dialogs), lists_(lists) {}

int TelemetryWorkbox::spin(TelemetrySpin spin) const { return spins_[index(spin)]; }

TelemetryKey TelemetryWorkbox::currentKey() const {
    const int source = mode_ == TelemetryMode::Rx ? spins_[index(TelemetrySpin::Source)] : -1;
    return telemetryKeyOf(spins_[index(TelemetrySpin::Board)], spins_[index(TelemetrySpin::Port)], source,
                          spins_[index(TelemetrySpin::Dest)]);
}

void TelemetryWorkbox::open(TelemetryMode mode) {
    mode_ = mode;
    rcvName_.clear();
    if (mode_ == TelemetryMode::Rx && spins_[index(TelemetrySpin::Source)] < -1)
        spins_[index(TelemetrySpin::Source)] = -1;
    visible_ = true;
    multiplierVisible_ = specialVisible_ = false;
    selectedRow_ = selectedColumn_ = nameEditRow_ = multRow_ = 0;
    rememberSpins();
    changed_ = false;
    loadArray();
}

void TelemetryWorkbox::loadArray() {
    rows_.clear();
    const std::vector<TelemetryRow>& rows = table();
    // A table of a single row still shows that row, so that saving the array again replaces it.
    const TelemetryRun run = findTelemetryArray(rows, currentKey());
    for (std::size_t k = run.first; k < run.first + run.count; ++k) {
        const TelemetryRow& source = rows[k];
        WorkboxRow row {source[TlmWord], source[TlmBit], source[TlmName], source[TlmMult], source[TlmType], {}};
        if (mode_ == TelemetryMode::Rx) row[WbAddress] = source[TlmAddress];
        rows_.push_back(row);
    }
    rows_.emplace_back();
}

bool TelemetryWorkbox::changeSpin(TelemetrySpin spin, int value) {
    if (changed_) {
        if (!dialogs_.confirm(AbandonQuestion)) {
            spins_[index(spin)] = remembered_[index(spin)];
            return false;
        }
        changed_ = false;
    }
    spins_[index(spin)] = value;
    open(mode_);
    return true;
}

bool TelemetryWorkbox::openFromListLine(TelemetryMode mode, const std::string& line) {
    TelemetryListKey key;
    if (!parseTelemetryListLine(line, key)) return false;
    if (changed_) {
        if (!dialogs_.confirm(AbandonQuestion)) return false;
        changed_ = false;
    }
    spins_ = {key.board, key.port, key.source, key.dest};
    open(mode);
    return true;
}

void TelemetryWorkbox::renumber() {
    int w = 1;
    int b = 0;
    for (WorkboxRow& row : rows_) {
        const std::string& type = row[WbType];
        if (type.empty()) break;
        row[WbWd] = std::to_string(w);
        if (b == 0 && startsWith(type, "S")) b = 1;
        if (b == 0) {
            if (startsWith(type, "F") || startsWith(type, "L")) w += 2;
            else if (startsWith(type, "I")) w += 1;
            row[WbBit] = "-";
        } else {
            row[WbBit] = std::to_string(numbering_ == CellNumbering::Z4Z7 ? b : (w - 1) * 16 + b);
            if (++b > 16) {
                ++w;
                b = 0;
            }
        }
    }
}

int TelemetryWorkbox::groupStart(int gridRow) const {
    int r = std::clamp(gridRow, 1, static_cast<int>(rows_.size()));
    while (r > 1 && row(r - 1)[WbWd] == row(r)[WbWd]) --r;
    return r;
}

void TelemetryWorkbox::ensureTrailingEmptyRow() {
    if (rows_.empty() || rows_.back() != WorkboxRow {}) rows_.emplace_back();
}

void TelemetryWorkbox::addRow(TelemetryRowType type) {
    const int n = type == TelemetryRowType::Status16 ? 16 : 1;
    const char* text = type == TelemetryRowType::Status16    ? "Status"
                       : type == TelemetryRowType::Integer32 ? "Long Int"
                       : type == TelemetryRowType::Float32   ? "Float"
                                                             : "Integer";
    const int g = groupStart(selectedRow_ > 0 ? selectedRow_ : 1);
    const auto at = rows_.begin() + (g - 1);
    if (g == static_cast<int>(rows_.size()))
        rows_.resize(rows_.size() + static_cast<std::size_t>(n));
    else
        rows_.insert(at, static_cast<std::size_t>(n), WorkboxRow {});
    for (int r = g; r < g + n; ++r) cell(r)[WbType] = text;
    renumber();
    selectedRow_ = g + n;
    changed_ = true;
}

void TelemetryWorkbox::deleteRow() {
    if (selectedRow_ <= 0) {
        selectedRow_ = 1;
        return;
    }
    const int last = static_cast<int>(rows_.size());
    if (selectedRow_ >= last) {
        const std::size_t n = std::min<std::size_t>(isBitNumber(rows_.back()[WbBit]) ? 16 : 1, rows_.size());
        rows_.resize(rows_.size() - n);
        ensureTrailingEmptyRow();
        selectedRow_ = std::min(selectedRow_, static_cast<int>(rows_.size()));
        return;
    }
    const int g = groupStart(selectedRow_);
    // The trailing empty row is never removed.
    const int n = std::min(isBitNumber(row(g)[WbBit]) ? 16 : 1, last - g);
    rows_.erase(rows_.begin() + (g - 1), rows_.begin() + (g - 1 + n));
    ensureTrailingEmptyRow();
    renumber();
    selectedRow_ = std::min(selectedRow_, static_cast<int>(rows_.size()));
    changed_ = true;
}

void TelemetryWorkbox::setNumbering(CellNumbering numbering) {
    numbering_ = numbering;
    renumber();
}

void TelemetryWorkbox::clickCell(int column, int gridRow) {
    if (column < 0 || column >= WbColumnCount || gridRow < 0 || gridRow > static_cast<int>(rows_.size())) return;
    selectedColumn_ = column;
    selectedRow_ = gridRow;
    if (gridRow == 0) return;
    if (column == WbName && mode_ == TelemetryMode::Rx) {
        commitNameEdit();
        rcvName_ = cell(gridRow)[WbName];
        nameEditRow_ = gridRow;
    } else if (column == WbMult) {
        multRow_ = gridRow;
        multiplierVisible_ = true;
        changed_ = true;
    }
}

void TelemetryWorkbox::typeRcvName(const std::string& text) {
    rcvName_ = text;
    if (nameEditRow_ < 1 || nameEditRow_ > static_cast<int>(rows_.size())) return;
    cell(nameEditRow_)[WbName] = text;
    changed_ = true;
}

void TelemetryWorkbox::commitNameEdit() {
    if (nameEditRow_ < 1 || nameEditRow_ > static_cast<int>(rows_.size())) return;
    std::string& name = cell(nameEditRow_)[WbName];
    if (isSpecialTelemetryName(name)) return;
    std::string committed = rcvName_;
    // Received names carry their source so that two units' values never share a name.
    if (!committed.empty() && !containsChar(committed, '.'))
        committed += "." + std::to_string(spins_[index(TelemetrySpin::Source)]);
    name = committed;
}

void TelemetryWorkbox::dropName(int gridRow, const std::string& name) {
    if (mode_ != TelemetryMode::Tx || gridRow < 1 || gridRow > static_cast<int>(rows_.size())) return;
    cell(gridRow)[WbName] = name;
    project_.markChanged();
    changed_ = true;
}

void TelemetryWorkbox::chooseMultiplier(int choice) {
    if (choice < 0 || choice >= ScaleFactorCount) return;
    if (multRow_ >= 1 && multRow_ <= static_cast<int>(rows_.size())) cell(multRow_)[WbMult] = scaleFactor(choice).stored;
    multiplierVisible_ = false;
    changed_ = true;
}

void TelemetryWorkbox::chooseSpecialField(const std::string& name) {
    if (selectedRow_ >= 1 && selectedRow_ <= static_cast<int>(rows_.size())) cell(selectedRow_)[WbName] = name;
    specialVisible_ = false;
    changed_ = true;
}

void TelemetryWorkbox::clearCell() {
    if (selectedRow_ >= 1 && selectedRow_ <= static_cast<int>(rows_.size())) {
        if (selectedColumn_ == WbName) {
            cell(selectedRow_)[WbName].clear();
            rcvName_.clear();
        } else if (selectedColumn_ == WbMult) {
            cell(selectedRow_)[WbMult].clear();
        }
    }
    changed_ = true;
}

void TelemetryWorkbox::save() {
    if (mode_ == TelemetryMode::Rx) commitNameEdit();
    for (const WorkboxRow& row : rows_)
        if (!acceptStorableText(row[WbName], "The name " + row[WbName], dialogs_)) return;
    std::vector<TelemetryRow>& rows = table();
    const TelemetryKey key = currentKey();
    const TelemetryRun run = findTelemetryArray(rows, key);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(run.first),
               rows.begin() + static_cast<std::ptrdiff_t>(run.first + run.count));
    const int source = spins_[index(TelemetrySpin::Source)];
    const std::string sourceText =
        mode_ == TelemetryMode::Tx || source < 0 || !sourceVisible() ? std::string("Us") : std::to_string(source);
    for (const WorkboxRow& row : rows_) {
        TelemetryRow stored;
        stored[TlmPort] = key.channel;
        stored[TlmSource] = sourceText;
        stored[TlmDest] = key.dest;
        stored[TlmWord] = row[WbWd];
        stored[TlmBit] = row[WbBit];
        stored[TlmName] = row[WbName];
        stored[TlmMult] = row[WbMult];
        stored[TlmType] = row[WbType];
        if (mode_ == TelemetryMode::Rx) stored[TlmAddress] = changed_ ? "$0" : row[WbAddress];
        rows.push_back(stored);
    }
    std::erase_if(rows, [](const TelemetryRow& row) { return row[TlmType].size() < 4; });
    // The grid shows the array as stored now: when the table held a second run of the same key,
    // that run has joined the saved one, and a later save must not drop it unseen.
    const int selected = selectedRow_;
    nameEditRow_ = multRow_ = 0;
    loadArray();
    selectedRow_ = std::min(selected, static_cast<int>(rows_.size()));
    lists_.rebuild(project_);
    changed_ = false;
    rememberSpins();
    project_.markChanged();
}

bool TelemetryWorkbox::cancel() {
    if (changed_ && !dialogs_.confirm(AbandonQuestion)) return false;
    visible_ = false;
    changed_ = false;
    refreshArrayLists();
    return true;
}

void TelemetryWorkbox::refreshArrayLists() {
    txList_ = telemetryArrayList(project_.txRows);
    rxList_ = telemetryArrayList(project_.rxRows);
}

}  // namespace z7
