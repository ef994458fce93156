#include "link/ControllerSimulator.h"

#include "app/Text.h"
#include "link/Frames.h"

#include <algorithm>

namespace z7 {

namespace {

constexpr std::size_t MinFrame = 8;
constexpr int RestartMs = 100;  // a restarted unit greets only after booting

std::uint32_t bigEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (const char c : bytes.substr(0, 4)) value = (value << 8) | static_cast<unsigned char>(c);
    return value;
}

}  // namespace

ControllerSimulator::ControllerSimulator(std::string version, SimulatorFaults faults)
    : version_(std::move(version)), faults_(faults) {
    local_.flash.assign(FlashSize, '\xFF');
    remote_.flash.assign(FlashSize, '\xFF');
}

std::int64_t ControllerSimulator::byteTimeUs() const {
    return faults_.lineRate > 0 ? 10'000'000 / faults_.lineRate : 0;  // start, 8 data and stop bit
}

void ControllerSimulator::receive(std::string_view bytes, std::int64_t nowUs) {
    bytesIn_ += bytes.size();
    for (const char c : bytes) {
        inboundFreeUs_ = std::max(inboundFreeUs_, nowUs) + byteTimeUs();
        inbound_.emplace_back(inboundFreeUs_, c);
    }
}

std::string ControllerSimulator::takeOutput(std::int64_t nowUs) {
    while (!inbound_.empty() && inbound_.front().first <= nowUs) {
        const auto [at, c] = inbound_.front();
        inbound_.pop_front();
        process(c, at);
    }
    std::string out;
    while (!outbound_.empty() && outbound_.front().first <= nowUs) {
        out.push_back(outbound_.front().second);
        outbound_.pop_front();
    }
    bytesOut_ += out.size();
    return out;
}

std::optional<std::int64_t> ControllerSimulator::nextEventUs() const {
    std::optional<std::int64_t> next;
    if (!inbound_.empty()) next = inbound_.front().first;
    if (!outbound_.empty() && (!next || outbound_.front().first < *next)) next = outbound_.front().first;
    return next;
}

void ControllerSimulator::emit(std::string_view bytes, std::int64_t readyUs) {
    if (faults_.silent) return;
    for (const char c : bytes) {
        outboundFreeUs_ = std::max(outboundFreeUs_, readyUs) + byteTimeUs();
        outbound_.emplace_back(outboundFreeUs_, c);
    }
}

void ControllerSimulator::process(char c, std::int64_t atUs) {
    if (frameMode_) {
        frameByte(c, atUs);
        return;
    }
    // The clock frame may come in ASCII mode: a frame start between lines opens a frame.
    if (asciiFrame_ || (static_cast<unsigned char>(c) == FrameStart && asciiLine_.empty())) {
        asciiFrame_ = true;
        frameByte(c, atUs);
        asciiFrame_ = !frameBuffer_.empty();
        return;
    }
    asciiByte(c, atUs);
}

void ControllerSimulator::asciiByte(char c, std::int64_t atUs) {
    if (c == CtrlR) {
        frameMode_ = true;
        frameBuffer_.clear();
        return;
    }
    if (c == CtrlK) {
        local_.halted = true;
        return;
    }
    if (c == '\n') return;
    if (c == '\r') {
        const std::string line = std::move(asciiLine_);
        asciiLine_.clear();
        if (!line.empty() && line[0] == '?') {
            watchCommand(line, atUs);
            return;
        }
        emit("\r\n", atUs);
        if (line.empty()) emit("Revision Version " + version_ + "\r\n", atUs);
        return;
    }
    if (c == '?') asciiLine_.clear();  // a watch command starts afresh
    asciiLine_ += c;
    if (asciiLine_[0] != '?') emit(std::string(1, c), atUs);  // watch commands are not echoed
}

void ControllerSimulator::watchCommand(const std::string& line, std::int64_t atUs) {
    watchCommands_.push_back(line);
    if (line == "?92") {
        std::string reply = "?";
        for (int slot = 0; slot < 30; ++slot) {
            if (slot > 0) reply += ',';
            if (!slotAddress_[static_cast<std::size_t>(slot)].empty()) reply += memoryValue(slotAddress_[static_cast<std::size_t>(slot)]);
        }
        emit(reply + "\r\n", atUs + faults_.replyDelayMs * std::int64_t{1000});
        return;
    }
    if (line == "?91") {
        slotAddress_.fill({});
        slotPoke_.fill(false);
        return;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos || equals + 1 >= line.size()) return;
    std::int32_t slot = -1;
    if (!parseInt(std::string_view(line).substr(1, equals - 1), slot) || slot < 0 || slot >= 30) return;
    const auto s = static_cast<std::size_t>(slot);
    const char verb = line[equals + 1];
    const std::string argument = line.substr(equals + 2);
    if (verb == 'P') slotAddress_[s] = argument;
    if (verb == 'X') slotPoke_[s] = true;
    if (verb == 'Y') slotPoke_[s] = false;
    if (verb == 'V' && !slotAddress_[s].empty()) setMemoryValue(slotAddress_[s], argument);
}

std::string ControllerSimulator::memoryValue(const std::string& address) const {
    for (const auto& [a, v] : memory_)
        if (a == address) return v;
    return "0";
}

void ControllerSimulator::setMemoryValue(const std::string& address, const std::string& value) {
    for (auto& [a, v] : memory_)
        if (a == address) {
            v = value;
            return;
        }
    memory_.emplace_back(address, value);
}

void ControllerSimulator::frameByte(char c, std::int64_t atUs) {
    // Between frames a lone Ctrl-K still stops the program; other stray bytes are line noise.
    if (frameBuffer_.empty() && static_cast<unsigned char>(c) != FrameStart) {
        if (c == CtrlK) local_.halted = true;
        return;
    }
    frameBuffer_.push_back(c);
    while (!frameBuffer_.empty()) {
        if (static_cast<unsigned char>(frameBuffer_[0]) != FrameStart) {
            frameBuffer_.erase(0, 1);
            continue;
        }
        if (frameBuffer_.size() < 2) return;
        const std::size_t length = static_cast<unsigned char>(frameBuffer_[1]);
        if (length < MinFrame) {
            frameBuffer_.erase(0, 1);
            continue;
        }
        if (frameBuffer_.size() < length) return;
        if (frameCrcValid(std::string_view(frameBuffer_).substr(0, length))) {
            const std::string frame = frameBuffer_.substr(0, length);
            frameBuffer_.erase(0, length);
            handleFrame(frame, atUs);
        } else {
            frameBuffer_.erase(0, 1);  // a damaged frame gets no reply; the sender repeats it
        }
    }
}

void ControllerSimulator::handleFrame(const std::string& frame, std::int64_t atUs) {
    ++framesReceived_;
    const auto command = static_cast<unsigned char>(frame[2]);
    const bool passThroughCommand = command == 0x50;
    SimulatedUnit& unit = passingThrough_ && !passThroughCommand ? remote_ : local_;
    // Without sequence numbers a repeat of a frame whose reply was lost is the same frame again:
    // it is answered, not applied twice.
    const bool repeat = lastReplyLost_ && frame == lastFrame_;
    lastFrame_ = frame;
    bool restartLocal = false;
    if (!repeat) {
        const std::string_view body = std::string_view(frame).substr(5, frame.size() - 7);
        switch (command) {
        case 0x30: {
            const char argument = body.empty() ? 0 : body[0];
            if (argument == HaltForProgram || argument == HaltForOs) {
                if (!faults_.ignoreHalt) unit.halted = true;
            } else if (argument >= 'A' && argument <= 'F') {
                const int sector = argument - 0x40;
                unit.erasedSectors.push_back(sector);
                if (sector >= 5) {
                    unit.programLines.clear();
                } else if (sector == 1) {
                    unit.flash.assign(FlashSize, '\xFF');
                    unit.osEnd = 0;
                }
            } else if (argument == InstallSecurity) {
                unit.securityInstalled = true;
            } else if (argument == RestartProgram || argument == RestartOs) {
                unit.halted = false;
                ++(argument == RestartProgram ? unit.programRestarts : unit.osRestarts);
                restartLocal = &unit == &local_;
            }
            break;
        }
        case 0x90: unit.programLines.emplace_back(body); break;
        case 0x70: {
            if (body.size() < 4) break;
            const std::uint32_t address = bigEndian32(body);
            const std::string_view data = body.substr(4);
            if (address + data.size() > unit.flash.size()) unit.flash.resize(address + data.size(), '\xFF');
            std::copy(data.begin(), data.end(), unit.flash.begin() + address);
            if (address < 0x3FFFC) unit.osEnd = std::max<std::size_t>(unit.osEnd, address + data.size());
            break;
        }
        case 0x50:
            if (body.size() >= 1 && body[0] == 0x01 && !faults_.noPassThrough) {
                passingThrough_ = true;
                for (std::size_t i = 0; i < 6 && i + 1 < body.size(); ++i)
                    passThroughParameters_[i] = static_cast<unsigned char>(body[i + 1]);
            } else if (body.size() >= 1 && body[0] == 0x02) {
                passingThrough_ = false;
            }
            break;
        case 0x60: {
            std::array<int, 7> clock{};
            for (std::size_t i = 0; i < 7 && i < body.size(); ++i) clock[i] = static_cast<unsigned char>(body[i]);
            clockSettings_.push_back(clock);
            return;  // the clock frame awaits no reply
        }
        default: break;
        }
    }
    reply(command, passThroughCommand ? local_ : unit, atUs);
    if (restartLocal) restartIntoAscii(atUs);
}

void ControllerSimulator::reply(unsigned char command, const SimulatedUnit& unit, std::int64_t atUs) {
    ++replies_;
    const auto status = static_cast<char>((unit.halted ? StatusIdle : 0) | (passingThrough_ ? StatusPassThrough : 0));
    std::string frame = buildFrame(std::string{static_cast<char>(ReplyStart), 0x08, static_cast<char>(command), 0, 0, status});
    const std::int64_t ready = atUs + faults_.replyDelayMs * std::int64_t{1000};
    lastReplyLost_ = false;
    if (faults_.dropEvery > 0 && replies_ % faults_.dropEvery == 0) {
        lastReplyLost_ = true;
        ++repliesLost_;
        return;
    }
    if (faults_.badCrcEvery > 0 && replies_ % faults_.badCrcEvery == 0) {
        frame.back() = static_cast<char>(frame.back() ^ 0x5A);
        lastReplyLost_ = true;
        ++repliesLost_;
    }
    std::string noise;
    for (int i = 0; i < faults_.noiseBytes; ++i) {
        noiseSeed_ = noiseSeed_ * 1103515245u + 12345u;
        noise.push_back(static_cast<char>((noiseSeed_ >> 16) & 0x7F));  // never a frame start
    }
    emit(noise + frame, ready);
}

void ControllerSimulator::restartIntoAscii(std::int64_t atUs) {
    frameMode_ = false;
    frameBuffer_.clear();
    emit("\r\nRevision Version " + version_ + "\r\n", atUs + RestartMs * std::int64_t{1000});
}

bool ControllerSimulator::flashChecksumValid(const std::string& flash) {
    if (flash.size() < 0x40000) return false;
    std::uint32_t sum = 0;
    for (std::size_t i = 0x4000; i <= 0x3FFF8; i += 2)
        sum += static_cast<unsigned char>(flash[i]) * 256u + static_cast<unsigned char>(flash[i + 1]);
    return sum == bigEndian32(std::string_view(flash).substr(0x3FFFC, 4));
}

std::string ControllerSimulator::osBytes(const SimulatedUnit& unit) {
    if (unit.osEnd <= 0x4000) return {};
    return unit.flash.substr(0x4000, unit.osEnd - 0x4000);
}

}  // namespace z7
