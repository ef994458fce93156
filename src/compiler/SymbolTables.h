#pragma once
// The compile symbol tables: every name of the project with its TypedAddress text (Float, Integer,
// Status and String tables, timers, triggers) and the constant pool of literals. Rebuilt by every
// compile and kept afterwards for the database views, the watch window and the documentation.
#include "app/Project.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace z7 {

struct SymbolRow {
    std::string name;
    std::string value;    // left empty by the compile
    std::string address;  // upper-case hexadecimal TypedAddress, empty until assigned
    std::string bit;      // Status table only; left empty by the compile
};

// Rows in the order they were added; finding a name gives its first row. No duplicate check.
class SymbolTable {
public:
    void clear();
    void add(const std::string& name, const std::string& address);
    std::size_t size() const { return rows_.size(); }
    const std::vector<SymbolRow>& rows() const { return rows_; }
    // Row i counted from 0.
    void setAddress(std::size_t i, const std::string& address) { rows_.at(i).address = address; }
    void rename(std::size_t i, const std::string& name);
    // Index of the first row with exactly this name, or -1.
    long find(const std::string& name) const;

private:
    std::vector<SymbolRow> rows_;
    mutable std::unordered_map<std::string, std::size_t> first_;
    mutable bool indexValid_ = true;
};

enum class ConstantKind { Integer, String, Float };

struct ConstantEntry {
    std::string text;
    std::string address;  // filled by the constant emission
};

// Literals to be placed in the constant section, one column per kind, each text once per column.
class ConstantPool {
public:
    void clear();
    // Registers a literal under the rule of the hint (an entry code or "XXXX", "SXXX", "SXXC"):
    // texts with letters become strings, texts with a point floats, the rest integers; a hint
    // starting with "S" makes any kept text a string. Empty texts and texts mixing a point with
    // other characters are not registered.
    void registerConstant(const std::string& text, const std::string& hint);
    std::vector<ConstantEntry>& column(ConstantKind kind) { return columns_[static_cast<std::size_t>(kind)]; }
    const std::vector<ConstantEntry>& column(ConstantKind kind) const { return columns_[static_cast<std::size_t>(kind)]; }
    long find(ConstantKind kind, const std::string& text) const;

private:
    std::array<std::vector<ConstantEntry>, 3> columns_;
    std::array<std::unordered_map<std::string, std::size_t>, 3> index_;
};

class SymbolTables {
public:
    SymbolTable floats;
    SymbolTable integers;
    SymbolTable statuses;
    SymbolTable strings;
    SymbolTable timers;
    SymbolTable triggers;
    ConstantPool constants;

    void clear();
    void addFloat(const std::string& name, std::uint32_t address);
    void addInteger(const std::string& name, std::uint32_t address);
    // The caller may already have put a bit number into address.
    void addStatus(const std::string& name, std::uint32_t address);
    void addString(const std::string& name, std::uint32_t address);
    void addTimer(const std::string& name) { timers.add(name, ""); }
    void addTrigger(const std::string& name) { triggers.add(name, ""); }

    // The address text of the first row with this name, searched in this order: GlobalSP, GlobalRTC
    // and ArchiveData, then floats, integers, statuses, the RX database rows (column "Name", giving
    // "Address"), strings, integer, string and float constants, timers, triggers. Empty when none.
    std::string lookupAddress(const std::string& name, const std::vector<TelemetryRow>& rxRows) const;
    // The same over the strings and the string constants only.
    std::string lookupStringAddress(const std::string& name) const;

    // While the RX rows keep their names and number (during a compile), their lookups may use an
    // index; forgetRxIndex goes back to scanning them.
    void indexRxRows(const std::vector<TelemetryRow>& rxRows);
    void forgetRxIndex();

private:
    const std::vector<TelemetryRow>* indexedRx_ = nullptr;
    std::unordered_map<std::string, std::size_t> rxFirst_;
};

}  // namespace z7
