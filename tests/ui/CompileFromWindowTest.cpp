// The toolbar's compile commands on the shipped module library.
#include "app/ui/TZ7set1.h"
#include "compiler/ui/CompilerStatusPanel.h"

#include "TestApplication.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTableWidget>

#include "library/ui/DatabaseTabs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

class CompileFromWindow : public ::testing::Test {
protected:
    void SetUp() override {
        z7::test::testApplication();
        std::filesystem::create_directories(dir.file("Z7System"));
        std::filesystem::copy_file(std::string(Z7_SOURCE_DIR) + "/system/Z7MODDEF.TXT", dir.file("Z7System/Z7MODDEF.TXT"));
        window = std::make_unique<TZ7set1>(dialogs, dir.dir());
    }

    z7::test::TempDir dir;
    z7::test::ScriptedDialogs dialogs;
    std::unique_ptr<TZ7set1> window;
};

TEST_F(CompileFromWindow, CompileWritesTheImageAndClearsTheCompileMark) {
    TZ7set1& w = *window;
    w.project().markChanged();
    ASSERT_TRUE(w.toolbarAction("Compile")->isEnabled());

    w.compileClicked();

    const QListWidget* messages = w.compilerStatus()->messageList();
    ASSERT_EQ(messages->count(), 1);
    EXPECT_EQ(messages->item(0)->text().toStdString(), "No errors");
    EXPECT_TRUE(w.panel("Compiler Status")->isVisibleTo(&w));
    EXPECT_TRUE(std::filesystem::exists(dir.file("Z7System/Intermed.Obj")));
    EXPECT_FALSE(w.project().needToCompile);
    EXPECT_FALSE(w.toolbarAction("Compile")->isEnabled());
    EXPECT_FALSE(w.toolbarAction("List Errors")->isEnabled());
    EXPECT_TRUE(w.menuBar()->isEnabled());
    // The Debug grid lists the status outputs of the "System" instance with their addresses.
    const QTableWidget* status = w.databaseTabs()->grid(z7::DatabaseKind::Status);
    ASSERT_GE(status->rowCount(), 1);
    EXPECT_FALSE(status->item(0, 2)->text().isEmpty());
    EXPECT_NE(w.statusPanel(1)->text().toStdString(), "Flash= 0/262144");
}

TEST_F(CompileFromWindow, ErrorsAreListedAndListErrorsIsEnabled) {
    TZ7set1& w = *window;
    z7::Jobrecord broken = w.project().instance(1);
    broken.name = "Broken";
    broken.definitionNumber = 199;  // no such definition
    ASSERT_TRUE(w.project().appendInstance(broken));
    w.project().markChanged();

    w.compileClicked();

    EXPECT_GE(w.compilerStatus()->messageList()->count(), 1);
    EXPECT_NE(w.compilerStatus()->messageList()->item(0)->text().toStdString(), "No errors");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Z7System/Intermed.Obj")));
    EXPECT_TRUE(w.project().needToCompile);
    EXPECT_TRUE(w.toolbarAction("List Errors")->isEnabled());
}

TEST_F(CompileFromWindow, ReassignAsksAndClearsTheBlocks) {
    TZ7set1& w = *window;
    w.project().instance(1).ramStart = 0x400000;
    w.project().instance(1).ramEnd = 0x40000B;
    dialogs.confirmAnswers = {false};
    w.reassignClicked();
    EXPECT_EQ(w.project().instance(1).ramStart, 0x400000u);

    dialogs.confirmAnswers = {true};
    w.reassignClicked();
    EXPECT_EQ(dialogs.shown.back(), "confirm: Confirm OK to reassign project RAM?");
    EXPECT_EQ(w.project().instance(1).ramStart, 0u);
    EXPECT_EQ(w.project().instance(1).ramEnd, 0u);
    EXPECT_TRUE(w.project().needToSave);
}

}  // namespace
