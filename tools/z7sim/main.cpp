// z7sim: a Z7 controller on a pseudo-terminal, for running z7set and z7c without hardware.
#include "app/Files.h"
#include "app/Text.h"
#include "link/ControllerSimulator.h"
#include "link/Pty.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <poll.h>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

const char* const Usage =
    "usage: z7sim [options]\n"
    "  --link PATH            make PATH a symbolic link to the device (e.g. for Z7_COM1)\n"
    "  --version X.YZ         the OS version the unit reports (default 5.63)\n"
    "  --program-out FILE     write the program lines received (after each restart and at exit)\n"
    "  --remote-program-out FILE  the same for the remote unit behind a pass-through\n"
    "  --os-out FILE          write the OS bytes received from offset 0x4000\n"
    "faults:\n"
    "  --drop-every N         leave every Nth reply unsent\n"
    "  --bad-crc-every N      send every Nth reply with a wrong CRC\n"
    "  --noise N              send N noise bytes before every reply\n"
    "  --delay MS             answer MS milliseconds late\n"
    "  --silent               never answer\n"
    "  --ignore-halt          never report the program idle\n"
    "  --no-pass-through      refuse pass-through mode\n"
    "  --line-rate BPS        pace every byte at BPS bit/s\n";

struct Options {
    std::string link;
    std::string version = "5.63";
    std::string programOut;
    std::string remoteProgramOut;
    std::string osOut;
    z7::SimulatorFaults faults;
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        auto number = [&](int& target) {
            const auto v = value();
            std::int32_t n = 0;
            if (!v || !z7::parseInt(*v, n) || n < 0) return false;
            target = n;
            return true;
        };
        bool ok = true;
        if (arg == "--link") {
            const auto v = value();
            ok = v.has_value();
            if (ok) o.link = *v;
        } else if (arg == "--version") {
            const auto v = value();
            ok = v.has_value();
            if (ok) o.version = *v;
        } else if (arg == "--program-out" || arg == "--remote-program-out" || arg == "--os-out") {
            const auto v = value();
            ok = v.has_value();
            if (ok) (arg == "--os-out" ? o.osOut : arg == "--program-out" ? o.programOut : o.remoteProgramOut) = *v;
        } else if (arg == "--drop-every") {
            ok = number(o.faults.dropEvery);
        } else if (arg == "--bad-crc-every") {
            ok = number(o.faults.badCrcEvery);
        } else if (arg == "--noise") {
            ok = number(o.faults.noiseBytes);
        } else if (arg == "--delay") {
            ok = number(o.faults.replyDelayMs);
        } else if (arg == "--line-rate") {
            ok = number(o.faults.lineRate);
        } else if (arg == "--silent") {
            o.faults.silent = true;
        } else if (arg == "--ignore-halt") {
            o.faults.ignoreHalt = true;
        } else if (arg == "--no-pass-through") {
            o.faults.noPassThrough = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "z7sim: bad option \"" << arg << "\"\n" << Usage;
            return std::nullopt;
        }
    }
    return o;
}

std::int64_t nowUs() {
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
}

void writeOut(const Options& o, const z7::ControllerSimulator& sim) {
    std::string error;
    if (!o.programOut.empty() && !z7::writeLinesAtomic(o.programOut, sim.local().programLines, error))
        std::cerr << "z7sim: " << error << '\n';
    if (!o.remoteProgramOut.empty() && !z7::writeLinesAtomic(o.remoteProgramOut, sim.remote().programLines, error))
        std::cerr << "z7sim: " << error << '\n';
    if (!o.osOut.empty() && !z7::writeFileAtomic(o.osOut, z7::ControllerSimulator::osBytes(sim.local()), error))
        std::cerr << "z7sim: " << error << '\n';
}

int restarts(const z7::ControllerSimulator& sim) {
    return sim.local().programRestarts + sim.local().osRestarts + sim.remote().programRestarts + sim.remote().osRestarts;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::cout << Usage;
            return 0;
        }
    const auto options = parse(argc, argv);
    if (!options) return 2;
    z7::Pty pty;
    if (!pty.ok()) {
        std::cerr << "z7sim: " << pty.error() << '\n';
        return 1;
    }
    if (!options->link.empty() && !pty.makeLink(options->link)) {
        std::cerr << "z7sim: " << pty.error() << '\n';
        return 1;
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGHUP, requestStop);
    std::cout << pty.devicePath() << std::endl;

    z7::ControllerSimulator sim(options->version, options->faults);
    int seenRestarts = 0;
    while (stopRequested == 0) {
        int timeoutMs = 200;
        if (const auto next = sim.nextEventUs())
            timeoutMs = static_cast<int>(std::clamp<std::int64_t>((*next - nowUs() + 999) / 1000, 0, 200));
        pollfd p{pty.master(), POLLIN, 0};
        ::poll(&p, 1, timeoutMs);
        const std::string in = pty.readMaster();
        if (!in.empty()) sim.receive(in, nowUs());
        const std::string out = sim.takeOutput(nowUs());
        if (!out.empty()) pty.writeMaster(out);
        // A restart ends every download: that is when the received image is complete.
        if (restarts(sim) != seenRestarts) {
            seenRestarts = restarts(sim);
            std::cerr << "z7sim: restart; " << sim.local().programLines.size() << " program lines, "
                      << z7::ControllerSimulator::osBytes(sim.local()).size() << " OS bytes, "
                      << sim.remote().programLines.size() << " remote program lines\n";
            writeOut(*options, sim);
        }
    }
    writeOut(*options, sim);
    return 0;
}
