#pragma once
// New, Open, the recent projects, Save, Save As and the project notes.
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/Project.h"

#include <functional>
#include <string>
#include <vector>

namespace z7 {

class ModuleLibrary;

// Texts that the project file keeps between "|" must not contain one: false (after telling the user
// which field) when text holds a "|".
bool acceptStorableText(const std::string& text, const std::string& fieldName, Dialogs& dialogs);
// Notes are stored with every line break written as "\": a "\" typed into them would come back as a
// line break, so it is refused like "|".
bool acceptNotesText(const std::string& text, const std::string& fieldName, Dialogs& dialogs);

class ProjectCommands {
public:
    ProjectCommands(Project& project, const ModuleLibrary& library, Preferences& preferences, Dialogs& dialogs);

    void newProject();
    void openProject();
    void openRecent(const std::string& caption);
    // Opens a path as Open does after its dialog; false when nothing was read.
    bool openPath(const std::string& path);
    bool saveProject();
    bool saveProjectAs();

    // Notes panel.
    const std::string& notesText() const { return project_.projectNotes; }
    bool storeNotes(const std::string& text);

    std::string caption() const { return std::string("V") + ProgramVersion + "  " + project_.fileName; }

    // Other owners reset their state with New (compile errors, RAM map, watch list, ...).
    void addResetHook(std::function<void()> hook) { resetHooks_.push_back(std::move(hook)); }
    // Called after the project was replaced or saved (lists, caption, recent names to refresh).
    std::function<void()> onProjectChanged;
    // Where the save time comes from (tests fix it).
    std::function<std::string()> saveDateTime;

private:
    bool guard();
    void resetProject();
    void readInto(const std::string& path);
    void finishOpen();
    void changed() const;

    Project& project_;
    const ModuleLibrary& library_;
    Preferences& preferences_;
    Dialogs& dialogs_;
    std::vector<std::function<void()>> resetHooks_;
};

}  // namespace z7
