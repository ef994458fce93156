#pragma once
// Where a database entry is used in the project: one line per use, from seven sources in a fixed
// order (module inputs, displays, TX rows, ladder, tables, speech reports, BASIC module inputs).
// The documentation lists it for every name; the variable search shows it for one name.
#include "app/Project.h"
#include "library/ModuleLibrary.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace z7 {

// Walks every use of a name in the project in cross-reference order, calling use(name, line).
// Uses of an empty name are not reported.
void forEachUse(const Project& project, const ModuleLibrary& library,
                const std::function<void(const std::string& name, std::string line)>& use);

// Appends the cross-reference lines of one name to output.
void CrossReference(const Project& project, const ModuleLibrary& library, const std::string& name,
                    std::vector<std::string>& output);

// All uses gathered in one walk, for documenting every name without comparing each with each use.
class CrossReferenceIndex {
public:
    CrossReferenceIndex(const Project& project, const ModuleLibrary& library);
    void append(const std::string& name, std::vector<std::string>& output) const;

private:
    std::unordered_map<std::string, std::vector<std::string>> uses_;
};

}  // namespace z7
