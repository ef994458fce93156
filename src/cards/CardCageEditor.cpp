#include "cards/CardCageEditor.h"

#include "app/Text.h"

#include <algorithm>

namespace z7 {

namespace {

constexpr std::array<const char*, 9> Zex7Captions {"Card 0", "Card 1", "Card 2", "Card 3", "Card 4", "Card 5", "Card 6", "Card 7", "Card 8"};
constexpr std::array<const char*, 9> Zex3Captions {"Front Top", "1Rear Mdm", "2Rear Rly", "3Rear AI", "4Rear DI", "", "6Front Mid", "7Front Botm", ""};
// The one card each ZEX3 rear slot takes (slots 1 to 4).
constexpr std::array<int, 5> Zex3RearCards {0, 11, 5, 17, 6};

}  // namespace

CardCageEditor::CardCageEditor(Project& project, const ModuleLibrary& library, Dialogs& dialogs)
    : project_(project), library_(library), dialogs_(dialogs) {
    redraw();
}

std::vector<std::string> CardCageEditor::paletteEntries() {
    std::vector<std::string> entries;
    for (int c = 1; c <= CardTypeCount; ++c) entries.push_back(cardTypeInfo(c).description);
    sortNoCase(entries);
    return entries;
}

void CardCageEditor::selectPaletteEntry(const std::string& text) {
    selection_ = 0;
    for (int c = 1; c <= CardTypeCount; ++c)
        if (cardTypeInfo(c).description == text) selection_ = c;
    if (cage_ > 1 && !cardTypeInfo(selection_).expansion) {
        dialogs_.error("This card is only allowed in first card cage.");
        selection_ = 0;
    }
}

void CardCageEditor::setCage(int cage) {
    cage_ = std::clamp(cage, 1, CardCage::CageCount);
    redraw();
}

void CardCageEditor::placeCard(int s, DropTarget target) {
    if (s < 1 || s > 8) return;
    if (project_.cardCage.unitType == CardCage::UnitType::ZEX3 && s <= 4) {
        const int fixed = Zex3RearCards[static_cast<std::size_t>(s)];
        const bool accepted = selection_ == fixed || (target == DropTarget::List && selection_ == VacantCardCode);
        if (!accepted) return;
    }
    project_.cardCage.cages[static_cast<std::size_t>(cage_)][static_cast<std::size_t>(s)] = selection_;
    drawSlot(s, selection_);
    project_.markChanged();
}

void CardCageEditor::setUnitType(CardCage::UnitType type) {
    project_.cardCage.unitType = type;
    redraw();
    project_.markChanged();
}

void CardCageEditor::setLcdType(CardCage::LcdType type) {
    project_.cardCage.lcdType = type;
    redraw();
    project_.markChanged();
}

void CardCageEditor::drawSlot(int s, int code) {
    SlotView& view = slots_[static_cast<std::size_t>(s)];
    const CardTypeInfo& info = cardTypeInfo(code);
    view.title = info.face[0];
    for (std::size_t k = 0; k < 8; ++k) {
        view.lamps[k] = info.face[1 + k];
        view.lampVisible[k] = !view.lamps[k].empty();
    }
    for (std::size_t k = 0; k < 9; ++k) view.terminals[k] = info.face[9 + k];
}

void CardCageEditor::redraw() {
    const bool zex3 = project_.cardCage.unitType == CardCage::UnitType::ZEX3;
    if (zex3) cage_ = 1;
    cage_ = std::clamp(cage_, 1, CardCage::CageCount);
    for (int s = 0; s <= 8; ++s) {
        SlotView& view = slots_[static_cast<std::size_t>(s)];
        view.caption = (zex3 ? Zex3Captions : Zex7Captions)[static_cast<std::size_t>(s)];
        view.enabled = !(zex3 && (s == 5 || s == 8));
    }
    for (int s = 1; s <= 8; ++s) drawSlot(s, drawnCode(code(s)));
    SlotView& cpu = slots_[0];
    cpu = SlotView {cpu.caption, cpu.enabled};
    cpu.cpuVisible = cage_ == 1;
    cpu.title = cage_ == 1 ? "CPU32" : "VACANT";
    markIoPoints();
}

void CardCageEditor::markIoPoints() {
    for (const Jobrecord& instance : project_.instances()) {
        const std::optional<IoKind> kind = ioKindOf(instance, library_);
        if (!kind) continue;
        const IoPoint point = ioPointOf(instance);
        if (point.cage != cage_ || point.slot < 1 || point.slot > 8) continue;
        const int t = code(point.slot);
        if (t < 1 || t > CardTypeCount || t == VacantCardCode) continue;
        if (point.channel < 1 || cardTypeInfo(t).channelCount(*kind) < point.channel) continue;
        const int row = terminalRowOf(t, *kind, point.channel);
        if (row >= 0 && row <= 8) slots_[static_cast<std::size_t>(point.slot)].terminals[static_cast<std::size_t>(row)] = instance.name;
    }
}

TerminalAction CardCageEditor::pressTerminal(int s, int row) {
    if (s < 1 || s > 8 || row < 0 || row > 8) return {};
    // The context takes the slot and channel at once, the cage once the channel is a point.
    const int v = 8 - row;
    PointContext& context = pointContext_ ? *pointContext_ : pointContext_.emplace();
    context.slot = s;
    context.channel = v;
    const std::string text = slots_[static_cast<std::size_t>(s)].terminals[static_cast<std::size_t>(row)];
    if (v <= 0) return {};
    context.cage = cage_;
    const int t = code(s);
    if (t < 1 || t > CardTypeCount) return {};
    const std::optional<RowPoint> point = rowPointOf(t, v);
    if (t == 14 || t == 17) {
        if (point) context.channel = point->channel;
    } else if (!point) {
        return {};
    }
    if (!text.empty() && text[0] != '[') return {TerminalAction::Kind::OpenInstance, text.substr(0, text.find('.'))};
    if (!point) return {};
    switch (point->kind) {
    case IoKind::AnalogInput: return {TerminalAction::Kind::ChooseAnalogInput, {}};
    case IoKind::DigitalInput: return {TerminalAction::Kind::ChooseDigitalInput, {}};
    case IoKind::DigitalOutput: return {TerminalAction::Kind::ChooseDigitalOutput, {}};
    case IoKind::AnalogOutput: return {TerminalAction::Kind::NewAnalogOutput, {}};
    }
    return {};
}

}  // namespace z7
