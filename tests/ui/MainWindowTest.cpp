#include "app/ui/Background.h"
#include "app/ui/CommunicationsPanel.h"
#include "app/ui/NotesPanel.h"
#include "app/ui/PreferencesPanel.h"
#include "app/ui/TZ7set1.h"
#include "app/Files.h"
#include "app/Text.h"
#include "library/ui/DatabaseTabs.h"
#include "library/ui/LibraryTabs.h"
#include "library/ui/ProjectModulesPanel.h"
#include "library/ui/VariableSearchPanel.h"

#include "TestApplication.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using z7::DatabaseKind;
using z7::Mode;

namespace {

// Definition 57 has ten inputs and the three outputs the default instance names; 30 is never offered.
const char* const TestLibrary =
    "12|2|Scaler|Scales an input|FISS.Input.In|FOSS.Output.Out|\\\r\n"
    "30|102|Hidden|Never listed|FOSS.Out|\\\r\n"
    "5|1|Analog input|Reads|FOSS.Value.Val|\\\r\n"
    "57|1|System|Controller values|ICSS.A.A|ICSS.B.B|ICSS.C.C|ICSS.D.D|ICSS.E.E|ICSS.F.F|ICSS.G.G|ICSS.H.H|"
    "ICSS.I.I|ICSS.J.J|DOSS.Boot.BootTrg|DOSS.Second.SecTrg|IOSS.Logon.Logon|\\\r\n";

std::vector<std::string> itemsOf(const QListWidget* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
    return items;
}

// Whether a panel is drawn over every other visible panel of its window.
bool inFront(const QWidget* panel, const TZ7set1& window) {
    const QObjectList& order = panel->parentWidget()->children();
    const auto at = order.indexOf(panel);
    for (const QGroupBox* other : window.panels())
        if (other != panel && other->isVisible() && order.indexOf(other) > at) return false;
    return true;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { z7::test::testApplication(); }

    void withLibrary() {
        std::filesystem::create_directories(dir.file("Z7System"));
        dir.write("Z7System/Z7MODDEF.TXT", TestLibrary);
    }
    TZ7set1& start() {
        window = std::make_unique<TZ7set1>(dialogs, dir.dir());
        return *window;
    }
    std::vector<std::string> preferenceLines() const { return z7::splitLines(dir.read("Z7Setup.ini")); }

    z7::test::TempDir dir;
    z7::test::ScriptedDialogs dialogs;
    std::unique_ptr<TZ7set1> window;
};

TEST_F(MainWindow, FirstStartCreatesPreferencesAndShowsTheStartPanels) {
    withLibrary();
    TZ7set1& w = start();

    const std::string p = dir.dir();
    EXPECT_EQ(preferenceLines(), (std::vector<std::string> {p + "Z7System/", p + "Z7Projct/", p + "Z7Spares",
                                                             p + "Z7Basic/", p + "Z7Spares", "0400311"}));
    EXPECT_EQ(w.preferencesPanel()->systemDirectory()->text().toStdString(), p + "Z7System/");
    EXPECT_EQ(w.preferencesPanel()->projectDirectory()->text().toStdString(), p + "Z7Projct/");
    EXPECT_EQ(w.preferencesPanel()->basicDirectory()->text().toStdString(), p + "Z7Basic/");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();

    EXPECT_EQ(w.windowTitle().toStdString(), "V5.63  ");
    EXPECT_EQ(w.geometry().size(), QSize(800, 600));

    QGroupBox* cards = w.panel("Select Z7 Cards");
    QGroupBox* modules = w.panel("Modules in this Z7 Project");
    for (const QGroupBox* panel : w.panels())
        EXPECT_EQ(panel->isVisibleTo(&w), panel == cards || panel == modules) << panel->title().toStdString();
    w.show();
    EXPECT_TRUE(inFront(cards, w));
    const QObjectList& order = w.background()->children();
    for (const QGroupBox* panel : w.panels())
        if (panel != modules) {
            EXPECT_LT(order.indexOf(modules), order.indexOf(panel)) << panel->title().toStdString();
        }

    EXPECT_EQ(itemsOf(w.projectModules()->list(1)), std::vector<std::string> {"System...System"});
    EXPECT_EQ(w.projectModules()->tabs()->tabText(0).toStdString(), "I/O + Sys");
    EXPECT_EQ(itemsOf(w.databaseTabs()->nameList(DatabaseKind::Status)),
              (std::vector<std::string> {"System.BootTrg", "System.SecTrg"}));
    EXPECT_EQ(itemsOf(w.databaseTabs()->nameList(DatabaseKind::Integer)), std::vector<std::string> {"System.Logon"});

    EXPECT_EQ(itemsOf(w.libraryTabs()->categoryList(1)), (std::vector<std::string> {"Analog input", "System"}));
    EXPECT_EQ(itemsOf(w.libraryTabs()->categoryList(2)), std::vector<std::string> {"Scaler"});
    for (int category = 3; category <= 5; ++category) EXPECT_EQ(w.libraryTabs()->categoryList(category)->count(), 0);
    EXPECT_EQ(w.libraryTabs()->height(), LibraryTabs::CollapsedHeight);

    EXPECT_EQ(w.statusPanel(0)->text().toStdString(), "Ram= 0/200704");
    EXPECT_EQ(w.statusPanel(1)->text().toStdString(), "Flash= 0/262144");
    EXPECT_EQ(w.statusPanel(2)->text().toStdString(), "");
    EXPECT_FALSE(w.toolbarAction("    Save    ")->isEnabled());
    EXPECT_FALSE(w.toolbarAction("Compile")->isEnabled());
    EXPECT_FALSE(w.toolbarAction("List Errors")->isEnabled());
    EXPECT_TRUE(w.toolbarAction("Set Cards")->isEnabled());
    EXPECT_EQ(w.toolbarAction("Compile")->toolTip().toStdString(), "Compile Loaded Pgm");
    EXPECT_TRUE(w.modeButton(Mode::Design)->isChecked());
    EXPECT_FALSE(w.project().needToSave || w.project().needToCompile || w.project().projectPresent ||
                 w.project().entriesChanged);
}

TEST_F(MainWindow, MissingLibraryIsReportedOnceAndTheSystemInstanceStillListed) {
    TZ7set1& w = start();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(z7::startsWith(dialogs.shown[0], "error: ")) << dialogs.shown[0];
    EXPECT_NE(dialogs.shown[0].find("Z7MODDEF.TXT"), std::string::npos) << dialogs.shown[0];
    ASSERT_EQ(w.projectModules()->list(1)->count(), 1);
    EXPECT_EQ(w.projectModules()->list(1)->item(0)->text().toStdString(), "System...");
}

TEST_F(MainWindow, ExistingPreferencesAreReadNotReplaced) {
    dir.write("Z7Setup.ini", "/sys/\r\n/proj/\r\nSpare\r\n/bas/\r\nSpare\r\n1611310\r\n/proj/a.zxn\r\n/proj/b&c.zxn\r\n");
    const std::string before = dir.read("Z7Setup.ini");
    TZ7set1& w = start();
    EXPECT_EQ(dir.read("Z7Setup.ini"), before);
    EXPECT_EQ(w.preferencesPanel()->systemDirectory()->text().toStdString(), "/sys/");

    CommunicationsPanel* com = w.communicationsPanel();
    EXPECT_EQ(com->portGroup()->checkedId(), 1);      // COM2
    EXPECT_EQ(com->baudRateGroup()->checkedId(), 6);  // 38,400
    EXPECT_EQ(com->protocolGroup()->checkedId(), 1);  // XModem
    EXPECT_EQ(com->parityGroup()->checkedId(), 1);    // Odd
    EXPECT_EQ(com->wordLengthGroup()->checkedId(), 3);  // 8
    EXPECT_EQ(com->baudRateGroup()->checkedButton()->text().toStdString(), "38,400");
    EXPECT_TRUE(w.preferencesPanel()->alphabetize()->isChecked());
    EXPECT_FALSE(w.preferencesPanel()->flagDuplicates()->isChecked());

    // The recent names, shown as they are (a "&" is part of the name).
    const auto& recent = w.recentActions();
    ASSERT_EQ(recent.size(), 10u);
    EXPECT_TRUE(recent[0]->isVisible());
    EXPECT_EQ(recent[0]->data().toString().toStdString(), "/proj/a.zxn");
    EXPECT_EQ(recent[1]->data().toString().toStdString(), "/proj/b&c.zxn");
    EXPECT_EQ(recent[1]->iconText().toStdString(), "/proj/b&c.zxn");
    EXPECT_FALSE(recent[2]->isVisible());
}

TEST_F(MainWindow, EveryPanelHasItsPlace) {
    withLibrary();
    TZ7set1& w = start();
    const struct {
        const char* caption;
        QRect place;
    } places[] = {
        {"Select Z7 Cards", {0, 56, 785, 417}},          {"Modules in this Z7 Project", {200, 144, 345, 321}},
        {"Module Workspace", {0, 56, 545, 417}},         {"Variable Search", {0, 56, 545, 417}},
        {"Define Module for Library", {0, 56, 769, 417}}, {"Module Tree view", {0, 56, 545, 417}},
        {"Preferences", {264, 80, 281, 313}},            {"Communications Setup", {200, 80, 345, 321}},
        {"Compiler Status", {100, 136, 445, 337}},       {"Display/Report Editor", {0, 56, 545, 417}},
        {"TLM Workbox", {0, 56, 545, 417}},              {"Multiplier...", {96, 112, 321, 265}},
        {"Special TLM Fields", {96, 112, 161, 127}},     {"Ladder Editor", {0, 56, 545, 417}},
        {"Table Editor", {0, 56, 545, 417}},             {"Speech Report Setup", {0, 56, 545, 417}},
        {"Terminal:", {0, 56, 553, 417}},                {"Load Progress:", {136, 152, 297, 121}},
        {"Watch Window", {0, 56, 545, 417}},             {"Documentation Choices", {520, 56, 193, 417}},
        {"UserNotes", {0, 64, 545, 417}},
    };
    EXPECT_EQ(w.panels().size(), std::size(places));
    for (const auto& p : places) {
        const QGroupBox* panel = w.panel(p.caption);
        ASSERT_NE(panel, nullptr) << p.caption;
        EXPECT_EQ(panel->title().toStdString(), p.caption);
        EXPECT_EQ(panel->geometry(), p.place) << p.caption;
    }
    const auto* remote = w.panel("Terminal:")->findChild<QGroupBox*>("SendProgramToRemote");
    ASSERT_NE(remote, nullptr);
    EXPECT_EQ(remote->title().toStdString(), "Send Program to Remote");
    EXPECT_FALSE(remote->isVisibleTo(&w));
}

TEST_F(MainWindow, SaveAndCompileFollowTheMarks) {
    withLibrary();
    TZ7set1& w = start();
    QAction* save = w.toolbarAction("    Save    ");
    QAction* compile = w.toolbarAction("Compile");

    w.project().markChanged();
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(compile->isEnabled());
    EXPECT_EQ(w.statusPanel(2)->text().toStdString(), "  Need to save...  Need to compile...");

    const std::string path = dir.file("Z7Projct/pump&well.zxn");
    std::filesystem::create_directories(dir.file("Z7Projct"));
    dialogs.fileAnswers.push_back(path);
    w.saveClicked();
    EXPECT_TRUE(z7::fileExists(path));
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(compile->isEnabled());
    EXPECT_EQ(w.statusPanel(2)->text().toStdString(), "  Need to compile...");
    EXPECT_EQ(w.windowTitle().toStdString(), "V5.63  " + path);
    EXPECT_TRUE(w.recentActions()[0]->isVisible());
    EXPECT_EQ(w.recentActions()[0]->iconText().toStdString(), path);

    w.newClicked();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(compile->isEnabled());
    EXPECT_EQ(w.windowTitle().toStdString(), "V5.63  ");

    // The drop-down opens the very path it shows.
    w.recentActions()[0]->trigger();
    EXPECT_EQ(w.windowTitle().toStdString(), "V5.63  " + path);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(compile->isEnabled());
    EXPECT_TRUE(w.project().projectPresent);
    EXPECT_FALSE(w.osAtLastSave()->text().isEmpty());
    EXPECT_FALSE(w.dateOfLastSave()->text().isEmpty());
    EXPECT_EQ(w.projectModules()->list(1)->count(), 1);
}

TEST_F(MainWindow, LibraryTabsOpenWhileFocusedAndCollapseOnABackgroundClick) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    LibraryTabs* tabs = w.libraryTabs();
    ASSERT_EQ(tabs->height(), LibraryTabs::CollapsedHeight);

    tabs->categoryList(2)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(tabs->height(), LibraryTabs::OpenHeight);
    EXPECT_EQ(tabs->width(), 240);

    // Moving between its own tabs keeps it open.
    tabs->setCurrentIndex(0);
    tabs->categoryList(1)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(tabs->height(), LibraryTabs::OpenHeight);

    const QPoint spot(300, 40);
    QMouseEvent press(QEvent::MouseButtonPress, spot, w.background()->mapToGlobal(spot), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.background(), &press);
    QApplication::processEvents();
    EXPECT_EQ(tabs->height(), LibraryTabs::CollapsedHeight);

    // A click on a tab opens it as well, also where the window has not got the focus.
    const QPoint tab = tabs->tabBar()->tabRect(1).center();
    QMouseEvent tabPress(QEvent::MouseButtonPress, tab, tabs->tabBar()->mapToGlobal(tab), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs->tabBar(), &tabPress);
    EXPECT_EQ(tabs->height(), LibraryTabs::OpenHeight);
    QApplication::sendEvent(w.background(), &press);
    ASSERT_EQ(tabs->height(), LibraryTabs::CollapsedHeight);

    // Leaving for another field collapses it too.
    tabs->categoryList(1)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(tabs->height(), LibraryTabs::OpenHeight);
    w.osAtLastSave()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(tabs->height(), LibraryTabs::CollapsedHeight);
}

TEST_F(MainWindow, ModeChoosesNameListsOrGrids) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    DatabaseTabs* db = w.databaseTabs();
    auto listsShown = [&] {
        for (int k = 0; k < z7::DatabaseKindCount; ++k) {
            const auto kind = static_cast<DatabaseKind>(k);
            EXPECT_NE(db->nameList(kind)->isHidden(), db->grid(kind)->isHidden());
        }
        return !db->nameList(DatabaseKind::Float)->isHidden();
    };
    EXPECT_TRUE(listsShown());

    w.modeButton(Mode::Debug)->click();
    EXPECT_EQ(w.mode(), Mode::Debug);
    EXPECT_FALSE(listsShown());
    EXPECT_EQ(db->grid(DatabaseKind::Status)->columnCount(), 4);
    EXPECT_EQ(db->grid(DatabaseKind::Tx)->horizontalHeaderItem(2)->text().toStdString(), "Dest.");

    w.modeButton(Mode::Engineer)->click();
    EXPECT_FALSE(listsShown()) << "Engineer keeps what Debug showed";
    w.modeButton(Mode::Design)->click();
    EXPECT_TRUE(listsShown());
    w.modeButton(Mode::Engineer)->click();
    EXPECT_TRUE(listsShown()) << "Engineer keeps what Design showed";

    w.newClicked();
    EXPECT_EQ(w.mode(), Mode::Design);
    EXPECT_TRUE(w.modeButton(Mode::Design)->isChecked());
    EXPECT_FALSE(w.panel("Select Z7 Cards")->isVisible()) << "New puts the card cage away";
}

TEST_F(MainWindow, ClosingAsksAboutUnsavedChangesBeforeWritingPreferences) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    dir.write("Z7Setup.ini", "marker");

    w.project().markChanged();
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(dir.read("Z7Setup.ini"), "marker");
    EXPECT_EQ(dialogs.shown.back(), "confirm: Project has changed, OK to exit?");

    bool hookRan = false;
    w.closeHooks.push_back([&] { hookRan = true; });
    dialogs.confirmAnswers = {true};
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(hookRan);
    const auto lines = preferenceLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "Spare");
    EXPECT_EQ(lines[4], "Spare");
    EXPECT_EQ(lines[5], "0400311");
}

TEST_F(MainWindow, ClosingWithoutChangesAsksNothing) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    dir.write("Z7Setup.ini", "marker");
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(preferenceLines().size(), 6u);
}

TEST_F(MainWindow, PreferencesSaveWritesTheFieldsAndCancelOnlyHides) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    PreferencesPanel* prefs = w.preferencesPanel();
    const std::string before = dir.read("Z7Setup.ini");

    w.preferencesClicked();
    EXPECT_TRUE(prefs->isVisible());
    EXPECT_TRUE(inFront(prefs, w));
    prefs->basicDirectory()->setText("/elsewhere/Basic/");
    prefs->flagDuplicates()->setChecked(false);
    const auto buttons = prefs->findChildren<QAbstractButton*>();
    QAbstractButton* cancel = nullptr;
    QAbstractButton* save = nullptr;
    for (QAbstractButton* b : buttons) {
        if (b->text() == "Cancel") cancel = b;
        if (b->text() == "Save") save = b;
    }
    ASSERT_TRUE(cancel && save);

    cancel->click();
    EXPECT_FALSE(prefs->isVisible());
    EXPECT_EQ(dir.read("Z7Setup.ini"), before);
    EXPECT_EQ(prefs->basicDirectory()->text().toStdString(), "/elsewhere/Basic/") << "edits stay until the next save";

    w.comPortClicked();
    w.preferencesClicked();
    save->click();
    EXPECT_FALSE(prefs->isVisible());
    EXPECT_FALSE(w.communicationsPanel()->isVisible()) << "saving hides both setup panels";
    const auto lines = preferenceLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "/elsewhere/Basic/");
    EXPECT_EQ(lines[5], "0400310");
}

TEST_F(MainWindow, CommunicationsSetupShowsDevicesAndSavesOnX) {
    withLibrary();
    dir.write("Z7Ports.ini", "COM3=/dev/pts/9\r\n");
    ::unsetenv("Z7_COM3");
    TZ7set1& w = start();
    w.show();
    CommunicationsPanel* com = w.communicationsPanel();
    w.comPortClicked();
    EXPECT_TRUE(com->isVisible());
    EXPECT_TRUE(inFront(com, w));
    EXPECT_EQ(com->deviceLabel(3)->text().toStdString(), "/dev/pts/9");
    EXPECT_EQ(com->deviceLabel(1)->text().toStdString(), "/dev/ttyS0");

    com->portGroup()->button(4)->click();
    com->parityGroup()->button(2)->click();
    EXPECT_EQ(w.preferences().port, 4);
    QAbstractButton* x = nullptr;
    for (QAbstractButton* b : com->findChildren<QAbstractButton*>())
        if (b->text() == "X") x = b;
    ASSERT_NE(x, nullptr);
    x->click();
    EXPECT_FALSE(com->isVisible());
    EXPECT_EQ(preferenceLines().at(5), "4402311");
}

TEST_F(MainWindow, NotesAreStoredWithTheProjectAndClearedByNew) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    NotesPanel* notes = w.notesPanel();
    w.notesClicked();
    EXPECT_TRUE(notes->isVisible());
    EXPECT_TRUE(inFront(notes, w));
    notes->text()->setPlainText("Pump station 4\nnorth well");
    notes->storeNotes();
    EXPECT_EQ(w.project().projectNotes, "Pump station 4\r\nnorth well");
    EXPECT_TRUE(w.project().needToSave);
    EXPECT_TRUE(notes->isVisible()) << "Save leaves the panel open";

    // A "|" would break the project file: refused with a message, notes unchanged.
    notes->text()->setPlainText("a|b");
    notes->storeNotes();
    EXPECT_EQ(w.project().projectNotes, "Pump station 4\r\nnorth well");
    EXPECT_TRUE(z7::startsWith(dialogs.shown.back(), "error: "));

    notes->hide();
    w.notesClicked();
    EXPECT_EQ(notes->text()->toPlainText().toStdString(), "Pump station 4\nnorth well");

    dialogs.confirmAnswers = {true};
    w.newClicked();
    EXPECT_TRUE(w.project().projectNotes.empty());
    EXPECT_TRUE(notes->text()->toPlainText().isEmpty());
}

TEST_F(MainWindow, DeleteNeedsASelectionAndRemovesTheInstance) {
    withLibrary();
    TZ7set1& w = start();
    w.deleteClicked();
    EXPECT_EQ(dialogs.shown.back(), "error: You must first select an entry");
    EXPECT_EQ(w.project().instanceCount(), 1);

    w.projectModules()->list(1)->setCurrentRow(0);
    dialogs.confirmAnswers = {false};
    w.deleteClicked();
    EXPECT_EQ(w.project().instanceCount(), 1);

    w.deleteClicked();
    EXPECT_EQ(w.project().instanceCount(), 0);
    EXPECT_EQ(w.projectModules()->list(1)->count(), 0);
    EXPECT_EQ(w.databaseTabs()->nameList(DatabaseKind::Status)->count(), 0);
    EXPECT_TRUE(w.toolbarAction("    Save    ")->isEnabled());
}

TEST_F(MainWindow, ToolbarCommandsBringTheirPanelsToFront) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    const struct {
        void (TZ7set1::*command)();
        const char* panel;
    } cases[] = {
        {&TZ7set1::terminalClicked, "Terminal:"},       {&TZ7set1::watchClicked, "Watch Window"},
        {&TZ7set1::listErrorsClicked, "Compiler Status"}, {&TZ7set1::documentClicked, "Documentation Choices"},
        {&TZ7set1::searchClicked, "Variable Search"},   {&TZ7set1::setCardsClicked, "Select Z7 Cards"},
    };
    for (const auto& c : cases) {
        (w.*c.command)();
        EXPECT_TRUE(w.panel(c.panel)->isVisible()) << c.panel;
        EXPECT_TRUE(inFront(w.panel(c.panel), w)) << c.panel;
    }

    w.libraryTabs()->setCurrentWidget(w.libraryTabs()->ladderPage());
    EXPECT_TRUE(w.panel("Ladder Editor")->isVisible());
    EXPECT_TRUE(inFront(w.panel("Ladder Editor"), w));

    const QList<QAction*> dropDown = w.openProjectButton()->menu()->actions();
    ASSERT_EQ(dropDown.size(), 12);
    EXPECT_EQ(dropDown[0]->text().toStdString(), "New");
    EXPECT_EQ(dropDown[1]->text().toStdString(), "Open");
    EXPECT_EQ(dropDown[2]->objectName().toStdString(), "Name1");
}

}  // namespace

namespace {

TEST_F(MainWindow, PressingADatabaseNameSelectsItAndDragsItWithItsKind) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    QListWidget* status = w.databaseTabs()->nameList(DatabaseKind::Status);
    ASSERT_EQ(status->count(), 2);
    emit status->itemPressed(status->item(1));
    EXPECT_EQ(w.selectedVariable().toStdString(), "System.SecTrg");
    EXPECT_EQ(w.selectedVariableKind(), 'D');

    const std::unique_ptr<QMimeData> dragged(status->model()->mimeData({status->model()->index(1, 0)}));
    ASSERT_NE(dragged, nullptr);
    EXPECT_EQ(dragged->text().toStdString(), "System.SecTrg");
    EXPECT_EQ(dragged->data(DatabaseTabs::MimeType).toStdString(), "DSystem.SecTrg");

    for (int k = 0; k < z7::DatabaseKindCount; ++k) {
        const auto kind = static_cast<DatabaseKind>(k);
        EXPECT_EQ(w.databaseTabs()->nameList(kind)->dragEnabled(), kind != DatabaseKind::Tx) << k;
    }
}

}  // namespace

namespace {

TEST_F(MainWindow, RebuildKeepsEachListSelectionWhileItIsInRange) {
    withLibrary();
    TZ7set1& w = start();
    z7::Jobrecord pump;
    pump.category = 1;
    pump.definitionNumber = 5;
    pump.name = "Well";
    pump.bindings[1] = "Well.Val";
    ASSERT_TRUE(w.project().appendInstance(pump));
    w.rebuildProjectLists();
    QListWidget* io = w.projectModules()->list(1);
    ASSERT_EQ(itemsOf(io), (std::vector<std::string> {"System...System", "Well...Analog input"}));
    EXPECT_EQ(itemsOf(w.databaseTabs()->nameList(DatabaseKind::Float)), std::vector<std::string> {"Well.Val"});

    io->setCurrentRow(1);
    w.rebuildProjectLists();
    EXPECT_EQ(io->currentRow(), 1);
    EXPECT_EQ(w.projectModules()->selectedLine(), "Well...Analog input");

    w.project().removeInstance(2);
    w.rebuildProjectLists();
    EXPECT_EQ(io->count(), 1);
    EXPECT_EQ(w.projectModules()->selectedLine(), "");
}

}  // namespace

namespace {

TEST_F(MainWindow, VariableSearchRunsOnPressedNamesWhileItIsShown) {
    withLibrary();
    TZ7set1& w = start();
    w.show();
    z7::Jobrecord well;
    well.category = 1;
    well.definitionNumber = 5;
    well.name = "Well";
    well.bindings[1] = "Well.Val";
    z7::Jobrecord scaler;
    scaler.category = 2;
    scaler.definitionNumber = 12;
    scaler.name = "Sc";
    scaler.bindings[1] = "Well.Val";
    scaler.bindings[2] = "Sc.Out";
    ASSERT_TRUE(w.project().appendInstance(well) && w.project().appendInstance(scaler));
    z7::TelemetryRow tx;
    tx[z7::TlmPort] = "1";
    tx[z7::TlmType] = "Integer";
    tx[z7::TlmName] = "FLOW";
    w.project().txRows.push_back(tx);
    w.rebuildProjectLists();
    QListWidget* floats = w.databaseTabs()->nameList(DatabaseKind::Float);
    ASSERT_EQ(itemsOf(floats), (std::vector<std::string> {"Sc.Out", "Well.Val"}));
    VariableSearchPanel* search = w.variableSearchPanel();

    // Hidden panel: the press selects but does not search.
    emit floats->itemPressed(floats->item(1));
    EXPECT_EQ(w.selectedVariable().toStdString(), "Well.Val");
    EXPECT_EQ(w.selectedVariableKind(), 'F');
    w.searchClicked();
    EXPECT_TRUE(search->isVisible());
    EXPECT_TRUE(inFront(search, w));
    EXPECT_TRUE(search->searchField()->text().isEmpty());
    EXPECT_EQ(search->results()->count(), 0);

    emit floats->itemPressed(floats->item(1));
    EXPECT_EQ(search->searchField()->text().toStdString(), "Well.Val");
    ASSERT_GT(search->results()->count(), 0);
    EXPECT_NE(search->results()->item(0)->text().indexOf("Sc"), -1) << search->results()->item(0)->text().toStdString();

    // A TX name is neither selected nor searched.
    QListWidget* txList = w.databaseTabs()->nameList(DatabaseKind::Tx);
    ASSERT_EQ(itemsOf(txList), std::vector<std::string> {"P1DWB.FLOW"});
    emit txList->itemPressed(txList->item(0));
    EXPECT_EQ(w.selectedVariable().toStdString(), "Well.Val");
    EXPECT_EQ(search->searchField()->text().toStdString(), "Well.Val");

    for (QAbstractButton* b : search->findChildren<QAbstractButton*>())
        if (b->text() == "Cancel") b->click();
    EXPECT_FALSE(search->isVisible());
    emit floats->itemPressed(floats->item(0));
    EXPECT_EQ(w.selectedVariable().toStdString(), "Sc.Out");
    EXPECT_EQ(search->searchField()->text().toStdString(), "Well.Val") << "no search while the panel is closed";
}

}  // namespace
