#include "editors/TelemetryCompile.h"

#include "app/Text.h"
#include "editors/TelemetryArrays.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

namespace z7 {

namespace {

constexpr std::size_t EntryLineLimit = 80;
constexpr std::uint32_t EntrySize = 8;
constexpr std::uint32_t DescriptorSize = 20;
constexpr std::uint32_t BufferRecordSize = 20;
constexpr std::int64_t MaxBufferEstimate = 1000;
constexpr std::uint32_t MinBufferSize = 160;

bool isScaled(const std::string& mult) { return !mult.empty() && mult != "1.0"; }

int unitAddress(const std::string& text) { return text == "Us" ? 255 : intOr(text, 0); }

struct Direction {
    bool receive;
    const char* startType;   // section start record
    const char* descriptor;  // group descriptor record
    const char* arrayName;   // " in TX array"
};
constexpr Direction Transmit {false, "2329", "2328", " in TX array"};
constexpr Direction Receive {true, "232B", "232A", " in RX array"};

// The address field of one entry, or nothing when the row is left out.
std::optional<std::string> entryAddress(CompileContext& context, const Direction& dir, const TelemetryRow& row,
                                        const std::unordered_map<std::string, std::size_t>& firstByName) {
    const std::string& name = row[TlmName];
    std::string text;
    if (!dir.receive) {
        if (name.empty()) return std::string {};
        text = LookupAddress(context, name);
    } else if (isSpecialTelemetryName(name)) {
        text = specialTelemetryAddress(name);
    } else {
        text = context.project.rxRows[firstByName.at(name)][TlmAddress];
    }
    if (text.size() < 3) {
        context.reportEmitError("Cannot find " + name + dir.arrayName);
        return std::nullopt;
    }
    return hexUpper(readHexField(text));
}

void emitArrays(CompileContext& context, const Direction& dir) {
    const std::vector<TelemetryRow>& rows = dir.receive ? context.project.rxRows : context.project.txRows;
    if (rows.size() < 2) return;
    context.appendLine(hexUpper(context.FlashPointer) + "|" + dir.startType + "|\\");
    context.FlashPointer += 4;

    std::unordered_map<std::string, std::size_t> firstByName;
    for (std::size_t i = 0; i < rows.size(); ++i) firstByName.try_emplace(rows[i][TlmName], i);
    const bool flagDuplicates = dir.receive && context.settings.flagDuplicateNames;
    std::unordered_map<std::string, int> seen;

    std::vector<std::optional<std::uint32_t>> entryAt(rows.size());
    std::string line;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TelemetryRow& row = rows[i];
        if (row[TlmWord].empty()) continue;
        const std::string& name = row[TlmName];
        if (flagDuplicates && !name.empty() && !isSpecialTelemetryName(name) && seen[name]++ > 0)
            context.reportEmitError(name + " appears more than once in RX array");
        const std::optional<std::string> address = entryAddress(context, dir, row, firstByName);
        if (!address) continue;
        const std::uint32_t code = (dir.receive ? static_cast<std::uint32_t>(intOr(row[TlmWord], 0)) * 256u : 0u) +
                                   static_cast<std::uint32_t>(scaleCodeOf(row[TlmMult]) * 16 + telemetryTypeCode(row[TlmType]));
        entryAt[i] = context.FlashPointer;
        if (line.empty()) line = hexUpper(context.FlashPointer) + "|";
        line += (code == 0 ? std::string {} : hexUpper(code)) + "|" + *address + "|";
        context.FlashPointer += EntrySize;
        if (line.size() > EntryLineLimit) {
            context.appendLine(line + "\\");
            line.clear();
        }
    }
    if (!line.empty()) context.appendLine(line + "\\");

    if (dir.receive) context.systemPointers.rx = context.FlashPointer;
    else context.systemPointers.tx = context.FlashPointer;

    // Groups of consecutive entries for one channel and unit pair.
    struct Group {
        int channel;
        int source;
        int dest;
        std::vector<std::size_t> rows;
    };
    std::vector<Group> groups;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TelemetryRow& row = rows[i];
        if (row[TlmWord].empty()) continue;
        const int channel = row[TlmPort] == "0" ? 1 : intOr(row[TlmPort], 0);
        const int source = dir.receive ? unitAddress(row[TlmSource]) : 0;
        const int dest = unitAddress(row[TlmDest]);
        if (groups.empty() || groups.back().channel != channel || groups.back().source != source || groups.back().dest != dest)
            groups.push_back(Group {channel, source, dest, {}});
        groups.back().rows.push_back(i);
    }
    auto byteAddress = [&](std::size_t i) { return static_cast<std::int64_t>(readHexField(rows[i][TlmAddress]) & AddressMask); };
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Group& group = groups[g];
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        bool any = false;
        for (std::size_t i : group.rows)
            if (entryAt[i]) {
                if (!any) first = *entryAt[i];
                last = *entryAt[i];
                any = true;
            }
        const std::uint32_t word = static_cast<std::uint32_t>(group.channel) * 65536u +
                                   (dir.receive ? static_cast<std::uint32_t>(group.source) * 256u : 0xFF00u) +
                                   static_cast<std::uint32_t>(group.dest);
        const std::uint32_t at = context.FlashPointer;
        context.appendLine(hexUpper(at) + "|" + dir.descriptor + "|" + hexUpper(at + DescriptorSize) + "|" + hexUpper(word) +
                           "|" + hexUpper(first) + "|" + hexUpper(last) + "|\\");
        context.FlashPointer += DescriptorSize;

        const std::int64_t span = g + 1 < groups.size()
                                      ? byteAddress(groups[g + 1].rows.front()) - byteAddress(group.rows.front())
                                      : byteAddress(group.rows.back()) - byteAddress(group.rows.front()) + 4;
        // A span that runs backwards (arrays laid out in another order) sizes like an empty one.
        const std::int64_t estimate = std::min(std::max<std::int64_t>(span, 0) / 4 * 4 + 24, MaxBufferEstimate);
        if (dir.receive) context.comBuffers.raiseReceive(group.channel, static_cast<std::uint32_t>(estimate));
        else context.comBuffers.raiseTransmit(group.channel, static_cast<std::uint32_t>(estimate));
    }
}

void emitBuffers(CompileContext& context, bool receive) {
    ComBufferSizes& buffers = context.comBuffers;
    for (int channel = 0; channel < ComBufferSizes::Slots; ++channel) {
        const auto c = static_cast<std::size_t>(channel);
        std::uint32_t& size = receive ? buffers.receive[c] : buffers.transmit[c];
        if (size == 0) continue;
        size = std::max(size, MinBufferSize);
        std::optional<std::int64_t>& block = receive ? buffers.receiveBlock[c] : buffers.transmitBlock[c];
        if (!block) block = FindRamBlock(context, 2 * size, receive ? "Receive buffer" : "Transmit buffer").start;
        const std::uint32_t at = context.FlashPointer;
        const std::string start = *block >= 0 ? hexUpper(static_cast<std::uint32_t>(*block)) : std::string {};
        context.appendLine(hexUpper(at) + "|" + (receive ? "2333" : "2332") + "|" + hexUpper(at + BufferRecordSize) + "|" +
                           hexUpper(static_cast<std::uint32_t>(channel)) + "|" + start + "|" + hexUpper(size) + "|\\");
        context.FlashPointer += BufferRecordSize;
        context.RamPointer += 2 * size;
    }
}

std::uint32_t rxTypeBits(const TelemetryRow& row) {
    return row[TlmType] == "Float" || isScaled(row[TlmMult]) ? FloatTypeBits : 0;
}

bool hasAddress(const TelemetryRow& row) { return row[TlmAddress].size() > 3; }

bool isRunType(const std::string& type) {
    return type == "Integer" || type == "Float" || type == "Long Int" || type == "Status";
}

// Lays out one run of rows from start: each integer, float or long takes a word; status rows share
// a word until bit 16 closes it. A status word left open by a short run is closed before the next
// value, so no two values share bytes. Returns the bytes used; writes addresses when told to.
std::uint32_t layoutRun(std::vector<TelemetryRow>& rows, std::size_t from, std::size_t to, std::uint32_t start, bool write) {
    std::uint32_t p = start;
    bool openWord = false;
    for (std::size_t i = from; i < to; ++i) {
        TelemetryRow& row = rows[i];
        const std::string& type = row[TlmType];
        std::uint32_t address = 0;
        if (type == "Status") {
            const int bit = intOr(row[TlmBit], 0);
            address = (static_cast<std::uint32_t>((bit - 1) & 15) << 27) | StatusTypeBits | p;
            openWord = true;
            if (bit % 16 == 0) {
                p += 4;
                openWord = false;
            }
        } else {
            if (openWord) p += 4;
            openWord = false;
            address = p | (type == "Float"      ? FloatTypeBits
                           : type == "Long Int" ? LongIntegerTypeBits
                                                : rxTypeBits(row));
            p += 4;
        }
        if (write) row[TlmAddress] = hexUpper(address);
    }
    if (openWord) p += 4;
    return p - start;
}

}  // namespace

void EmitTxArrayRecords(CompileContext& context) { emitArrays(context, Transmit); }
void EmitRxArrayRecords(CompileContext& context) { emitArrays(context, Receive); }

void EmitComBufferRecords(CompileContext& context) {
    const auto& cage = context.project.cardCage.cages[1];
    for (int slot = 1; slot <= 8; ++slot) {
        const int base = slot * 3;
        switch (cage[static_cast<std::size_t>(slot)]) {
        case 11:  // Modem/RS232
            context.comBuffers.raiseTransmit(base, MinBufferSize);
            context.comBuffers.raiseReceive(base, MinBufferSize);
            break;
        case 15:  // Printer/2-RS232
            for (int channel : {base, base + 1}) {
                context.comBuffers.raiseTransmit(channel, MinBufferSize);
                context.comBuffers.raiseReceive(channel, MinBufferSize);
            }
            break;
        case 1:  // Removable flashdisk
            context.comBuffers.setTransmit(base, 768);
            break;
        default:
            break;
        }
    }
    emitBuffers(context, false);
    emitBuffers(context, true);
}

void AssignRxAddresses(CompileContext& context, int ramPass) {
    std::vector<TelemetryRow>& rows = context.project.rxRows;
    if (rows.size() < 2) return;
    if (ramPass == 1) {
        for (TelemetryRow& row : rows) {
            if (!hasAddress(row)) continue;
            const std::uint32_t value = readHexField(row[TlmAddress]);
            if (((value >> 24) & 3u) <= 1) row[TlmAddress] = hexUpper((value & AddressMask) | rxTypeBits(row));
            ReserveX(context, row[TlmAddress]);
        }
    } else if (ramPass == 2) {
        std::size_t i = 0;
        while (i < rows.size()) {
            if (hasAddress(rows[i]) || !isRunType(rows[i][TlmType])) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < rows.size() && !hasAddress(rows[end]) && isRunType(rows[end][TlmType])) ++end;
            const std::uint32_t size = layoutRun(rows, i, end, 0, false);
            if (size > 0) {
                const RamBlock block = FindRamBlock(context, size, "RX array " + rows[i][TlmName]);
                context.project.markChanged();
                if (block.found()) layoutRun(rows, i, end, block.first(), true);
            }
            i = end;
        }
    }
}

}  // namespace z7
