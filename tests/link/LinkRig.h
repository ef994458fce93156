#pragma once
// The program's link objects wired to a simulated controller on a pseudo-terminal, in virtual time.
#include "app/Files.h"
#include "app/Project.h"
#include "app/Text.h"
#include "link/ControllerLink.h"
#include "link/ControllerSimulator.h"
#include "link/Loader.h"
#include "link/SeComm32.h"
#include "link/SimulatedLine.h"
#include "link/TimerLoop.h"
#include "link/WatchTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <algorithm>
#include <string>
#include <vector>

namespace z7::test {

struct LinkRig {
    explicit LinkRig(SimulatorFaults faults = {}, std::string version = "5.63")
        : simulator(std::move(version), faults), line(simulator, loop, port) {
        receiveTimer.setOnTick([this] { link.tick(); });
        sequenceTimer.setOnTick([this] { loader.tick(); });
        pollTimer.setOnTick([this] { watch.pollTick(); });
        loader.setSystemDirectory(system.dir());
        project.projectPresent = true;
        link.onText = [this](const std::string& text) { log += text; };
    }

    // The lines written to the terminal since the start, as z7c would print them.
    std::vector<std::string> written() const { return splitLines(log); }
    bool wrote(const std::string& line) const {
        const auto lines = written();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    int countWritten(const std::string& line) const {
        const auto lines = written();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    bool runSequence(std::int64_t maxMs = 600'000) {
        return line.runUntil([this] { return !loader.running(); }, maxMs);
    }
    void writeImage(const std::vector<std::string>& lines) {
        std::string error;
        writeLinesAtomic(system.file("Intermed.Obj"), lines, error);
    }

    TempDir system;
    ScriptedDialogs dialogs;
    TimerLoop loop;
    TimerLoop::Timer& receiveTimer = loop.addTimer();
    TimerLoop::Timer& sequenceTimer = loop.addTimer();
    TimerLoop::Timer& pollTimer = loop.addTimer();
    TSeComm32 port{dialogs};
    Project project;
    ControllerLink link{port, receiveTimer, project.controllerOsVersion};
    Loader loader{link, sequenceTimer, dialogs};
    WatchTable watch{link, pollTimer, dialogs};
    std::string log;
    ControllerSimulator simulator;
    SimulatedLine line;
};

}  // namespace z7::test
