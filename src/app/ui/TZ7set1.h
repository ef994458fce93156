#pragma once
// The main window: owns the project, the module library, the preferences and the project commands,
// lays every editor panel over its client area and turns menu, toolbar and panel events into core calls.
#include "app/Dialogs.h"
#include "app/Mode.h"
#include "app/Preferences.h"
#include "app/Project.h"
#include "app/ProjectCommands.h"
#include "doc/VariableSearch.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QToolButton;
class Background;
class CommunicationsPanel;
class CompilerStatusPanel;
class DatabaseTabs;
class LibraryTabs;
class NotesPanel;
class PreferencesPanel;
class ProjectModulesPanel;
class VariableSearchPanel;

class TZ7set1 : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole start-up; dialogs answers every question the window or the core asks.
    TZ7set1(z7::Dialogs& dialogs, std::string programDirectory, QWidget* parent = nullptr);
    ~TZ7set1() override;

    z7::Project& project() { return project_; }
    const z7::ModuleLibrary& library() const { return library_; }
    z7::Preferences& preferences() { return preferences_; }
    z7::ProjectCommands& commands() { return *commands_; }
    const z7::ProjectLists& lists() const { return lists_; }
    z7::Dialogs& dialogs() { return dialogs_; }
    const std::string& programDirectory() const { return programDirectory_; }
    z7::Mode mode() const { return mode_.mode; }

    // The panel with this caption (one of the editor panels laid over the client area), or null.
    QGroupBox* panel(const QString& caption) const;
    const std::vector<QGroupBox*>& panels() const { return panelOrder_; }
    void showInFront(QGroupBox* panel);

    void setMode(z7::Mode mode);
    // Rebuilds every derived list from the project and shows them.
    void rebuildProjectLists();
    void showMarks();
    void showMemoryUse();
    // Writes Z7Setup.ini and hides "Preferences" and "Communications Setup"; false after telling the user.
    bool savePreferences();
    void collapseLibraryTabs();
    void setListErrorsEnabled(bool enabled);

    // The widgets, for the panels that later work adds and for tests.
    LibraryTabs* libraryTabs() const { return libraryTabs_; }
    DatabaseTabs* databaseTabs() const { return databaseTabs_; }
    ProjectModulesPanel* projectModules() const { return projectModules_; }
    PreferencesPanel* preferencesPanel() const { return preferencesPanel_; }
    CommunicationsPanel* communicationsPanel() const { return communicationsPanel_; }
    NotesPanel* notesPanel() const { return notesPanel_; }
    VariableSearchPanel* variableSearchPanel() const { return searchPanel_; }
    CompilerStatusPanel* compilerStatus() const { return compilerStatus_; }
    Background* background() const { return background_; }
    QAction* toolbarAction(const QString& caption) const;
    QToolButton* openProjectButton() const { return openButton_; }
    // "Name1" to "Name10" of the "Open Proj" drop-down.
    const std::vector<QAction*>& recentActions() const { return recentActions_; }
    QLabel* statusPanel(int index) const { return statusPanels_[index]; }  // 0 to 2
    QRadioButton* modeButton(z7::Mode mode) const { return modeButtons_[static_cast<int>(mode)]; }
    QLineEdit* osAtLastSave() const { return osAtLastSave_; }
    QLineEdit* dateOfLastSave() const { return dateOfLastSave_; }

    // The name last pressed in a database list, with its kind letter; what drop targets take.
    const QString& selectedVariable() const { return selectedVariable_; }
    char selectedVariableKind() const { return selectedVariableKind_; }

    // Run when the window closes after the preferences are written (the link closes its port here).
    std::vector<std::function<void()>> closeHooks;

public slots:
    void newClicked();
    void openClicked();
    void openRecentClicked(int index);
    void saveClicked();
    void saveAsClicked();
    void setCardsClicked();
    void compileClicked();
    void sendPgmClicked();
    void terminalClicked();
    void watchClicked();
    void listErrorsClicked();
    void reassignClicked();
    void documentClicked();
    void comPortClicked();
    void preferencesClicked();
    void notesClicked();
    // A click on a name in a library list: a new instance, or in Engineer mode the definition.
    void libraryModuleClicked(int category, const QString& name);
    void ladderTabEntered();
    void detailsClicked();
    void treeClicked();
    void deleteClicked();
    void cloneClicked();
    void searchClicked();
    void closeSearch();
    // The mouse went down on a name in a database list.
    void databaseEntryPressed(const QString& name, char kindLetter);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildClientArea();
    void buildPanels();
    void loadLibrary();
    void projectChanged();
    void projectReset();
    void refreshRecentNames();
    void marksChanged();
    // The Debug view of the databases: the compiled tables of the last compile, the telemetry rows.
    void fillDebugGrids();
    // While a compile lets events run, nothing but its Cancel button may change the project.
    void setCommandsEnabled(bool enabled);

    z7::Dialogs& dialogs_;
    std::string programDirectory_;
    z7::Project project_;
    z7::ModuleLibrary library_;
    z7::Preferences preferences_;
    std::unique_ptr<z7::ProjectCommands> commands_;
    z7::ProjectLists lists_;
    z7::ModeSwitch mode_;
    z7::VariableSearch search_;

    Background* background_ = nullptr;
    LibraryTabs* libraryTabs_ = nullptr;
    DatabaseTabs* databaseTabs_ = nullptr;
    ProjectModulesPanel* projectModules_ = nullptr;
    PreferencesPanel* preferencesPanel_ = nullptr;
    CommunicationsPanel* communicationsPanel_ = nullptr;
    NotesPanel* notesPanel_ = nullptr;
    VariableSearchPanel* searchPanel_ = nullptr;
    CompilerStatusPanel* compilerStatus_ = nullptr;
    std::map<QString, QGroupBox*> panelsByCaption_;
    std::vector<QGroupBox*> panelOrder_;
    std::map<QString, QAction*> toolbarActions_;
    QToolButton* openButton_ = nullptr;
    std::vector<QAction*> recentActions_;
    QLabel* statusPanels_[3] = {};
    QRadioButton* modeButtons_[3] = {};
    QLineEdit* osAtLastSave_ = nullptr;
    QLineEdit* dateOfLastSave_ = nullptr;
    QString selectedVariable_;
    char selectedVariableKind_ = 0;
};
