#include "compiler/SymbolTables.h"

#include "app/Text.h"
#include "compiler/TypedAddress.h"

namespace z7 {

void SymbolTable::clear() {
    rows_.clear();
    first_.clear();
    indexValid_ = true;
}

void SymbolTable::add(const std::string& name, const std::string& address) {
    rows_.push_back(SymbolRow {name, "", address, ""});
    if (indexValid_) first_.try_emplace(name, rows_.size() - 1);
}

void SymbolTable::rename(std::size_t i, const std::string& name) {
    rows_.at(i).name = name;
    indexValid_ = false;
}

long SymbolTable::find(const std::string& name) const {
    if (!indexValid_) {
        first_.clear();
        for (std::size_t i = 0; i < rows_.size(); ++i) first_.try_emplace(rows_[i].name, i);
        indexValid_ = true;
    }
    const auto it = first_.find(name);
    return it == first_.end() ? -1 : static_cast<long>(it->second);
}

void ConstantPool::clear() {
    for (auto& c : columns_) c.clear();
    for (auto& i : index_) i.clear();
}

void ConstantPool::registerConstant(const std::string& text, const std::string& hint) {
    if (text.empty()) return;
    const bool stringHint = hint.size() >= 1 && hint[0] == 'S';
    ConstantKind kind;
    if (stringHint && hint.size() >= 4 && hint[3] == 'C') {
        kind = ConstantKind::String;
    } else {
        bool point = false;
        bool other = false;
        for (char c : text) {
            if (c == '.') point = true;
            else if (c != '-' && (c < '0' || c > '9')) other = true;
        }
        if (point && other) return;
        kind = other ? ConstantKind::String : point ? ConstantKind::Float : ConstantKind::Integer;
        if (stringHint) kind = ConstantKind::String;
    }
    const auto k = static_cast<std::size_t>(kind);
    if (index_[k].try_emplace(text, columns_[k].size()).second) columns_[k].push_back(ConstantEntry {text, ""});
}

long ConstantPool::find(ConstantKind kind, const std::string& text) const {
    const auto& index = index_[static_cast<std::size_t>(kind)];
    const auto it = index.find(text);
    return it == index.end() ? -1 : static_cast<long>(it->second);
}

void SymbolTables::clear() {
    for (SymbolTable* t : {&floats, &integers, &statuses, &strings, &timers, &triggers}) t->clear();
    constants.clear();
}

void SymbolTables::addFloat(const std::string& name, std::uint32_t address) { floats.add(name, hexUpper(address | FloatTypeBits)); }
void SymbolTables::addInteger(const std::string& name, std::uint32_t address) { integers.add(name, hexUpper(address)); }
void SymbolTables::addStatus(const std::string& name, std::uint32_t address) { statuses.add(name, hexUpper(address | StatusTypeBits)); }
void SymbolTables::addString(const std::string& name, std::uint32_t address) { strings.add(name, hexUpper(address | StringTypeBits)); }

void SymbolTables::indexRxRows(const std::vector<TelemetryRow>& rxRows) {
    indexedRx_ = &rxRows;
    rxFirst_.clear();
    for (std::size_t i = 0; i < rxRows.size(); ++i) rxFirst_.try_emplace(rxRows[i][TlmName], i);
}

void SymbolTables::forgetRxIndex() {
    indexedRx_ = nullptr;
    rxFirst_.clear();
}

namespace {

bool findIn(const SymbolTable& table, const std::string& name, std::string& address) {
    const long i = table.find(name);
    if (i < 0) return false;
    address = table.rows()[static_cast<std::size_t>(i)].address;
    return true;
}

bool findIn(const ConstantPool& pool, ConstantKind kind, const std::string& name, std::string& address) {
    const long i = pool.find(kind, name);
    if (i < 0) return false;
    address = pool.column(kind)[static_cast<std::size_t>(i)].address;
    return true;
}

}  // namespace

std::string SymbolTables::lookupAddress(const std::string& name, const std::vector<TelemetryRow>& rxRows) const {
    if (name == "GlobalSP") return "1000";
    if (name == "GlobalRTC") return "1003";
    if (name == "ArchiveData") return "1006";
    std::string address;
    if (findIn(floats, name, address) || findIn(integers, name, address) || findIn(statuses, name, address)) return address;
    if (indexedRx_ == &rxRows) {
        const auto it = rxFirst_.find(name);
        if (it != rxFirst_.end()) return rxRows[it->second][TlmAddress];
    } else {
        for (const TelemetryRow& row : rxRows)
            if (row[TlmName] == name) return row[TlmAddress];
    }
    if (findIn(strings, name, address) || findIn(constants, ConstantKind::Integer, name, address) ||
        findIn(constants, ConstantKind::String, name, address) || findIn(constants, ConstantKind::Float, name, address) ||
        findIn(timers, name, address) || findIn(triggers, name, address))
        return address;
    return {};
}

std::string SymbolTables::lookupStringAddress(const std::string& name) const {
    std::string address;
    if (findIn(strings, name, address) || findIn(constants, ConstantKind::String, name, address)) return address;
    return {};
}

}  // namespace z7
