#include "app/ProjectCommands.h"

#include "app/Clock.h"
#include "app/Files.h"
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"

namespace z7 {

bool acceptStorableText(const std::string& text, const std::string& fieldName, Dialogs& dialogs) {
    if (!containsChar(text, '|')) return true;
    dialogs.error(fieldName + " cannot contain the character \"|\".");
    return false;
}

bool acceptNotesText(const std::string& text, const std::string& fieldName, Dialogs& dialogs) {
    if (!acceptStorableText(text, fieldName, dialogs)) return false;
    if (!containsChar(text, '\\')) return true;
    dialogs.error(fieldName + " cannot contain the character \"\\\".");
    return false;
}

ProjectCommands::ProjectCommands(Project& project, const ModuleLibrary& library, Preferences& preferences,
                                 Dialogs& dialogs)
    : project_(project), library_(library), preferences_(preferences), dialogs_(dialogs) {
    saveDateTime = [] { return formatDateTime(std::time(nullptr)); };
}

void ProjectCommands::changed() const {
    project_.showMarks();
    if (onProjectChanged) onProjectChanged();
}

bool ProjectCommands::guard() {
    if (!project_.needToSave) return true;
    if (!dialogs_.confirm("Project has changed, OK to delete?")) return false;
    project_.needToSave = false;
    return true;
}

void ProjectCommands::resetProject() {
    project_.resetToNew();
    project_.controllerOsVersion = ProgramVersion;
    project_.needToCompile = false;
    project_.needToSave = false;
    for (const auto& hook : resetHooks_) hook();
}

void ProjectCommands::newProject() {
    if (!guard()) return;
    resetProject();
    changed();
}

void ProjectCommands::readInto(const std::string& path) {
    project_.fileName = path;
    const ProjectFileResult result = readProjectFile(path, project_, library_);
    if (!result.ok()) {
        dialogs_.error(result.message);
        resetProject();
        return;
    }
    project_.fileName = path;
    project_.projectPresent = true;
    preferences_.rememberProject(path);
}

void ProjectCommands::finishOpen() {
    project_.needToSave = false;
    project_.needToCompile = !project_.fileName.empty();
    changed();
}

void ProjectCommands::openProject() {
    if (!guard()) return;
    resetProject();
    const auto path = dialogs_.chooseOpenFile(preferences_.projectDirectory, "Project Files...*.*|*.*");
    if (path) readInto(*path);
    // A cancelled dialog leaves the new project, which still wants a compile before a download.
    project_.needToSave = false;
    project_.needToCompile = !path || !project_.fileName.empty();
    changed();
}

void ProjectCommands::openRecent(const std::string& caption) {
    if (!guard()) return;
    resetProject();
    if (caption.size() <= 3) {
        changed();
        return;
    }
    readInto(caption);
    finishOpen();
}

bool ProjectCommands::openPath(const std::string& path) {
    if (!guard()) return false;
    resetProject();
    readInto(path);
    finishOpen();
    return !project_.fileName.empty();
}

bool ProjectCommands::saveProject() {
    if (project_.fileName.empty()) return saveProjectAs();
    if (extensionOf(project_.fileName) != "zxn") {
        dialogs_.error("File is being saved with <.zxn> extension.");
        project_.fileName = replaceExtension(project_.fileName, ".zxn");
    }
    std::string error;
    if (!writeProjectFile(project_, library_, project_.fileName, saveDateTime(), error)) {
        dialogs_.error(error);
        changed();
        return false;
    }
    preferences_.rememberProject(project_.fileName);
    project_.needToSave = false;
    changed();
    return true;
}

bool ProjectCommands::saveProjectAs() {
    const auto path = dialogs_.chooseSaveFile(preferences_.projectDirectory, project_.fileName, "zxn");
    if (!path || path->empty()) return false;
    project_.fileName = *path;
    return saveProject();
}

bool ProjectCommands::storeNotes(const std::string& text) {
    if (!acceptNotesText(text, "The project notes", dialogs_)) return false;
    project_.projectNotes = text;
    project_.markChanged();
    return true;
}

}  // namespace z7
