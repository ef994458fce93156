#include "app/ProjectCommands.h"
#include "app/ProjectFile.h"
#include "library/ModuleLibrary.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace z7;

namespace {

class ProjectCommandsTest : public ::testing::Test {
protected:
    ProjectCommandsTest() : commands(project, library, preferences, dialogs) {
        std::vector<std::string> messages;
        library.loadFromLines({"57|1|System|The controller|SCSC.Name.N|DOSG.Boot.BootTrg|\\"}, messages);
        commands.saveDateTime = [] { return "11/12/2026 16:00:00"; };
        commands.newProject();
    }

    // A project file with one extra instance, written through the writer.
    std::string writeProject(const std::string& name) {
        Project other;
        Jobrecord pump = makeSystemInstance();
        pump.name = name.substr(0, name.find('.'));
        other.appendInstance(pump);
        std::string error;
        EXPECT_TRUE(writeProjectFile(other, library, dir.file(name), "then", error)) << error;
        return dir.file(name);
    }

    void open(const std::string& path) {
        dialogs.fileAnswers.push_back(path);
        commands.openProject();
    }

    test::TempDir dir;
    ModuleLibrary library;
    Project project;
    Preferences preferences;
    test::ScriptedDialogs dialogs;
    ProjectCommands commands;
};

}  // namespace

TEST_F(ProjectCommandsTest, OpenReadsTheFileAndSetsTheMarks) {
    open(writeProject("PUMP.zxn"));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(project.instanceCount(), 2);
    EXPECT_EQ(project.instance(2).name, "PUMP");
    EXPECT_EQ(project.fileName, dir.file("PUMP.zxn"));
    EXPECT_EQ(commands.caption(), "V5.63  " + dir.file("PUMP.zxn"));
    EXPECT_FALSE(project.needToSave);
    EXPECT_TRUE(project.needToCompile);
    EXPECT_TRUE(project.projectPresent);
    EXPECT_EQ(preferences.recentProjects, std::vector<std::string> {dir.file("PUMP.zxn")});
}

TEST_F(ProjectCommandsTest, GuardKeepsAnUnsavedProjectOnNo) {
    project.instance(1).bindings[1] = "edited";
    project.markChanged();
    dialogs.confirmAnswers = {false, false, false};
    commands.newProject();
    open(writeProject("A.zxn"));
    commands.openRecent(dir.file("A.zxn"));
    EXPECT_EQ(dialogs.shown, std::vector<std::string>(3, "confirm: Project has changed, OK to delete?"));
    EXPECT_EQ(project.instance(1).bindings[1], "edited");
    EXPECT_TRUE(project.needToSave);
    EXPECT_TRUE(project.needToCompile);

    dialogs.confirmAnswers = {true};
    commands.newProject();
    EXPECT_EQ(project.instance(1).bindings[1], "");
    EXPECT_FALSE(project.needToSave);
    EXPECT_FALSE(project.needToCompile);
}

TEST_F(ProjectCommandsTest, FailedOrCancelledOpenLeavesANewProject) {
    struct Case {
        const char* what;
        std::string fileContent;  // empty: no such file; "-": dialog cancelled
        const char* message;      // start of the error shown, or "" for none
        bool needToCompile;
    };
    const Case cases[] = {
        {"not a project", "hello\r\n", "error: Referenced file is not Z7/Z3 program.", false},
        {"bad number", "!Unit type|\r\n9|0\r\n!C\r\n0|x|\r\n", "error: Project file ", false},
        {"missing file", "", "error: Cannot open ", false},
        {"cancelled", "-", "", true},
    };
    for (const Case& c : cases) {
        commands.storeNotes("old notes");
        project.needToSave = false;  // saved a moment ago
        dialogs.shown.clear();
        const std::string path = dir.file("X.zxn");
        std::filesystem::remove(path);
        if (c.fileContent == "-") {
            commands.openProject();
        } else {
            if (!c.fileContent.empty()) dir.write("X.zxn", c.fileContent);
            open(path);
        }
        SCOPED_TRACE(c.what);
        if (*c.message) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].rfind(c.message, 0), 0u) << dialogs.shown[0];
            if (c.fileContent != "hello\r\n") {
                EXPECT_NE(dialogs.shown[0].find(path), std::string::npos);
            }
        } else {
            EXPECT_TRUE(dialogs.shown.empty());
        }
        EXPECT_EQ(project.instanceCount(), 1);
        EXPECT_EQ(project.instance(1).name, "System");
        EXPECT_EQ(project.projectNotes, "");
        EXPECT_EQ(project.fileName, "");
        EXPECT_EQ(commands.caption(), "V5.63  ");
        EXPECT_FALSE(project.needToSave);
        EXPECT_EQ(project.needToCompile, c.needToCompile);
        EXPECT_TRUE(preferences.recentProjects.empty());
    }
}

TEST_F(ProjectCommandsTest, SaveForcesTheZxnExtension) {
    std::filesystem::create_directories(dir.file("Data.old"));
    struct Case {
        std::string name;
        std::string saved;
        bool message;
    };
    const Case cases[] = {
        {"pump", "pump.zxn", true},
        {"pump.ZXN", "pump.zxn", true},
        {"pump.Zxn.bak", "pump.Zxn.zxn", true},
        {"Data.old/pump", "Data.old/pump.zxn", true},
        {"Data.old/pump.zxn", "Data.old/pump.zxn", false},
        {"pump.zxn", "pump.zxn", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        project.fileName = dir.file(c.name);
        project.markChanged();
        ASSERT_TRUE(commands.saveProject());
        EXPECT_EQ(project.fileName, dir.file(c.saved));
        EXPECT_TRUE(std::filesystem::is_regular_file(dir.file(c.saved)));
        EXPECT_EQ(dialogs.shown, c.message ? std::vector<std::string> {"error: File is being saved with <.zxn> extension."}
                                           : std::vector<std::string> {});
        EXPECT_FALSE(project.needToSave);
        EXPECT_TRUE(project.needToCompile);
        EXPECT_EQ(preferences.recentProjects.front(), dir.file(c.saved));
    }
}

TEST_F(ProjectCommandsTest, SaveWithoutANameAsksForOne) {
    commands.saveProject();  // dialog cancelled: nothing happens
    EXPECT_EQ(project.fileName, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.zxn")));

    dialogs.fileAnswers.push_back(dir.file("new"));
    EXPECT_TRUE(commands.saveProject());
    EXPECT_EQ(project.fileName, dir.file("new.zxn"));
    Project read;
    EXPECT_TRUE(readProjectFile(dir.file("new.zxn"), read, library).ok());
    EXPECT_EQ(read.dateOfLastSave, "11/12/2026 16:00:00");
}

TEST_F(ProjectCommandsTest, AFailedSaveSaysSoAndKeepsTheMarks) {
    std::filesystem::create_directories(dir.file("folder.zxn"));
    dir.write("keep.zxn", "old content");
    for (const std::string& target : {dir.file("missing/P.zxn"), dir.file("folder.zxn")}) {
        SCOPED_TRACE(target);
        dialogs.shown.clear();
        project.fileName = target;
        project.markChanged();
        EXPECT_FALSE(commands.saveProject());
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].find(target), std::string::npos) << dialogs.shown[0];
        EXPECT_TRUE(project.needToSave);
        EXPECT_TRUE(preferences.recentProjects.empty());
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.zxn")));
    // No temporary file is left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir())) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(ProjectCommandsTest, RecentListKeepsTenMostRecentFirst) {
    std::vector<std::string> paths;
    for (int i = 1; i <= 11; ++i) paths.push_back(writeProject("P" + std::to_string(i) + ".zxn"));
    for (const std::string& p : paths) open(p);
    ASSERT_EQ(preferences.recentProjects.size(), 10u);
    EXPECT_EQ(preferences.recentProjects.front(), paths[10]);
    EXPECT_EQ(preferences.recentProjects.back(), paths[1]);

    const std::vector<std::string> before = preferences.recentProjects;
    commands.openRecent(paths[10]);
    EXPECT_EQ(preferences.recentProjects, before);

    commands.openRecent(paths[5]);  // moves to the front
    EXPECT_EQ(preferences.recentProjects.front(), paths[5]);
    EXPECT_EQ(preferences.recentProjects.size(), 10u);
    EXPECT_EQ(std::count(preferences.recentProjects.begin(), preferences.recentProjects.end(), paths[5]), 1);
    EXPECT_EQ(project.instance(2).name, "P6");
}

TEST_F(ProjectCommandsTest, OpenRecentWithAShortCaptionGivesTheEmptyProject) {
    commands.openRecent("abc");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(project.fileName, "");
    EXPECT_EQ(project.instanceCount(), 1);
    EXPECT_FALSE(project.needToCompile);
}

TEST_F(ProjectCommandsTest, NotesAreStoredRejectedAndClearedByNew) {
    EXPECT_FALSE(commands.storeNotes("flow | level"));
    EXPECT_EQ(dialogs.shown, std::vector<std::string> {"error: The project notes cannot contain the character \"|\"."});
    EXPECT_EQ(project.projectNotes, "");
    EXPECT_FALSE(project.needToSave);

    EXPECT_TRUE(commands.storeNotes("line 1\r\nline 2"));
    EXPECT_EQ(commands.notesText(), "line 1\r\nline 2");
    EXPECT_TRUE(project.needToSave);
    EXPECT_TRUE(project.needToCompile);

    commands.newProject();  // the guard is answered Yes
    EXPECT_EQ(project.projectNotes, "");
}

TEST_F(ProjectCommandsTest, NotesRefuseTheBackslashThatStandsForALineBreak) {
    EXPECT_FALSE(commands.storeNotes("files in C:\\Data"));
    EXPECT_EQ(dialogs.shown, std::vector<std::string> {"error: The project notes cannot contain the character \"\\\"."});
    EXPECT_EQ(project.projectNotes, "");
    EXPECT_FALSE(project.needToSave);
}

TEST(StorableText, BarIsRejectedWithTheFieldName) {
    test::ScriptedDialogs dialogs;
    EXPECT_TRUE(acceptStorableText("TANK.Lvl", "The name", dialogs));
    EXPECT_TRUE(acceptStorableText("", "The name", dialogs));
    EXPECT_FALSE(acceptStorableText("A|B", "The name", dialogs));
    EXPECT_EQ(dialogs.shown, std::vector<std::string> {"error: The name cannot contain the character \"|\"."});
}
