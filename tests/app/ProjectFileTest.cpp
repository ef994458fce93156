#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

ModuleLibrary smallLibrary() {
    ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines({"57|1|System|The controller itself|IIS.In1.I1|IOSS.Boot.BootTrg|\\",
                           "12|2|Tank|Level|FISS.Input A.A|FISS.Input B.B|FOSS.Level.Lvl|\\"},
                          messages);
    return library;
}

}  // namespace

TEST(ProjectFile, OutputNamesComeFromTheLibraryNotTheFile) {
    const ModuleLibrary library = smallLibrary();
    Project project;
    Jobrecord tank;
    tank.category = 2;
    tank.definitionNumber = 12;
    tank.name = "TANK";
    tank.bindings[1] = "5";
    tank.bindings[2] = "X.Y";
    tank.bindings[3] = "TANK.Lvl";
    tank.ramStart = 0x40F100;
    tank.ramEnd = 0x40F10B;
    project.appendInstance(tank);
    auto lines = buildProjectFileLines(project, library, "1/2/2026 10:00:00");
    const std::string expected = "2|12,0,0,|TANK|5|X.Y|TANK.Lvl|$40F100|$40F10B";
    ASSERT_EQ(lines[13], expected);
    lines[13] = "2|12,0,0,|TANK|5|X.Y|Other|$40F100|$40F10B";
    Project read;
    ASSERT_TRUE(parseProjectFileLines(lines, read, library, "t").ok());
    EXPECT_EQ(read.instance(2), tank);
}
