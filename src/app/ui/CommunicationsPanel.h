#pragma once
// "Communications Setup": the five link choices, each a radio group, and the device every COM port
// stands for on this machine. A choice goes straight into the preferences; "X" saves them.
#include <QGroupBox>

#include <string>

class QButtonGroup;
class QLabel;

namespace z7 {
struct Preferences;
}

class CommunicationsPanel : public QGroupBox {
    Q_OBJECT
public:
    CommunicationsPanel(z7::Preferences& preferences, std::string programDirectory, QWidget* parent = nullptr);

    // Shows the choices the preferences hold now and looks the port devices up again.
    void load();

    QButtonGroup* portGroup() const { return groups_[0]; }
    QButtonGroup* baudRateGroup() const { return groups_[1]; }
    QButtonGroup* protocolGroup() const { return groups_[2]; }
    QButtonGroup* parityGroup() const { return groups_[3]; }
    QButtonGroup* wordLengthGroup() const { return groups_[4]; }
    QLabel* deviceLabel(int port) const { return devices_[port - 1]; }  // 1 to 8

signals:
    void closeClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    z7::Preferences& preferences_;
    std::string programDirectory_;
    QButtonGroup* groups_[5] = {};
    QLabel* devices_[8] = {};
};
