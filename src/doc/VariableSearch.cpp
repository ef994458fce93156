#include "doc/VariableSearch.h"

#include "app/Text.h"
#include "doc/CrossReference.h"

namespace z7 {

void VariableSearch::open() {
    visible_ = true;
    searchText_.clear();
    results_.clear();
}

void VariableSearch::search(const Project& project, const ModuleLibrary& library, const std::string& name) {
    searchText_ = name;
    results_.clear();
    CrossReference(project, library, name, results_);
    sortNoCase(results_);
}

void VariableSearch::entryPressed(const Project& project, const ModuleLibrary& library, const std::string& name) {
    if (visible_) search(project, library, name);
}

}  // namespace z7
