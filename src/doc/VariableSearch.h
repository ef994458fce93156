#pragma once
// The "Variable Search" panel's state: the name searched for and the sorted list of its uses.
#include "app/Project.h"
#include "library/ModuleLibrary.h"

#include <string>
#include <vector>

namespace z7 {

class VariableSearch {
public:
    static constexpr const char* Caption = "Variable Search";
    static constexpr const char* SearchLabel = "Variable to search for...";
    static constexpr const char* SearchHint = "Click on variable in database to start search.";
    static constexpr const char* ResultLabel = "Where variable is used in project...";
    static constexpr const char* Explanation = "Finds all occurences in project where selected variable is used.";

    // openSearch: shows the panel with an empty search text and result list.
    void open();
    // closeSearch.
    void close() { visible_ = false; }
    bool isVisible() const { return visible_; }

    // Puts name in the search text and lists its uses, sorted ignoring case.
    void search(const Project& project, const ModuleLibrary& library, const std::string& name);
    // An entry pressed in a name list: searched for only while the panel is shown.
    void entryPressed(const Project& project, const ModuleLibrary& library, const std::string& name);

    const std::string& searchText() const { return searchText_; }
    const std::vector<std::string>& results() const { return results_; }

private:
    bool visible_ = false;
    std::string searchText_;
    std::vector<std::string> results_;
};

}  // namespace z7
