// The I/O part: system modules, the cage overview and the card and channel listing.
#include "app/Text.h"
#include "cards/CardTypes.h"
#include "cards/IoPoints.h"
#include "doc/DocumentParts.h"

#include <algorithm>
#include <array>

namespace z7 {

namespace {

constexpr int LocalSystemDefinition = 8;
constexpr int GlobalSystemDefinition = 53;

// Definitions whose instances serve one channel of a card: channel, slot and cage are their first
// three bindings. Besides the I/O modules this includes 23; 154 and 155 serve a channel as well.
constexpr std::array ChannelDefinitions {1, 2, 3, 4, 12, 23, 44, 55, 56, 154, 155};

// The documentation lists single channels of the plain I/O cards only; the others are described by
// their modules.
int channelCountOf(int code) {
    switch (code) {
    case 4: case 6: case 10: return 8;
    case 5: case 7: case 9: return 4;
    case 8: return 1;
    default: return 0;
    }
}

const std::string& cardLabel(int code) { return cardTypeInfo(drawnCode(code)).label; }

bool holdsCard(int code) { return drawnCode(code) != VacantCardCode; }

const std::string& binding(const Jobrecord& instance, int item) { return instance.bindings[static_cast<std::size_t>(item)]; }
const std::string& prompt(const Modul& definition, int item) { return definition.entries[static_cast<std::size_t>(item)].prompt; }

// Pads text to width when it is shorter than width - 1, so that the columns of the system lines align.
void padColumn(std::string& text, std::size_t width) {
    if (text.size() < width - 1) text = padRight(text, width);
}

void appendSystemLines(DocumentContext& doc) {
    for (int number : doc.moduleOrder) {
        const Jobrecord& instance = doc.project.instance(number);
        if (instance.definitionNumber != LocalSystemDefinition && instance.definitionNumber != GlobalSystemDefinition) continue;
        const Modul& definition = doc.library.definition(instance.definitionNumber);
        std::string line = (instance.definitionNumber == LocalSystemDefinition ? "Local:  " : "Global: ") + binding(instance, 1);
        padColumn(line, 36);
        line += "  " + prompt(definition, 2) + "=" + binding(instance, 2);
        padColumn(line, 61);
        line += "  " + prompt(definition, 3) + "=" + binding(instance, 3);
        doc.output.push_back(line);
    }
}

void appendCageOverview(DocumentContext& doc) {
    const CardCage& cage = doc.project.cardCage;
    for (int c = 1; c <= CardCage::CageCount; ++c) {
        const auto& slots = cage.cages[static_cast<std::size_t>(c)];
        if (std::all_of(slots.begin() + 1, slots.end(), [](int code) { return code == 0; })) continue;
        std::string line = "  " + std::to_string(c) + "   ";
        for (int s = 1; s < CardCage::SlotValues; ++s) line += cardLabel(slots[static_cast<std::size_t>(s)]);
        doc.output.push_back(line);
    }
}

bool servesChannel(const Jobrecord& instance, const Modul& definition, int channel, int slot, int cage) {
    return std::find(ChannelDefinitions.begin(), ChannelDefinitions.end(), instance.definitionNumber) != ChannelDefinitions.end() &&
           definition.category == 1 && ioBindingValue(binding(instance, 1)) == channel &&
           ioBindingValue(binding(instance, 2)) == slot && ioBindingValue(binding(instance, 3)) == cage;
}

void appendChannelLine(DocumentContext& doc, const Jobrecord& instance, const Modul& definition) {
    std::string line = "  Chan " + binding(instance, 1) + " " + instance.name + "..." + definition.name;
    const int items = std::min(definition.inputsAndConstants(), MaxEntries);
    for (int e = 4; e <= items; ++e)
        appendWrapped(line, "  " + prompt(definition, e) + "=" + binding(instance, e), "        ...", doc.output);
    doc.output.push_back(line);
}

void appendCardListing(DocumentContext& doc) {
    const CardCage& cage = doc.project.cardCage;
    for (int c = 1; c <= CardCage::CageCount; ++c) {
        for (int s = 1; s < CardCage::SlotValues; ++s) {
            const int code = cage.cages[static_cast<std::size_t>(c)][static_cast<std::size_t>(s)];
            if (!holdsCard(code)) continue;
            doc.output.push_back("Cage " + std::to_string(c) + ", card " + std::to_string(s) + " = " + cardLabel(code) + ":");
            const int channels = channelCountOf(code);
            if (channels == 0) {
                doc.output.push_back("  No individual I/O for this card...see module list");
                continue;
            }
            for (int channel = channels; channel >= 1; --channel) {
                bool used = false;
                for (const Jobrecord& instance : doc.project.instances()) {
                    const Modul& definition = doc.library.definition(instance.definitionNumber);
                    if (!servesChannel(instance, definition, channel, s, c)) continue;
                    appendChannelLine(doc, instance, definition);
                    used = true;
                }
                if (!used) doc.output.push_back("  Chan " + std::to_string(channel) + " Spare");
            }
        }
    }
}

}  // namespace

void appendWrapped(std::string& line, const std::string& item, const std::string& continuation, std::vector<std::string>& output) {
    if (line.size() > 80) {
        output.push_back(line);
        line = continuation;
    }
    line += item;
}

void appendIoPart(DocumentContext& doc) {
    doc.intro.appendSection('S', doc.output);
    appendSystemLines(doc);
    doc.intro.appendSection('I', doc.output);
    appendCageOverview(doc);
    doc.intro.appendSection('J', doc.output);
    appendCardListing(doc);
}

}  // namespace z7
