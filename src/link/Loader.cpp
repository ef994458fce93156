#include "link/Loader.h"

#include "app/Files.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace z7 {

namespace {

// Section headers sent as their first two characters; every other "#" line is skipped.
bool sentAsHeader(const std::string& line) {
    return line.size() >= 2 && std::string_view("013489").find(line[1]) != std::string_view::npos;
}

// The filtered form of image line index, or nothing when the line is skipped.
std::optional<std::string> filterLine(const std::vector<std::string>& image, std::size_t index) {
    const std::string& line = image[index];
    if (line.empty() || line[0] != '#') return line;
    if (sentAsHeader(line)) return line.substr(0, 2);
    if (index + 1 == image.size()) return line;
    return std::nullopt;
}

}  // namespace

Loader::Loader(ControllerLink& link, TickTimer& sequenceTimer, Dialogs& dialogs)
    : link_(link), sequenceTimer_(sequenceTimer), dialogs_(dialogs) {
    sequenceTimer_.disable();
    link_.addClient(*this);
}

std::vector<std::string> Loader::filteredImage(const std::vector<std::string>& image) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < image.size(); ++i)
        if (auto line = filterLine(image, i)) lines.push_back(std::move(*line));
    return lines;
}

std::uint32_t Loader::osChecksum(const std::string& image) {
    std::uint32_t sum = 0;
    std::uint32_t offset = OsSkip;
    for (; offset < image.size(); offset += 2) {
        const auto high = static_cast<unsigned char>(image[offset]);
        const unsigned low = offset + 1 < image.size() ? static_cast<unsigned char>(image[offset + 1]) : 0xFF;
        sum += high * 256u + low;
    }
    for (; offset <= OsChecksumEnd; offset += 2) sum += 0xFFFF;
    return sum;
}

std::string Loader::osImagePath() const {
    const bool separated = !systemDirectory_.empty() && (systemDirectory_.back() == '/' || systemDirectory_.back() == '\\');
    return systemDirectory_ + (separated || systemDirectory_.empty() ? "" : "/") + "z7.dwn";
}

bool Loader::checkImage(const std::vector<std::string>& image) {
    if (filteredImage(image).empty()) {
        dialogs_.error("The compiled image is empty: nothing was sent.");
        return false;
    }
    // A line that does not fit a frame is refused before the controller is halted or erased.
    for (std::size_t i = 0; i < image.size(); ++i) {
        const auto line = filterLine(image, i);
        if (line && line->size() > MaxProgramLine) {
            dialogs_.error("Image line " + std::to_string(i + 1) + " is longer than " + std::to_string(MaxProgramLine) +
                           " characters: nothing was sent.");
            return false;
        }
    }
    return true;
}

bool Loader::checkOsImage() {
    const std::string path = osImagePath();
    if (!fileExists(path)) {
        dialogs_.error("Cannot find file Z7.DWN in " + systemDirectory_);
        return false;
    }
    std::string bytes, error;
    if (!readFileBytes(path, bytes, error)) {
        dialogs_.error(error);
        return false;
    }
    if (bytes.size() < OsSkip) {
        dialogs_.error("The OS image " + path + " is shorter than 16384 bytes: nothing was sent.");
        return false;
    }
    return true;
}

void Loader::sendPgm(Project& project, const CompileHook& compile) {
    if (!project.projectPresent) {
        dialogs_.error("There is no project installed to send.");
        remote_ = false;
        return;
    }
    std::vector<std::string> image;
    if (project.needToCompile) {
        if (compile) compile(project, image);
    } else {
        std::string error;
        if (!readTextLines(systemDirectory_ + "Intermed.Obj", image, error)) {
            dialogs_.error(error);
            remote_ = false;
            return;
        }
    }
    if (project.needToCompile) {
        dialogs_.error("Project compile resulted in error(s).");
        remote_ = false;
        return;
    }
    if (!checkImage(image)) {
        remote_ = false;
        return;
    }
    reply_.clear();
    const bool remote = remote_;
    if (!link_.OpenTerminal()) {
        remote_ = false;
        return;
    }
    remote_ = remote;
    image_ = std::move(image);
    passThroughActive_ = false;
    start(remote_ ? LoaderOperation::SendProgramToRemote : LoaderOperation::SendProgram);
}

void Loader::startRemote(Project& project, const CompileHook& compile, const PassThroughParameters& parameters) {
    remoteParameters_ = parameters;
    remoteGroupVisible_ = false;
    remote_ = true;
    sendPgm(project, compile);
}

void Loader::sendOs() {
    // Checked before anything is sent: the sequence erases the controller's OS before it reads the file.
    if (!checkOsImage()) return;
    if (!link_.OpenTerminal()) return;
    start(LoaderOperation::SendOs);
}

void Loader::stopPgm() {
    if (!link_.OpenTerminal()) return;
    start(LoaderOperation::StopProgram);
}

void Loader::start(LoaderOperation operation) {
    operation_ = operation;
    step_ = operation == LoaderOperation::SendProgramToRemote ? -2 : 1;
    totalRepeats_ = 0;
    repeat_ = 0;
    showRepeats();
    cancelRequest_ = false;
    succeeded_ = false;
    active_ = true;
    closeOsFile();
    sequenceTimer_.setInterval(500);
    sequenceTimer_.enable();
    reply_.clear();
    pending_.clear();
    link_.clearTerminal();
    write(operation == LoaderOperation::StopProgram ? "Stopping Z7 program..." : "Switching Z7 to ZEXON protocol...");
}

void Loader::send(const std::string& bytes) {
    if (link_.port().PortOpen()) link_.port().SendString(bytes);
}

int Loader::remoteWait() const {
    // The spin edit has no limits; a wait beyond the timer's range is the longest it can do.
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{remoteParameters_.waitSeconds} * 1000, 0, INT32_MAX));
}

int Loader::transferWait() const {
    if (operation_ == LoaderOperation::SendOs) return TransferWait;
    return remote_ ? remoteWait() : TransferWait;
}

int Loader::commandWait() const { return remote_ ? remoteWait() : CommandWait; }

void Loader::showRepeats() { progress_.repeats = "Repeats=" + std::to_string(totalRepeats_); }

void Loader::showError(const std::string& text) {
    sequenceTimer_.disable();
    dialogs_.error(text);
    sequenceTimer_.enable();
}

bool Loader::resendRule(int wait, bool osTransfer) {
    if (!reply_.empty() || pending_.empty()) return false;
    ++repeat_;
    ++totalRepeats_;
    showRepeats();
    if (repeat_ > 4) {
        sequenceTimer_.disable();
        if (osTransfer) {
            progress_.visible = false;
            closeOsFile();
        }
        dialogs_.error("Z7 is not responding");
        sequenceTimer_.enable();
        step_ = StepFinished;
        return true;
    }
    send(pending_);
    sequenceTimer_.setInterval(wait);
    return false;
}

std::optional<std::string> Loader::nextImageLine() {
    while (lineCursor_ < image_.size()) {
        if (auto line = filterLine(image_, lineCursor_++)) return line;
    }
    return std::nullopt;
}

void Loader::tick() {
    if (cancelRequest_) {
        link_.CloseTerminal();
        remote_ = false;
        return;
    }
    if (step_ < 4) linkUp();
    if (step_ == 4) {
        if (remote_ && !passThroughActive_) {
            write("Z3/Z7 master not ready to pass pgm through");
            step_ = StepFinished;
        }
        sequenceTimer_.setInterval(1000);
        ++step_;
        return;
    }
    if (step_ >= 5 && step_ <= 7 && !halt()) return;
    if (step_ == 8) {
        write("No reply from Z7.");
        step_ = StepFinished;
    }
    if (step_ == 9) {
        const bool program = operation_ == LoaderOperation::SendProgram || operation_ == LoaderOperation::SendProgramToRemote;
        if (program && link_.controllerOsVersion() != ExpectedOsVersion) {
            sequenceTimer_.disable();
            if (!dialogs_.confirm("Zex7 OS version may be incompatible with load, proceed anyway?")) step_ = StepFinished;
            sequenceTimer_.enable();
        }
        ++step_;
        sequenceTimer_.setInterval(1000);
        return;
    }
    if (step_ >= 10 && step_ <= 19) eraseSectors();
    if (step_ >= 20 && step_ <= 29) {
        if (operation_ == LoaderOperation::SendOs)
            osTransfer();
        else
            programTransfer();
    }
    if (step_ > 99) terminate();
    link_.trimTerminal();
}

void Loader::linkUp() {
    lineCursor_ = 0;
    progress_.gauge = 0;
    progress_.gaugeRed = true;
    const bool remoteOp = operation_ == LoaderOperation::SendProgramToRemote;
    if (operation_ == LoaderOperation::StopProgram) {
        send(std::string(1, CtrlK));
        write("^K ");
    } else if (!remoteOp || step_ < 2) {
        send(std::string(1, CtrlR));
        write("^R ");
    } else {
        if (!reply_.empty() && (replyStatus(reply_) & StatusPassThrough) != 0) {
            write("Local Z3/Z7 is in passthrough mode");
            passThroughActive_ = true;
            step_ = 3;
        }
        link_.setComMode(ComMode::Crc);
        if (!passThroughActive_) {
            write("Initiating master pass-through mode...");
            send(passThroughStartFrame(remoteParameters_));
        }
    }
    ++step_;
}

bool Loader::halt() {
    if (operation_ == LoaderOperation::StopProgram) {
        step_ = StepFinished;
        succeeded_ = true;
        return false;
    }
    link_.setComMode(ComMode::Crc);
    if (!reply_.empty()) {
        if ((replyStatus(reply_) & StatusIdle) != 0) {
            step_ = 9;
            write("Z3/Z7 program is idle");
        }
        reply_.clear();
    }
    if (step_ < 9) {
        sequenceTimer_.setInterval(commandWait());
        write("Sending command to halt Z3/Z7 program...");
        send(commandFrame(operation_ == LoaderOperation::SendOs ? HaltForOs : HaltForProgram));
        ++step_;
    }
    return true;
}

void Loader::eraseSectors() {
    if (step_ == 10) {
        sector_ = operation_ == LoaderOperation::SendOs ? 1 : 5;
        reply_.clear();  // a late answer to a halt command must not count as an erase
    }
    if (!reply_.empty()) {
        write("Z7 responded...");
        ++sector_;
        reply_.clear();
        if (sector_ > 6) step_ = 20;
    }
    if (step_ < 20) {
        write("Sending command to erase sector " + std::to_string(sector_) + " please wait...");
        send(commandFrame(eraseSectorArgument(sector_)));
        sequenceTimer_.setInterval(commandWait());
        ++step_;
        if (step_ == 17) {
            showError("Z7 is not responding");
            step_ = StepFinished;
        }
    }
}

void Loader::programTransfer() {
    progress_.visible = true;
    progress_.caption = "Load Progress";
    progress_.label = "Loading Z7/Z3 Program...";
    if (step_ == 20) {
        if (resendRule(transferWait(), false)) return;
        if (reply_.empty() && !pending_.empty()) return;
        reply_.clear();
        repeat_ = 0;
        const auto line = nextImageLine();
        if (!line) {
            step_ = 23;
            progress_.visible = false;
            pending_.clear();
            sequenceTimer_.setInterval(1);
            return;
        }
        pending_ = programRecordFrame(*line);
        const std::size_t last = image_.size() > 1 ? image_.size() - 1 : 1;
        progress_.gauge = static_cast<int>(std::min<std::size_t>(100, lineCursor_ * 100 / last));
        send(pending_);
        sequenceTimer_.setInterval(transferWait());
    } else if (step_ == 23) {
        if (resendRule(transferWait(), false)) return;
        if (!pending_.empty()) {
            step_ = 24;
            repeat_ = 0;
            pending_.clear();
            sequenceTimer_.setInterval(1);
            return;
        }
        reply_.clear();
        repeat_ = 0;
        pending_ = commandFrame(InstallSecurity);
        write("Installing program security...");
        send(pending_);
        sequenceTimer_.setInterval(transferWait());
    } else if (step_ == 24) {
        restartAfterLoad(transferWait(), RestartProgram, "Program load successful.", "Restarting Z7 program...");
    }
}

void Loader::osTransfer() {
    if (step_ == 20) {
        const std::string path = osImagePath();
        if (!fileExists(path)) {
            sequenceTimer_.disable();
            dialogs_.error("Cannot find file Z7.DWN in " + systemDirectory_);
            step_ = StepFinished;
            return;
        }
        progress_.visible = true;
        progress_.caption = "Load Progress:";
        progress_.label = "Loading Zex7/Zex3 OS...";
        progress_.gauge = 0;
        osFile_.open(path, std::ios::binary);
        osAddress_ = 0;
        osSum_ = 0;
        step_ = 21;
        sequenceTimer_.setInterval(10);
    } else if (step_ == 21) {
        std::array<char, MaxOsRecord> block{};
        while (osAddress_ < 0x3FFF) {
            osFile_.read(block.data(), block.size());
            const auto got = static_cast<std::uint32_t>(osFile_.gcount());
            if (got == 0) break;
            osAddress_ += got;
        }
        if (osAddress_ < OsSkip) {  // the file shrank after the check at the start
            progress_.visible = false;
            closeOsFile();
            showError("The OS image " + osImagePath() + " is shorter than 16384 bytes.");
            step_ = StepFinished;
            return;
        }
        step_ = 22;
        repeat_ = 0;
        reply_.clear();
        sequenceTimer_.setInterval(10);
    } else if (step_ == 22) {
        if (resendRule(TransferWait, true)) return;
        if (reply_.empty() && !pending_.empty()) return;
        reply_.clear();
        repeat_ = 0;
        std::array<char, MaxOsRecord> block{};
        osFile_.read(block.data(), block.size());
        const auto got = static_cast<std::size_t>(osFile_.gcount());
        if (got == 0) {
            progress_.visible = false;
            closeOsFile();
            step_ = 23;
            pending_.clear();
            sequenceTimer_.setInterval(1);
            return;
        }
        progress_.gauge = static_cast<int>(std::min<std::uint64_t>(100, std::uint64_t{osAddress_} * 100 / OsSizeForGauge));
        const std::string_view data(block.data(), got);
        pending_ = osRecordFrame(osAddress_, data);
        for (std::size_t k = 0; k < got; k += 2) {
            // Flash the file does not reach reads as 0xFF, also in the last word of an odd image.
            const unsigned low = k + 1 < got ? static_cast<unsigned char>(data[k + 1]) : 0xFF;
            osSum_ += static_cast<unsigned char>(data[k]) * 256u + low;
        }
        osAddress_ += static_cast<std::uint32_t>(got);
        send(pending_);
        sequenceTimer_.setInterval(TransferWait);
    } else if (step_ == 23) {
        if (resendRule(TransferWait, false)) return;
        if (!pending_.empty()) {
            step_ = 24;
            pending_.clear();
            sequenceTimer_.setInterval(1);
            return;
        }
        reply_.clear();
        repeat_ = 0;
        for (std::uint32_t i = (osAddress_ + 1) & ~1u; i <= OsChecksumEnd; i += 2) osSum_ += 0xFFFF;
        pending_ = osChecksumFrame(osSum_);
        write("Sending OS security...");
        send(pending_);
        sequenceTimer_.setInterval(TransferWait);
    } else if (step_ == 24) {
        restartAfterLoad(TransferWait, RestartOs, "OS load successful.", "Restarting Z7 OS...");
    }
}

// The last step of both downloads: report success, send the restart and, once it has gone out,
// hand the line back to the terminal.
void Loader::restartAfterLoad(int wait, char restartCommand, const char* successText, const char* restartingText) {
    if (resendRule(wait, false)) return;
    if (!pending_.empty()) {
        step_ = StepFinished;
        link_.setComMode(ComMode::Ascii);
        sequenceTimer_.setInterval(1);
        return;
    }
    reply_.clear();
    repeat_ = 0;
    pending_ = commandFrame(restartCommand);
    write(successText);
    write(restartingText);
    succeeded_ = true;
    send(pending_);
    sequenceTimer_.setInterval(wait);
}

void Loader::terminate() {
    active_ = false;
    progress_.visible = false;
    write("Sequence terminated");
    link_.setComMode(ComMode::Ascii);
    sequenceTimer_.disable();
    step_ = StepFinished;
    closeOsFile();
    if (remote_) {
        send(passThroughEndFrame());
        remote_ = false;
    }
}

void Loader::closeOsFile() {
    if (osFile_.is_open()) osFile_.close();
    osFile_.clear();
}

void Loader::terminalClosing() {
    active_ = false;
    remote_ = false;
    remoteGroupVisible_ = false;
    sequenceTimer_.disable();
    progress_.visible = false;
    closeOsFile();
}

void Loader::replyReceived(const std::string& frame) {
    reply_ = frame;
    sequenceTimer_.setInterval(1);
}

void Loader::linkLost() {
    if (!active_) return;
    succeeded_ = false;
    step_ = StepFinished;
    terminate();
    link_.trimTerminal();
}

}  // namespace z7
