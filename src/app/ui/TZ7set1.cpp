#include "app/ui/TZ7set1.h"

#include "app/ui/Background.h"
#include "app/ui/CommunicationsPanel.h"
#include "app/ui/NotesPanel.h"
#include "app/ui/PreferencesPanel.h"
#include "compiler/ReassignRam.h"
#include "compiler/ui/CompilerStatusPanel.h"
#include "library/ui/DatabaseTabs.h"
#include "library/ui/LibraryTabs.h"
#include "library/ui/ProjectModulesPanel.h"
#include "library/ui/VariableSearchPanel.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

namespace {

QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

struct PanelPlace {
    const char* caption;
    QRect place;
};

// Every editor panel with its place over the client area.
const PanelPlace panelPlaces[] = {
    {"Select Z7 Cards", {0, 56, 785, 417}},
    {"Modules in this Z7 Project", {200, 144, 345, 321}},
    {"Module Workspace", {0, 56, 545, 417}},
    {"Variable Search", {0, 56, 545, 417}},
    {"Define Module for Library", {0, 56, 769, 417}},
    {"Module Tree view", {0, 56, 545, 417}},
    {"Preferences", {264, 80, 281, 313}},
    {"Communications Setup", {200, 80, 345, 321}},
    {"Compiler Status", {100, 136, 445, 337}},
    {"Display/Report Editor", {0, 56, 545, 417}},
    {"TLM Workbox", {0, 56, 545, 417}},
    {"Multiplier...", {96, 112, 321, 265}},
    {"Special TLM Fields", {96, 112, 161, 127}},
    {"Ladder Editor", {0, 56, 545, 417}},
    {"Table Editor", {0, 56, 545, 417}},
    {"Speech Report Setup", {0, 56, 545, 417}},
    {"Terminal:", {0, 56, 553, 417}},
    {"Load Progress:", {136, 152, 297, 121}},
    {"Watch Window", {0, 56, 545, 417}},
    {"Documentation Choices", {520, 56, 193, 417}},
    {"UserNotes", {0, 64, 545, 417}},
};

// The right-hand column of the client area: the library above the databases.
constexpr int SideLeft = 552;
constexpr int SideWidth = 240;
constexpr int LibraryTop = 18;
constexpr int DatabaseTop = 80;
constexpr int DatabaseHeight = 393;

}  // namespace

TZ7set1::TZ7set1(z7::Dialogs& dialogs, std::string programDirectory, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), programDirectory_(std::move(programDirectory)) {
    setObjectName("Z7set1");
    commands_ = std::make_unique<z7::ProjectCommands>(project_, library_, preferences_, dialogs_);

    // 1. Place the window; no project yet, nothing to save, Design mode.
    setGeometry(4, 4, 800, 600);
    // The panels are laid out in pixels for this window size; a small font keeps their texts inside.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildClientArea();
    buildPanels();
    project_.projectPresent = false;
    toolbarAction("    Save    ")->setEnabled(false);
    setMode(z7::Mode::Design);

    // 2. Preferences from the program directory.
    std::string error;
    if (!z7::readPreferences(programDirectory_, preferences_, error)) dialogs_.error(error);
    preferencesPanel_->load();
    communicationsPanel_->load();
    refreshRecentNames();

    // 3. The link, display and telemetry editors set their start values here as they join the window.

    // 4. Every panel hidden in its place; the project's modules behind all others; Design view.
    for (QGroupBox* box : panelOrder_) box->hide();
    projectModules_->show();
    projectModules_->lower();
    databaseTabs_->showGrids(false);

    // 5. The module library.
    loadLibrary();

    // 6. A new project with its "System" instance.
    project_.onMarksChanged = [this] { marksChanged(); };
    commands_->addResetHook([this] { projectReset(); });
    commands_->onProjectChanged = [this] { projectChanged(); };
    commands_->newProject();

    // 7. Telemetry grid headers.
    databaseTabs_->writeTelemetryHeaders();

    // 8. and 9. The loader, watch, telemetry and card cage editors take their defaults here as they join.

    // 10. The card cage in front.
    showInFront(panel("Select Z7 Cards"));

    // 11. Marks and fields as after a fresh start.
    collapseLibraryTabs();
    project_.entriesChanged = false;
    project_.needToCompile = false;
    project_.needToSave = false;
    showMarks();
    osAtLastSave_->clear();
    dateOfLastSave_->clear();
}

TZ7set1::~TZ7set1() {
    project_.onMarksChanged = nullptr;
    commands_->onProjectChanged = nullptr;
    // The panels hold references into the core members, which go before the base class deletes its
    // children: the panels go first.
    delete takeCentralWidget();
}

void TZ7set1::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New", QKeySequence::New, this, &TZ7set1::newClicked);
    file->addAction("&Open Project...", QKeySequence::Open, this, &TZ7set1::openClicked);
    file->addAction("&Save", QKeySequence::Save, this, &TZ7set1::saveClicked);
    file->addAction("Save &As...", QKeySequence::SaveAs, this, &TZ7set1::saveAsClicked);
    file->addSeparator();
    file->addAction("E&xit", QKeySequence::Quit, this, &QWidget::close);
    QMenu* setup = menuBar()->addMenu("&Setup");
    setup->addAction("&Com Port", this, &TZ7set1::comPortClicked);
    setup->addAction("&Preferences", this, &TZ7set1::preferencesClicked);
}

void TZ7set1::buildToolbar() {
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto* dropDown = new QMenu(this);
    dropDown->addAction("New", this, &TZ7set1::newClicked);
    dropDown->addAction("Open", this, &TZ7set1::openClicked);
    for (int i = 0; i < static_cast<int>(z7::Preferences::MaxRecent); ++i) {
        QAction* recent = dropDown->addAction(QString("Name%1").arg(i + 1));
        recent->setObjectName(QString("Name%1").arg(i + 1));
        recent->setVisible(false);
        connect(recent, &QAction::triggered, this, [this, i] { openRecentClicked(i); });
        recentActions_.push_back(recent);
    }
    openButton_ = new QToolButton(bar);
    openButton_->setText("Open Proj");
    openButton_->setMenu(dropDown);
    openButton_->setPopupMode(QToolButton::MenuButtonPopup);
    connect(openButton_, &QToolButton::clicked, this, &TZ7set1::openClicked);
    bar->addWidget(openButton_);

    struct ToolbarButton {
        const char* caption;
        const char* hint;
        void (TZ7set1::*slot)();
    };
    const ToolbarButton buttons[] = {
        {"  Save As ", "", &TZ7set1::saveAsClicked},
        {"    Save    ", "Save Project", &TZ7set1::saveClicked},
        {nullptr, nullptr, nullptr},
        {"Set Cards", "Open Card Config Panel", &TZ7set1::setCardsClicked},
        {"Compile", "Compile Loaded Pgm", &TZ7set1::compileClicked},
        {"Send Pgm", "Send Pgm to Local Z3/Z7", &TZ7set1::sendPgmClicked},
        {"Terminal", "Open Terminal to Local Z3/Z7", &TZ7set1::terminalClicked},
        {"Watch", "Watch Variables", &TZ7set1::watchClicked},
        {"List Errors", "Error List...Last Compile", &TZ7set1::listErrorsClicked},
        {"Reassign", "Clear RAM Assignments", &TZ7set1::reassignClicked},
        {"Document", "Gen Documentation", &TZ7set1::documentClicked},
    };
    for (const ToolbarButton& button : buttons) {
        if (!button.caption) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(button.caption, this, button.slot);
        if (*button.hint) action->setToolTip(button.hint);
        toolbarActions_[button.caption] = action;
    }
    toolbarAction("List Errors")->setEnabled(false);
}

void TZ7set1::buildStatusBar() {
    const char* initial[] = {"RAM", "FLASH", "Messages:"};
    const int widths[] = {150, 150, 0};
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(initial[i]);
        statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
        if (widths[i]) statusPanels_[i]->setMinimumWidth(widths[i]);
        statusBar()->addWidget(statusPanels_[i], widths[i] ? 0 : 1);
    }
}

void TZ7set1::buildClientArea() {
    background_ = new Background(makeBackgroundPicture());
    setCentralWidget(background_);
    connect(background_, &Background::clicked, this, &TZ7set1::collapseLibraryTabs);

    auto* modeBox = new QGroupBox("Mode...", background_);
    modeBox->setObjectName("ModeGroup");
    modeBox->setGeometry(4, 2, 214, 48);
    auto* modeGroup = new QButtonGroup(this);
    const char* modeCaptions[] = {"Design", "Debug", "Engineer"};
    const int modeLefts[] = {6, 72, 134};
    const int modeWidths[] = {64, 60, 76};
    for (int m = 0; m < 3; ++m) {
        modeButtons_[m] = new QRadioButton(modeCaptions[m], modeBox);
        modeButtons_[m]->setGeometry(modeLefts[m], 20, modeWidths[m], 22);
        modeGroup->addButton(modeButtons_[m], m);
    }
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int m) { setMode(static_cast<z7::Mode>(m)); });

    auto labelled = [this](const char* caption, int left, int width) {
        auto* label = new QLabel(caption, background_);
        label->setGeometry(left, 4, width, 18);
        auto* field = new QLineEdit(background_);
        field->setReadOnly(true);
        field->setGeometry(left, 24, width, 24);
        return field;
    };
    osAtLastSave_ = labelled("OS at last save:", 224, 92);
    dateOfLastSave_ = labelled("Date of last save:", 322, 124);
    auto* notesButton = new QPushButton("Read/Edit Notes", background_);
    notesButton->setObjectName("ReadEditNotes");
    notesButton->setGeometry(452, 22, 96, 26);
    connect(notesButton, &QPushButton::clicked, this, &TZ7set1::notesClicked);

    auto* libraryCaption = new QLabel("Z7 MODULE LIBRARY", background_);
    libraryCaption->setGeometry(SideLeft, 0, SideWidth, 18);
    libraryCaption->setAlignment(Qt::AlignCenter);
    auto* databaseCaption = new QLabel("Z7 DATABASES", background_);
    databaseCaption->setGeometry(SideLeft, DatabaseTop - 18, SideWidth, 18);
    databaseCaption->setAlignment(Qt::AlignCenter);

    databaseTabs_ = new DatabaseTabs(background_);
    databaseTabs_->setGeometry(SideLeft, DatabaseTop, SideWidth, DatabaseHeight);
    connect(databaseTabs_, &DatabaseTabs::entryPressed, this, &TZ7set1::databaseEntryPressed);

    libraryTabs_ = new LibraryTabs(background_);
    libraryTabs_->setGeometry(SideLeft, LibraryTop, SideWidth, LibraryTabs::CollapsedHeight);
    connect(libraryTabs_, &LibraryTabs::moduleClicked, this, &TZ7set1::libraryModuleClicked);
    connect(libraryTabs_, &LibraryTabs::ladderEntered, this, &TZ7set1::ladderTabEntered);
}

void TZ7set1::buildPanels() {
    for (const PanelPlace& place : panelPlaces) {
        const QString caption = place.caption;
        QGroupBox* box = nullptr;
        if (caption == "Modules in this Z7 Project") {
            projectModules_ = new ProjectModulesPanel(background_);
            connect(projectModules_, &ProjectModulesPanel::detailsClicked, this, &TZ7set1::detailsClicked);
            connect(projectModules_, &ProjectModulesPanel::treeClicked, this, &TZ7set1::treeClicked);
            connect(projectModules_, &ProjectModulesPanel::deleteClicked, this, &TZ7set1::deleteClicked);
            connect(projectModules_, &ProjectModulesPanel::cloneClicked, this, &TZ7set1::cloneClicked);
            connect(projectModules_, &ProjectModulesPanel::searchClicked, this, &TZ7set1::searchClicked);
            box = projectModules_;
        } else if (caption == "Preferences") {
            preferencesPanel_ = new PreferencesPanel(preferences_, background_);
            connect(preferencesPanel_, &PreferencesPanel::saveClicked, this, &TZ7set1::savePreferences);
            box = preferencesPanel_;
        } else if (caption == "Communications Setup") {
            communicationsPanel_ = new CommunicationsPanel(preferences_, programDirectory_, background_);
            connect(communicationsPanel_, &CommunicationsPanel::closeClicked, this, &TZ7set1::savePreferences);
            box = communicationsPanel_;
        } else if (caption == z7::VariableSearch::Caption) {
            searchPanel_ = new VariableSearchPanel(search_, background_);
            connect(searchPanel_, &VariableSearchPanel::cancelClicked, this, &TZ7set1::closeSearch);
            box = searchPanel_;
        } else if (caption == "UserNotes") {
            notesPanel_ = new NotesPanel(*commands_, background_);
            box = notesPanel_;
        } else {
            box = new QGroupBox(caption, background_);
            if (caption == "Compiler Status") compilerStatus_ = new CompilerStatusPanel(box);
            if (caption == "Terminal:") {
                auto* remote = new QGroupBox("Send Program to Remote", box);
                remote->setObjectName("SendProgramToRemote");
                remote->setGeometry(8, 200, 537, 209);
                remote->hide();
            }
        }
        box->setGeometry(place.place);
        box->setAutoFillBackground(true);
        panelsByCaption_[caption] = box;
        panelOrder_.push_back(box);
    }
}

QGroupBox* TZ7set1::panel(const QString& caption) const {
    const auto found = panelsByCaption_.find(caption);
    return found == panelsByCaption_.end() ? nullptr : found->second;
}

void TZ7set1::showInFront(QGroupBox* box) {
    if (!box) return;
    box->show();
    box->raise();
}

QAction* TZ7set1::toolbarAction(const QString& caption) const {
    const auto found = toolbarActions_.find(caption);
    return found == toolbarActions_.end() ? nullptr : found->second;
}

void TZ7set1::setMode(z7::Mode mode) {
    mode_.setMode(mode);
    modeButtons_[static_cast<int>(mode)]->setChecked(true);
    databaseTabs_->showGrids(mode_.showGrids);
}

void TZ7set1::loadLibrary() {
    std::vector<std::string> messages;
    library_.load(preferences_.systemDirectory, messages);
    libraryTabs_->fill(library_);
    if (messages.empty()) return;
    // One box for all of them; a badly broken library must not bury the window under boxes.
    constexpr std::size_t Shown = 20;
    std::string text;
    for (std::size_t i = 0; i < messages.size() && i < Shown; ++i) text += (i ? "\n" : "") + messages[i];
    if (messages.size() > Shown) text += "\n... and " + std::to_string(messages.size() - Shown) + " more.";
    dialogs_.error(text);
}

void TZ7set1::rebuildProjectLists() {
    lists_ = z7::rebuildProjectLists(project_, library_);
    projectModules_->fill(lists_);
    databaseTabs_->fill(lists_);
    showMemoryUse();
}

void TZ7set1::showMemoryUse() {
    statusPanels_[0]->setText(toQt(project_.ramUseText()));
    statusPanels_[1]->setText(toQt(project_.flashUseText()));
}

void TZ7set1::showMarks() { project_.showMarks(); }

void TZ7set1::marksChanged() {
    statusPanels_[2]->setText(toQt(project_.marksText()));
    toolbarAction("    Save    ")->setEnabled(project_.needToSave);
    toolbarAction("Compile")->setEnabled(project_.needToCompile);
}

bool TZ7set1::savePreferences() {
    std::string error;
    const bool saved = z7::savePreferences(programDirectory_, preferences_, error);
    if (!saved) dialogs_.error(error);
    preferencesPanel_->hide();
    communicationsPanel_->hide();
    return saved;
}

void TZ7set1::collapseLibraryTabs() { libraryTabs_->collapse(); }

void TZ7set1::setListErrorsEnabled(bool enabled) { toolbarAction("List Errors")->setEnabled(enabled); }

void TZ7set1::projectReset() {
    setMode(z7::Mode::Design);
    notesPanel_->clear();
    panel("Select Z7 Cards")->hide();
    setListErrorsEnabled(false);
    for (int k = 0; k < z7::DatabaseKindCount; ++k) {
        const auto kind = static_cast<z7::DatabaseKind>(k);
        if (kind != z7::DatabaseKind::Tx && kind != z7::DatabaseKind::Rx) databaseTabs_->grid(kind)->setRowCount(0);
    }
}

void TZ7set1::projectChanged() {
    rebuildProjectLists();
    setWindowTitle(toQt(commands_->caption()));
    refreshRecentNames();
    osAtLastSave_->setText(toQt(project_.versionAtLastSave));
    dateOfLastSave_->setText(toQt(project_.dateOfLastSave));
    collapseLibraryTabs();
    marksChanged();
}

void TZ7set1::refreshRecentNames() {
    const auto& recent = preferences_.recentProjects;
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        const bool present = i < recent.size();
        const QString path = present ? toQt(recent[i]) : QString();
        // A "&" in a path is a character of the name, not a menu accelerator.
        action->setText(present ? QString(path).replace("&", "&&") : QString("Name%1").arg(i + 1));
        action->setData(path);
        action->setVisible(present);
    }
}

void TZ7set1::newClicked() { commands_->newProject(); }

void TZ7set1::openClicked() { commands_->openProject(); }

void TZ7set1::openRecentClicked(int index) {
    if (index < 0 || index >= static_cast<int>(recentActions_.size())) return;
    const std::string path = recentActions_[static_cast<std::size_t>(index)]->data().toString().toLocal8Bit().toStdString();
    commands_->openRecent(path);
}

void TZ7set1::saveClicked() { commands_->saveProject(); }

void TZ7set1::saveAsClicked() { commands_->saveProjectAs(); }

void TZ7set1::setCardsClicked() { showInFront(panel("Select Z7 Cards")); }

void TZ7set1::compileClicked() {
    if (compilerStatus_->running()) return;
    collapseLibraryTabs();
    showInFront(panel("Compiler Status"));
    setCommandsEnabled(false);
    const z7::CompileResult result = compilerStatus_->compile(project_, library_, preferences_);
    setCommandsEnabled(true);
    setListErrorsEnabled(!result.success && !result.halted);
    // New RAM assignments went back into the project; its lists and marks show them.
    rebuildProjectLists();
    fillDebugGrids();
    showMemoryUse();
    showMarks();
}

void TZ7set1::setCommandsEnabled(bool enabled) {
    menuBar()->setEnabled(enabled);
    for (QToolBar* bar : findChildren<QToolBar*>()) bar->setEnabled(enabled);
    libraryTabs_->setEnabled(enabled);
    databaseTabs_->setEnabled(enabled);
    for (QGroupBox* box : panelOrder_)
        if (box != panel("Compiler Status")) box->setEnabled(enabled);
}

void TZ7set1::fillDebugGrids() {
    auto setRows = [](QTableWidget* grid, const std::vector<std::vector<std::string>>& rows) {
        grid->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int c = 0; c < static_cast<int>(rows[static_cast<std::size_t>(r)].size()) && c < grid->columnCount(); ++c)
                grid->setItem(r, c, new QTableWidgetItem(toQt(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])));
    };
    if (const z7::CompileContext* compiled = compilerStatus_->lastCompile()) {
        auto symbolRows = [](const z7::SymbolTable& table, bool withBit) {
            std::vector<std::vector<std::string>> rows;
            for (const z7::SymbolRow& row : table.rows()) {
                rows.push_back({row.name, row.value, row.address});
                if (withBit) rows.back().push_back(row.bit);
            }
            return rows;
        };
        setRows(databaseTabs_->grid(z7::DatabaseKind::Float), symbolRows(compiled->symbols.floats, false));
        setRows(databaseTabs_->grid(z7::DatabaseKind::Integer), symbolRows(compiled->symbols.integers, false));
        setRows(databaseTabs_->grid(z7::DatabaseKind::Status), symbolRows(compiled->symbols.statuses, true));
        setRows(databaseTabs_->grid(z7::DatabaseKind::String), symbolRows(compiled->symbols.strings, false));
    }
    auto telemetryRows = [](const std::vector<z7::TelemetryRow>& rows) {
        std::vector<std::vector<std::string>> out;
        for (const z7::TelemetryRow& row : rows) out.emplace_back(row.begin(), row.end());
        return out;
    };
    setRows(databaseTabs_->grid(z7::DatabaseKind::Tx), telemetryRows(project_.txRows));
    setRows(databaseTabs_->grid(z7::DatabaseKind::Rx), telemetryRows(project_.rxRows));
}

void TZ7set1::sendPgmClicked() {
    // The program download starts from here once the loader is part of the window.
}

void TZ7set1::terminalClicked() { showInFront(panel("Terminal:")); }

void TZ7set1::watchClicked() { showInFront(panel("Watch Window")); }

void TZ7set1::listErrorsClicked() { showInFront(panel("Compiler Status")); }

void TZ7set1::reassignClicked() {
    if (z7::ReassignRam(project_, dialogs_)) showMemoryUse();
}

void TZ7set1::documentClicked() { showInFront(panel("Documentation Choices")); }

void TZ7set1::comPortClicked() { showInFront(communicationsPanel_); }

void TZ7set1::preferencesClicked() { showInFront(preferencesPanel_); }

void TZ7set1::notesClicked() { notesPanel_->showNotes(); }

void TZ7set1::libraryModuleClicked(int, const QString&) {
    // The Module Workspace (Design, Debug) and the definition panel (Engineer) open from here;
    // mode_.libraryClickDefines() chooses between them.
}

void TZ7set1::ladderTabEntered() { showInFront(panel("Ladder Editor")); }

void TZ7set1::detailsClicked() {
    // Opens the selected instance in the Module Workspace once the workspace is part of the window.
}

void TZ7set1::treeClicked() { showInFront(panel("Module Tree view")); }

void TZ7set1::deleteClicked() {
    if (!dialogs_.confirm("Confirm OK to delete?")) return;
    const std::string line = projectModules_->selectedLine();
    if (line.empty()) {
        dialogs_.error("You must first select an entry");
        return;
    }
    const int number = z7::findInstanceByListLine(project_, line);
    if (number < 1 || number > project_.instanceCount()) return;
    project_.removeInstance(number);
    rebuildProjectLists();
    project_.markChanged();
}

void TZ7set1::cloneClicked() {
    // Opens the selected instance as the template of a new one once the workspace is part of the window.
}

void TZ7set1::searchClicked() {
    search_.open();
    searchPanel_->refresh();
    showInFront(searchPanel_);
}

void TZ7set1::closeSearch() {
    search_.close();
    searchPanel_->hide();
}

void TZ7set1::databaseEntryPressed(const QString& name, char kindLetter) {
    // TX names are only shown: never dragged, never searched.
    if (kindLetter == z7::letterOf(z7::DatabaseKind::Tx)) return;
    selectedVariable_ = name;
    selectedVariableKind_ = kindLetter;
    search_.entryPressed(project_, library_, name.toLocal8Bit().toStdString());
    if (search_.isVisible()) searchPanel_->refresh();
}

void TZ7set1::closeEvent(QCloseEvent* event) {
    if (compilerStatus_->running()) {
        // The compile is still on the stack below this event: stop it first.
        compilerStatus_->cancel();
        event->ignore();
        return;
    }
    if (project_.needToSave && !dialogs_.confirm("Project has changed, OK to exit?")) {
        event->ignore();
        return;
    }
    savePreferences();
    for (const auto& hook : closeHooks) hook();
    event->accept();
}
