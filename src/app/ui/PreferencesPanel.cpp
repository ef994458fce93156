#include "app/ui/PreferencesPanel.h"

#include "app/Preferences.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
std::string fromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

PreferencesPanel::PreferencesPanel(z7::Preferences& preferences, QWidget* parent)
    : QGroupBox("Preferences", parent), preferences_(preferences) {
    setObjectName("PreferencesPanel");
    auto field = [this](const char* caption, int top, std::string z7::Preferences::*member) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(12, top, 257, 18);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(12, top + 20, 257, 24);
        connect(edit, &QLineEdit::textChanged, this,
                [this, member](const QString& text) { preferences_.*member = fromQt(text); });
        return edit;
    };
    system_ = field("Directory for SYSTEM files:", 24, &z7::Preferences::systemDirectory);
    project_ = field("Directory for PROJECTfiles:", 76, &z7::Preferences::projectDirectory);
    basic_ = field("Directory for BASIC files:", 128, &z7::Preferences::basicDirectory);

    alphabetize_ = new QCheckBox("Alphabetize Modules Before Compile", this);
    alphabetize_->setGeometry(12, 186, 257, 22);
    connect(alphabetize_, &QCheckBox::toggled, this, [this](bool on) { preferences_.alphabetizeModules = on; });
    flagDuplicates_ = new QCheckBox("Flag Duplicate Database Names", this);
    flagDuplicates_->setGeometry(12, 212, 257, 22);
    connect(flagDuplicates_, &QCheckBox::toggled, this, [this](bool on) { preferences_.flagDuplicateNames = on; });

    auto* save = new QPushButton("Save", this);
    save->setGeometry(40, 260, 90, 30);
    connect(save, &QPushButton::clicked, this, &PreferencesPanel::saveClicked);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setGeometry(150, 260, 90, 30);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void PreferencesPanel::load() {
    system_->setText(toQt(preferences_.systemDirectory));
    project_->setText(toQt(preferences_.projectDirectory));
    basic_->setText(toQt(preferences_.basicDirectory));
    alphabetize_->setChecked(preferences_.alphabetizeModules);
    flagDuplicates_->setChecked(preferences_.flagDuplicateNames);
}
