#include "compiler/BasicObjectTable.h"

#include "app/Project.h"
#include "app/Text.h"

namespace z7 {

long BasicObjectTable::find(const std::string& fileName) const {
    const std::string name = cut(fileName, MaxNameLength);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].fileName == name) return static_cast<long>(i);
    return -1;
}

long BasicObjectTable::registerFile(const std::string& fileName) {
    const long found = find(fileName);
    if (found >= 0) return found;
    if (entries_.size() >= Capacity) return -1;
    entries_.push_back(Entry {cut(fileName, MaxNameLength), 0, 0});
    return static_cast<long>(entries_.size() - 1);
}

}  // namespace z7
