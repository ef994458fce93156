#pragma once
// The program and OS loader: "Send Pgm", "Send OS", "Stop Pgm" and "PgmToRemote" as one step
// machine driven by the sequence timer (Timer2), stop-and-wait over the frames of the link.
#include "app/Dialogs.h"
#include "app/Project.h"
#include "app/TickTimer.h"
#include "link/ControllerLink.h"
#include "link/Frames.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace z7 {

enum class LoaderOperation { None = 0, SendProgram = 1, SendOs = 2, StopProgram = 3, SendProgramToRemote = 4 };

// What the "Load Progress:" group shows.
struct LoadProgress {
    bool visible = false;
    std::string caption;
    std::string label;
    int gauge = 0;
    bool gaugeRed = false;
    std::string repeats = "Repeats=0";
};

class Loader : public LinkClient {
public:
    static constexpr int StepFinished = 100;
    static constexpr int TransferWait = 2000;
    static constexpr int CommandWait = 3000;
    static constexpr int OsSizeForGauge = 175000;
    static constexpr std::uint32_t OsSkip = 0x4000;
    static constexpr std::uint32_t OsChecksumEnd = 0x3FFF8;
    static constexpr const char* ExpectedOsVersion = "5.63";

    Loader(ControllerLink& link, TickTimer& sequenceTimer, Dialogs& dialogs);

    // The SYSTEM directory text: "Intermed.Obj" and "z7.dwn" are found there.
    void setSystemDirectory(const std::string& directory) { systemDirectory_ = directory; }
    const std::string& systemDirectory() const { return systemDirectory_; }

    // Compiles the project (when it needs it) and fills image with the compiled lines.
    using CompileHook = std::function<void(Project&, std::vector<std::string>& image)>;
    // "Send Pgm" (and, with the remote flag set, the remote load).
    void sendPgm(Project& project, const CompileHook& compile);
    // "Start" of "Send Program to Remote".
    void startRemote(Project& project, const CompileHook& compile, const PassThroughParameters& parameters);
    // "PgmToRemote" shows the group "Send Program to Remote"; its Cancel only hides it.
    void showRemoteGroup() { remoteGroupVisible_ = true; }
    void hideRemoteGroup() { remoteGroupVisible_ = false; }
    bool remoteGroupVisible() const { return remoteGroupVisible_; }
    void sendOs();
    void stopPgm();
    // The progress group's Cancel button.
    void cancel() { cancelRequest_ = true; }
    void tick();  // Timer2

    // The lines a program download sends, in order.
    static std::vector<std::string> filteredImage(const std::vector<std::string>& image);
    // The checksum an OS download writes for the given image file contents.
    static std::uint32_t osChecksum(const std::string& image);
    std::string osImagePath() const;

    LoaderOperation operation() const { return operation_; }
    int step() const { return step_; }
    bool running() const { return active_; }
    // The last sequence reached its closing success line ("Program load successful.", "OS load
    // successful.") or, for "Stop Pgm", sent its stop characters to the end.
    bool succeeded() const { return succeeded_; }
    int totalRepeats() const { return totalRepeats_; }
    const LoadProgress& progress() const { return progress_; }
    bool remote() const { return remote_; }
    const PassThroughParameters& remoteParameters() const { return remoteParameters_; }
    bool passThroughActive() const { return passThroughActive_; }

    void terminalOpening() override { operation_ = LoaderOperation::None; }
    void terminalClosing() override;
    void replyReceived(const std::string& frame) override;
    void linkLost() override;

private:
    void start(LoaderOperation operation);
    void send(const std::string& bytes);
    void write(const std::string& line) { link_.writeLine(line); }
    int remoteWait() const;
    int transferWait() const;
    int commandWait() const;
    void showRepeats();
    bool resendRule(int wait, bool osTransfer);
    void showError(const std::string& text);
    std::optional<std::string> nextImageLine();
    bool checkImage(const std::vector<std::string>& image);
    bool checkOsImage();
    void linkUp();
    bool halt();
    void eraseSectors();
    void programTransfer();
    void osTransfer();
    void restartAfterLoad(int wait, char restartCommand, const char* successText, const char* restartingText);
    void terminate();
    void closeOsFile();

    ControllerLink& link_;
    TickTimer& sequenceTimer_;
    Dialogs& dialogs_;
    std::string systemDirectory_;

    LoaderOperation operation_ = LoaderOperation::None;
    int step_ = StepFinished;
    std::string pending_;
    std::string reply_;
    int repeat_ = 0;
    int totalRepeats_ = 0;
    int sector_ = 0;
    std::size_t lineCursor_ = 0;
    std::vector<std::string> image_;
    bool passThroughActive_ = false;
    bool remote_ = false;
    bool cancelRequest_ = false;
    std::ifstream osFile_;
    std::uint32_t osAddress_ = 0;
    std::uint32_t osSum_ = 0;
    PassThroughParameters remoteParameters_;
    LoadProgress progress_;
    bool succeeded_ = false;
    bool active_ = false;
    bool remoteGroupVisible_ = false;  // from the start until the termination, Cancel or the link's loss
};

}  // namespace z7
