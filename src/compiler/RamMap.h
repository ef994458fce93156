#pragma once
// Use map of controller RAM (0x40F000 to 0x440000 inclusive), one mark per byte, 0 = free. Blocks
// are handed out first fit from 4-aligned starts; stored assignments are re-marked with overlap
// detection. Error reporting lives with the compile (FindRamBlock, ReserveRange, ReserveX).
#include <cstdint>
#include <vector>

namespace z7 {

class RamMap {
public:
    static constexpr std::uint32_t Entries = 0x31001;

    RamMap();
    void clear();
    // First fit: the lowest 4-aligned run of size free bytes (a size of 0 takes one byte). Marks it
    // and gives its first and last index; false when no run is large enough.
    bool allocate(std::uint32_t size, std::uint32_t& first, std::uint32_t& last);
    bool isUsed(std::uint32_t index) const { return index < Entries && marks_[index] != 0; }
    // Marks one entry; an index outside the map is ignored.
    void mark(std::uint32_t index);
    std::uint32_t usedCount() const { return used_; }

private:
    std::vector<std::uint16_t> marks_;
    std::uint32_t used_ = 0;
    // Every entry below this index is used: the scan of a first fit can start here.
    std::uint32_t lowestFree_ = 0;
};

}  // namespace z7
