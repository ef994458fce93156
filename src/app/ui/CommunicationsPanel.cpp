#include "app/ui/CommunicationsPanel.h"

#include "link/PortMap.h"
#include "app/Preferences.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
QString toQt(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

CommunicationsPanel::CommunicationsPanel(z7::Preferences& preferences, std::string programDirectory, QWidget* parent)
    : QGroupBox("Communications Setup", parent), preferences_(preferences), programDirectory_(std::move(programDirectory)) {
    setObjectName("CommunicationsPanel");
    struct GroupSpec {
        const char* caption;
        const std::vector<std::string>& items;
        int z7::Preferences::*member;
        QRect box;
    };
    const GroupSpec specs[] = {
        {"Port:", z7::portCaptions(), &z7::Preferences::port, QRect(8, 20, 185, 230)},
        {"Baud Rate:", z7::baudRateCaptions(), &z7::Preferences::baudRate, QRect(200, 20, 137, 180)},
        {"Protocol:", z7::protocolCaptions(), &z7::Preferences::protocol, QRect(200, 204, 137, 70)},
        {"Parity:", z7::parityCaptions(), &z7::Preferences::parity, QRect(8, 254, 185, 60)},
        {"Word Length:", z7::wordLengthCaptions(), &z7::Preferences::wordLength, QRect(200, 278, 137, 36)},
    };
    int g = 0;
    for (const GroupSpec& spec : specs) {
        auto* box = new QGroupBox(spec.caption, this);
        box->setGeometry(spec.box);
        auto* group = new QButtonGroup(this);
        const int count = static_cast<int>(spec.items.size());
        // Parity and word length are short rows of choices; the others are columns.
        const bool row = spec.box.height() < 100;
        const int perRow = row ? (count + 1) / (spec.box.height() < 50 ? count : 2) : 1;
        for (int i = 0; i < count; ++i) {
            auto* radio = new QRadioButton(toQt(spec.items[static_cast<std::size_t>(i)]), box);
            if (row) {
                const int width = (spec.box.width() - 8) / perRow;
                radio->setGeometry(6 + (i % perRow) * width, 16 + (i / perRow) * 20, width, 20);
            } else {
                radio->setGeometry(8, 18 + i * 26, spec.box.width() > 150 ? 64 : 120, 22);
            }
            group->addButton(radio, i);
        }
        if (g == 0)
            for (int port = 1; port <= static_cast<int>(z7::portCaptions().size()); ++port) {
                devices_[port - 1] = new QLabel(box);
                devices_[port - 1]->setGeometry(74, 18 + (port - 1) * 26, spec.box.width() - 80, 22);
            }
        const auto member = spec.member;
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
