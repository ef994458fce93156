#include "compiler/ModuleAddressList.h"

#include "app/Project.h"
#include "app/Text.h"

namespace z7 {

void ModuleAddressList::clear() {
    entries_.clear();
    first_.clear();
}

void ModuleAddressList::append(const std::string& name, std::uint32_t address) {
    entries_.push_back(Entry {cut(name, MaxNameLength), address});
    first_.try_emplace(entries_.back().name, entries_.size() - 1);
}

std::string ModuleAddressList::lookup(const std::string& binding) const {
    const auto it = first_.find(binding.substr(0, binding.find('.')));
    return it == first_.end() ? std::string {} : hexUpper(entries_[it->second].address);
}

}  // namespace z7
