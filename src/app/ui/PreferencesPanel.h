#pragma once
// "Preferences": the three directories and the two compiler options. Edits go straight into the
// preferences; "Save" writes them, "Cancel" only hides the panel.
#include <QGroupBox>

class QCheckBox;
class QLineEdit;

namespace z7 {
struct Preferences;
}

class PreferencesPanel : public QGroupBox {
    Q_OBJECT
public:
    PreferencesPanel(z7::Preferences& preferences, QWidget* parent = nullptr);

    // Shows the values the preferences hold now.
    void load();

    QLineEdit* systemDirectory() const { return system_; }
    QLineEdit* projectDirectory() const { return project_; }
    QLineEdit* basicDirectory() const { return basic_; }
    QCheckBox* alphabetize() const { return alphabetize_; }
    QCheckBox* flagDuplicates() const { return flagDuplicates_; }

signals:
    void saveClicked();

private:
    z7::Preferences& preferences_;
    QLineEdit* system_ = nullptr;
    QLineEdit* project_ = nullptr;
    QLineEdit* basic_ = nullptr;
    QCheckBox* alphabetize_ = nullptr;
    QCheckBox* flagDuplicates_ = nullptr;
};
