#pragma once
// FLASH addresses of the module records that other records point to (modules 18, 20, 65, 168) and
// of table row records, by name; filled in the first emission pass, read in the second.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace z7 {

class ModuleAddressList {
public:
    struct Entry {
        std::string name;  // at most 40 characters
        std::uint32_t address = 0;
    };

    void clear();
    void append(const std::string& name, std::uint32_t address);
    // The address text of the first entry named like binding up to its first ".", or empty.
    std::string lookup(const std::string& binding) const;
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> first_;
};

}  // namespace z7
