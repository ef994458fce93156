#include "cards/CardTypes.h"

#include <vector>

namespace z7 {

namespace {

using Face = std::array<std::string, CardFaceLabels>;

// Title, eight lamps top to bottom, nine terminal rows top to bottom.
Face face(std::string title, std::array<const char*, 8> lamps, std::array<const char*, 9> rows) {
    Face f;
    f[0] = std::move(title);
    for (std::size_t i = 0; i < 8; ++i) f[1 + i] = lamps[i];
    for (std::size_t i = 0; i < 9; ++i) f[9 + i] = rows[i];
    return f;
}

constexpr std::array<const char*, 8> NoLamps {"", "", "", "", "", "", "", ""};
constexpr std::array<const char*, 9> NoRows {"", "", "", "", "", "", "", "", ""};
constexpr std::array<const char*, 8> EightLamps {" 8", " 7", " 6", " 5", " 4", " 3", " 2", " 1"};
constexpr std::array<const char*, 8> FourLamps {"", "", "", "", " 4", " 3", " 2", " 1"};
constexpr std::array<const char*, 9> EightChannels {"[Chan 8]", "[Chan 7]", "[Chan 6]", "[Chan 5]", "[Chan 4]",
                                                    "[Chan 3]", "[Chan 2]", "[Chan 1]", "     COM"};
constexpr std::array<const char*, 9> FourChannelsCom {"", "", "", "", "[Chan 4]", "[Chan 3]", "[Chan 2]", "[Chan 1]", "     COM"};
constexpr std::array<const char*, 9> FourChannels {"", "", "", "", "[Chan 4]", "[Chan 3]", "[Chan 2]", "[Chan 1]", ""};

CardTypeInfo card(const char* description, const char* label, int ai, int ao, int di, int dout, bool expansion, Face f) {
    CardTypeInfo info;
    info.description = description;
    info.label = label;
    info.channels = {0, ai, ao, di, dout};
    info.expansion = expansion;
    info.face = std::move(f);
    return info;
}

std::vector<CardTypeInfo> buildTable() {
    std::vector<CardTypeInfo> t;
    t.push_back(card("Vacant", "        ", 0, 0, 0, 0, false, Face {}));
    t.push_back(card("Removable flashdisk", "Flash   ", 0, 0, 0, 0, false, face("FLASH", {"", "READY", "ACCESS", "", "", "", "", ""}, NoRows)));
    t.push_back(card("Sleep controller", "Sleep   ", 0, 0, 0, 0, false,
                     face("SLEEP", {"WK", "AX", "DI4", "DI3", "DI2", "DI1", "", ""},
                          {"      DI4", "      DI3", "      DI2", "      DI1", "      WAK", "      TIP", "      AUX", "      VIN", "      GND"})));
    t.push_back(card("Speech/dialer", "Dialer  ", 0, 0, 0, 0, false,
                     face("SPEECH", {"", "KEY/OH", "", "", "", "", "", ""}, {"", "", "", "", "", "", "      KEY", "      SPKR", "      SPKR"})));
    t.push_back(card("Relay outputs,8 ch", "RLY 8   ", 0, 0, 0, 8, true, face("RELAY8", EightLamps, EightChannels)));
    t.push_back(card("Z3 Relay out,4 ch", "RLY 4   ", 0, 0, 0, 4, true, face("RELAY4", FourLamps, FourChannelsCom)));
    t.push_back(card("Digital inputs, 8 ch", "DI 8    ", 0, 0, 8, 0, true, face("DIGIN8", EightLamps, EightChannels)));
    t.push_back(card("Digital inputs,4 ch", "DI 4    ", 0, 0, 4, 0, true, face("DIGIN4", FourLamps, FourChannelsCom)));
    t.push_back(card("Analog outputs, 1 ch", "AO 1    ", 0, 1, 0, 0, true, face("ANOUT1", NoLamps, {"", "", "", "", "", "", "", "[Chan 1]", ""})));
    t.push_back(card("Analog outputs, 4 ch", "AO 4    ", 0, 4, 0, 0, true, face("ANOUT4", NoLamps, FourChannels)));
    t.push_back(card("Analog inputs, 8 ch", "AI 8    ", 8, 0, 0, 0, true, face("ANIN8", NoLamps, EightChannels)));
    t.push_back(card("Modem/RS232", "MDM/232 ", 0, 0, 0, 0, false,
                     face("MODEM", {"KEY/OH", "", "", "", "", "", "", ""}, {"", "", "", "", "     RX+", "     RX-", "     KEY", "     TX+", "     TX-"})));
    t.push_back(card("Loop power/charger", "LOOP    ", 3, 0, 0, 0, true,
                     face("LOOP", {"", "BUS", "LOOP", "CHRG", "", "", "", ""},
                          {"", "     24+", "     24-", "    BAT+", "     GND", "[Temp]", "[Batt V]", "[Bus V]", ""})));
    t.push_back(card("Vacant", "        ", 0, 0, 0, 0, true, face("VACANT", NoLamps, NoRows)));
    t.push_back(card("Combo 2AI, 4DI, 2DO", "COMBO   ", 2, 0, 4, 2, true,
                     face("COMBO", {"LOOP", "DI4", "DI3", "DI2", "DI1", "DO2", "DO1", ""},
                          {"[AI 2]", "[AI 1]", "[DI 4]", "[DI 3]", "[DI 2]", "[DI 1]", "[Rly 2]", "[Rly 1]", ""})));
    t.push_back(card("Printer/2-RS232", "PRN/232 ", 0, 0, 0, 0, false, face("PRN/232", {"TX1", "RX1", "TX2", "RX2", "", "", "", ""}, NoRows)));
    t.push_back(card("AI 4 chan/16 bit", "AI 4/16 ", 4, 0, 0, 0, true, face("ANIN4/16", NoLamps, FourChannels)));
    t.push_back(card("Z3 AI4/AO1", "AI4/AO1 ", 4, 1, 0, 0, true,
                     face("Z3 AI/AO", NoLamps, {"", "", "", "[AO 1]", "[AI 4]", "[AI 3]", "[AI 2]", "[AI 1]", ""})));
    while (t.size() <= CardTableCodes) t.push_back(CardTypeInfo {});
    return t;
}

}  // namespace

const CardTypeInfo& cardTypeInfo(int code) {
    static const std::vector<CardTypeInfo> table = buildTable();
    static const CardTypeInfo empty {};
    return code >= 0 && code <= CardTableCodes ? table[static_cast<std::size_t>(code)] : empty;
}

}  // namespace z7
