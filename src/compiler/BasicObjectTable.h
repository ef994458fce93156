#pragma once
// The BASIC object files linked into the image, in order of first registration: the RAM assignment
// enters names and code sizes, the first emission pass the FLASH address of each file's code.
#include <cstdint>
#include <string>
#include <vector>

namespace z7 {

class BasicObjectTable {
public:
    static constexpr std::size_t Capacity = 100;

    struct Entry {
        std::string fileName;  // at most 40 characters
        std::uint32_t address = 0;
        std::uint32_t codeSize = 0;
    };

    void clear() { entries_.clear(); }
    // A name already present changes nothing; a new name is dropped when the table is full.
    // Returns the entry's index, or -1 when dropped.
    long registerFile(const std::string& fileName);
    long find(const std::string& fileName) const;
    std::vector<Entry>& entries() { return entries_; }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace z7
