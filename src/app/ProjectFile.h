#pragma once
// The project file (.zxn): a text file of "|" lines in fixed sections, written and read whole.
#include "app/Project.h"

#include <string>
#include <vector>

namespace z7 {

class ModuleLibrary;

struct ProjectFileResult {
    enum class Status { Ok, NotProject, Unreadable };
    Status status = Status::Ok;
    std::string message;  // for NotProject and Unreadable: the text to show
    bool ok() const { return status == Status::Ok; }
};

inline constexpr const char* NotProjectMessage = "Referenced file is not Z7/Z3 program.";

// The file's lines for the project; saveDateTime goes into the header line.
std::vector<std::string> buildProjectFileLines(const Project& project, const ModuleLibrary& library,
                                               const std::string& saveDateTime);
// Replaces the file whole (atomically); false with the reason in error.
bool writeProjectFile(const Project& project, const ModuleLibrary& library, const std::string& path,
                      const std::string& saveDateTime, std::string& error);

// Parses the lines into project, which the caller has reset to a new project. On failure the
// project is in an undefined state and the caller resets it again.
ProjectFileResult parseProjectFileLines(const std::vector<std::string>& lines, Project& project,
                                        const ModuleLibrary& library, const std::string& fileLabel);
ProjectFileResult readProjectFile(const std::string& path, Project& project, const ModuleLibrary& library);

}  // namespace z7
