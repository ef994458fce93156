#include "app/ui/CommunicationsPanel.h"

#include "link/PortMap.h"
#include "app/Preferences.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {
QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

CommunicationsPanel::CommunicationsPanel(z7::Preferences& preferences, std::string programDirectory, QWidget* parent)
    : QGroupBox("Communications Setup", parent), preferences_(preferences), programDirectory_(std::move(programDirectory)) {
    setObjectName("CommunicationsPanel");
    struct ChoiceGroup {
        const char* caption;
        const std::vector<std::string>& items;
        int z7::Preferences::*member;
        QRect box;
    };
    const ChoiceGroup choices[] = {
        {"Port:", z7::portCaptions(), &z7::Preferences::port, QRect(8, 20, 170, 196)},
        {"Baud Rate:", z7::baudRateCaptions(), &z7::Preferences::baudRate, QRect(184, 20, 153, 174)},
        {"Protocol:", z7::protocolCaptions(), &z7::Preferences::protocol, QRect(184, 198, 84, 62)},
        {"Parity:", z7::parityCaptions(), &z7::Preferences::parity, QRect(8, 220, 170, 94)},
        {"Word Length:", z7::wordLengthCaptions(), &z7::Preferences::wordLength, QRect(272, 198, 65, 116)},
    };
    int g = 0;
    for (const ChoiceGroup& choice : choices) {
        auto* box = new QGroupBox(choice.caption, this);
        box->setGeometry(choice.box);
        auto* group = new QButtonGroup(this);
        const int count = static_cast<int>(choice.items.size());
        const int step = std::min(22, (choice.box.height() - 22) / count);
        for (int i = 0; i < count; ++i) {
            auto* radio = new QRadioButton(toQt(choice.items[static_cast<std::size_t>(i)]), box);
            radio->setGeometry(8, 18 + i * step, g == 0 ? 60 : choice.box.width() - 12, step);
            group->addButton(radio, i);
        }
        if (g == 0)
            for (int port = 1; port <= count; ++port) {
                devices_[port - 1] = new QLabel(box);
                devices_[port - 1]->setGeometry(70, 18 + (port - 1) * step, choice.box.width() - 74, step);
            }
        const auto member = choice.member;
        connect(group, &QButtonGroup::idClicked, this, [this, member](int id) { preferences_.*member = id; });
        groups_[g++] = group;
    }
    auto* close = new QPushButton("X", this);
    close->setGeometry(345 - 26, 2, 22, 20);
    connect(close, &QPushButton::clicked, this, &CommunicationsPanel::closeClicked);
}

void CommunicationsPanel::load() {
    const int chosen[] = {preferences_.port, preferences_.baudRate, preferences_.protocol, preferences_.parity,
                          preferences_.wordLength};
    for (int g = 0; g < 5; ++g)
        if (QAbstractButton* button = groups_[g]->button(chosen[g])) button->setChecked(true);
    for (int port = 1; port <= static_cast<int>(z7::portCaptions().size()); ++port)
        devices_[port - 1]->setText(toQt(z7::comPortDevice(port, programDirectory_)));
}

void CommunicationsPanel::showEvent(QShowEvent* event) {
    load();
    QGroupBox::showEvent(event);
}
