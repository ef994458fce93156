// Arbitrary bytes as a project file and as a module library: either a project or a message.
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = z7::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    z7::ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines(lines, messages);

    z7::Project project;
    const z7::ProjectFileResult result = z7::parseProjectFileLines(lines, project, library, "fuzz.zxn");
    if (!result.ok() && result.message.empty()) std::abort();
    if (result.ok()) {
        if (project.instanceCount() > z7::MaxInstances) std::abort();
        z7::rebuildProjectLists(project, library);
        // What was read writes back and reads again without complaint.
        z7::Project again;
        if (!z7::parseProjectFileLines(z7::buildProjectFileLines(project, library, "date"), again, library, "again").ok())
            std::abort();
    }
    return 0;
}
