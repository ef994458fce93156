#include "compiler/RamMap.h"

#include <algorithm>

namespace z7 {

RamMap::RamMap() : marks_(Entries, 0) {}

void RamMap::clear() {
    std::fill(marks_.begin(), marks_.end(), 0);
    used_ = 0;
    lowestFree_ = 0;
}

void RamMap::mark(std::uint32_t index) {
    if (index >= Entries || marks_[index] != 0) return;
    marks_[index] = 1;
    ++used_;
    if (index == lowestFree_) {
        const auto next = std::find(marks_.begin() + index, marks_.end(), std::uint16_t {0});
        lowestFree_ = static_cast<std::uint32_t>(next - marks_.begin());
    }
}

bool RamMap::allocate(std::uint32_t size, std::uint32_t& first, std::uint32_t& last) {
    const std::uint32_t need = std::max<std::uint32_t>(size, 1);
    if (need > Entries) return false;
    // Same result as a byte-by-byte scan from 0: candidates open only on free 4-aligned entries and
    // close at the first used entry, so used runs can be skipped whole.
    auto begin = marks_.begin();
    std::uint32_t start = lowestFree_ & ~3u;
    while (start + need <= Entries) {
        if (marks_[start] != 0) {
            const auto free = std::find(begin + start, marks_.end(), std::uint16_t {0});
            if (free == marks_.end()) return false;
            start = (static_cast<std::uint32_t>(free - begin) + 3u) & ~3u;
            continue;
        }
        const auto used = std::find_if(begin + start, begin + start + need, [](std::uint16_t m) { return m != 0; });
        if (used == begin + start + need) {
            first = start;
            last = start + need - 1;
            for (std::uint32_t i = first; i <= last; ++i) mark(i);
            return true;
        }
        start = (static_cast<std::uint32_t>(used - begin) + 4u) & ~3u;
    }
    return false;
}

}  // namespace z7
