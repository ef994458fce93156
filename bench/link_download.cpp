// A 2000-line program download to the simulated controller, paced at the line rate, in virtual time.
// The reported time is the transfer phase's virtual duration; "bound" is the stop-and-wait bound
// (every record's bytes plus its reply's bytes at the line rate) and "over_bound_pct" how much longer
// the download took. The run fails when that exceeds 10 %.
#include "app/Dialogs.h"
#include "app/Files.h"
#include "app/Project.h"
#include "app/Text.h"
#include "link/ControllerLink.h"
#include "link/ControllerSimulator.h"
#include "link/Loader.h"
#include "link/SimulatedLine.h"
#include "link/TimerLoop.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

class QuietDialogs : public z7::Dialogs {
public:
    void error(const std::string&) override { ++problems; }
    bool confirm(const std::string&) override { return true; }
    void warning(const std::string&) override { ++problems; }
    AbortRetry abortRetry(const std::string&) override {
        ++problems;
        return AbortRetry::Abort;
    }
    void message(const std::string&) override {}
    void beep() override {}
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    int problems = 0;
};

// Module records like the compiler's: an address, a type, a link and 2 to 14 RAM addresses (about 60 characters).
std::vector<std::string> moduleImage(int lines) {
    std::vector<std::string> image = {"#0 File name...|\\"};
    std::uint32_t flash = 0x40000;
    for (int i = 1; i < lines; ++i) {
        std::string line = z7::hexUpper(flash) + "|" + z7::hexUpper(0x10 + i % 0x30) + "|" + z7::hexUpper(flash + 0x20);
        for (int k = 0; k < 2 + (i * 7) % 13; ++k) line += "|" + z7::hexUpper(0x140F000 + ((i * 31 + k * 4) & 0xFFF));
        image.push_back(line + "|\\");
        flash += 0x20;
    }
    return image;
}

void downloadAtLineRate(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const auto image = moduleImage(2000);
    const auto dir = std::filesystem::temp_directory_path() / ("z7bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string system = dir.string() + "/";
    std::string error;
    z7::writeLinesAtomic(system + "Intermed.Obj", image, error);
    double bound = 0;
    for (const std::string& line : z7::Loader::filteredImage(image))
        bound += static_cast<double>(line.size() + 7 + 8) * 10.0 / rate;

    for (auto _ : state) {
        QuietDialogs dialogs;
        z7::TimerLoop loop;
        auto& receiveTimer = loop.addTimer();
        auto& sequenceTimer = loop.addTimer();
        z7::TSeComm32 port(dialogs);
        z7::Project project;
        project.projectPresent = true;
        z7::ControllerLink link(port, receiveTimer, project.controllerOsVersion);
        z7::Loader loader(link, sequenceTimer, dialogs);
        loader.setSystemDirectory(system);
        receiveTimer.setOnTick([&] { link.tick(); });
        sequenceTimer.setOnTick([&] { loader.tick(); });
        z7::ControllerSimulator simulator("5.63", {.lineRate = rate});
        z7::SimulatedLine line(simulator, loop, port);

        loader.sendPgm(project, {});
        line.runUntil([&] { return loader.step() >= 20 || !loader.running(); }, 60'000);
        const std::int64_t start = loop.nowUs();
        line.runUntil([&] { return loader.step() >= 23 || !loader.running(); }, 3'600'000);
        const double seconds = static_cast<double>(loop.nowUs() - start) / 1e6;
        line.runUntil([&] { return !loader.running(); }, 60'000);
        if (!loader.succeeded() || simulator.local().programLines != z7::Loader::filteredImage(image) ||
            dialogs.problems != 0) {
            state.SkipWithError("the download was not exact");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["bound_s"] = bound;
        state.counters["over_bound_pct"] = (seconds / bound - 1.0) * 100.0;
        state.counters["repeats"] = loader.totalRepeats();
        if (seconds > bound * 1.10) state.SkipWithError("more than 10 % over the stop-and-wait bound");
    }
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(downloadAtLineRate)->Arg(9600)->Arg(38400)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
