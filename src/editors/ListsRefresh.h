#pragma once
// What an editor calls after it added or removed names: the window's lists are rebuilt from the
// whole project with the module library it was read with.
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

namespace z7 {

class ListsRefresh {
public:
    ListsRefresh(const ModuleLibrary& library, ProjectLists& lists) : library_(library), lists_(lists) {}
    void rebuild(const Project& project) const { lists_ = rebuildProjectLists(project, library_); }
    const ProjectLists& lists() const { return lists_; }

private:
    const ModuleLibrary& library_;
    ProjectLists& lists_;
};

}  // namespace z7
