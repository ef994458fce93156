// z7c send, send-os, stop, rtc and watch: the loader, the clock and the watch over the serial link,
// driven by a real-time poll loop. Terminal lines are printed as they come.
#include "Commands.h"
#include "Common.h"
#include "ConsoleDialogs.h"

#include "app/ProjectFile.h"
#include "app/Text.h"
#include "compiler/CompileDriver.h"
#include "link/ControllerLink.h"
#include "link/Loader.h"
#include "link/SeComm32.h"
#include "link/TimerLoop.h"
#include "link/WatchTable.h"

#include <iostream>
#include <map>
#include <memory>

namespace z7c {

namespace {

constexpr int BaudChoices[] = {300, 1200, 2400, 4800, 9600, 19200, 38400};

std::string asDirectory(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir;
}

void printText(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (c != '\r') out += c;
    std::cout << out << std::flush;
}

// The link objects of the window, headless.
struct Session {
    explicit Session(bool answerYes) : dialogs(answerYes) {
        receiveTimer.setOnTick([this] { link.tick(); });
        sequenceTimer.setOnTick([this] { loader.tick(); });
        pollTimer.setOnTick([this] { watch.pollTick(); });
        link.onText = printText;
    }
    ConsoleDialogs dialogs;
    z7::TimerLoop loop{z7::TimerLoop::Kind::RealTime};
    z7::TimerLoop::Timer& receiveTimer = loop.addTimer();
    z7::TimerLoop::Timer& sequenceTimer = loop.addTimer();
    z7::TimerLoop::Timer& pollTimer = loop.addTimer();
    z7::TSeComm32 port{dialogs};
    z7::Project project;
    z7::ControllerLink link{port, receiveTimer, project.controllerOsVersion};
    z7::Loader loader{link, sequenceTimer, dialogs};
    z7::WatchTable watch{link, pollTimer, dialogs};

    // Runs the loader to its end, printing the load progress in steps of ten.
    void runSequence() {
        int shown = -1;
        while (loader.running()) {
            loop.runOnce(50);
            const z7::LoadProgress& p = loader.progress();
            if (p.visible && p.gauge / 10 != shown) {
                shown = p.gauge / 10;
                std::cout << p.caption << (p.caption.back() == ':' ? " " : ": ") << p.gauge << "%  " << p.repeats << '\n';
            }
        }
        // What the controller says after its restart.
        for (const std::int64_t end = loop.nowUs() + 300'000; loop.nowUs() < end && port.PortOpen();) loop.runOnce(50);
    }
};

struct LinkOptions {
    z7::Preferences preferences;
    bool answerYes = true;
    std::string device;  // a path given with --port
};

// Takes --port, --baud, --system and --no; false with a message for bad values.
bool takeLinkOptions(Args& args, LinkOptions& o, bool& missing) {
    o.preferences = loadPreferences();
    const auto port = takeOption(args, "--port", missing);
    const auto baud = takeOption(args, "--baud", missing);
    const auto system = takeOption(args, "--system", missing);
    const auto basic = takeOption(args, "--basic", missing);
    if (basic) o.preferences.basicDirectory = asDirectory(*basic);
    o.answerYes = !takeFlag(args, "--no");
    if (system) o.preferences.systemDirectory = asDirectory(*system);
    if (port) {
        std::int32_t n = 0;
        const std::string text = z7::lowerAscii(*port);
        if (z7::startsWith(text, "com") && z7::parseInt(text.substr(3), n) && n >= 1 && n <= 8) {
            o.preferences.port = n - 1;
        } else if (!port->empty() && (*port)[0] == '/') {
            o.device = *port;
        } else {
            std::cerr << "error: --port takes COM1 to COM8 or a device path\n";
            return false;
        }
    }
    if (baud) {
        const auto at = std::find(std::begin(BaudChoices), std::end(BaudChoices), z7::intOr(*baud, -1));
        if (at == std::end(BaudChoices)) {
            std::cerr << "error: --baud takes 300, 1200, 2400, 4800, 9600, 19200 or 38400\n";
            return false;
        }
        o.preferences.baudRate = static_cast<int>(at - std::begin(BaudChoices));
    }
    return true;
}

std::unique_ptr<Session> openSession(const LinkOptions& o) {
    auto s = std::make_unique<Session>(o.answerYes);
    s->link.setSettings(z7::LinkSettings::from(o.preferences));
    if (!o.device.empty()) s->port.setDeviceOverride(o.device);
    s->loader.setSystemDirectory(o.preferences.systemDirectory);
    return s;
}

const char* const LinkUsage = "[--port COMn|DEVICE] [--baud RATE] [--system DIR] [--basic DIR] [--no]";

bool readRemote(Args& args, z7::PassThroughParameters& p, bool& missing) {
    const std::pair<const char*, int*> fields[] = {
        {"--remote-address", &p.remoteAddress}, {"--wait", &p.waitSeconds},  {"--forward1", &p.forward1},
        {"--forward2", &p.forward2},            {"--forward3", &p.forward3}, {"--board", &p.board},
        {"--master-port", &p.port}};
    for (const auto& [name, target] : fields) {
        const auto value = takeOption(args, name, missing);
        if (!value) continue;
        std::int32_t n = 0;
        if (!z7::parseInt(*value, n)) {
            std::cerr << "error: " << name << " takes a whole number\n";
            return false;
        }
        *target = n;
    }
    return true;
}

}  // namespace

int runSend(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    LinkOptions o;
    if (!takeLinkOptions(args, o, missing)) return 2;
    const bool remote = takeFlag(args, "--remote");
    const bool noCompile = takeFlag(args, "--no-compile");
    z7::PassThroughParameters parameters;
    if (!readRemote(args, parameters, missing)) return 2;
    if (missing || args.size() != 1) {
        std::cerr << "usage: z7c send PROJECT.zxn " << LinkUsage
                  << " [--no-compile]\n"
                     "       [--remote [--remote-address N] [--wait SEC] [--forward1 N] [--forward2 N] [--forward3 N]"
                     " [--board N] [--master-port N]]\n";
        return 2;
    }
    z7::ModuleLibrary library;
    if (!loadLibrary(o.preferences.systemDirectory, library)) return 2;
    auto s = openSession(o);
    const z7::ProjectFileResult read = z7::readProjectFile(args[0], s->project, library);
    if (!read.ok()) {
        std::cerr << "error: " << read.message << '\n';
        return 2;
    }
    s->project.fileName = args[0];
    s->project.projectPresent = true;
    // The image must be this project's: compile unless told to send the last image as it is.
    s->project.needToCompile = !noCompile;
    auto compile = [&](z7::Project& project, std::vector<std::string>& image) {
        z7::CompileContext context(project, library, z7::CompileSettings::from(o.preferences));
        const z7::CompileResult result = z7::compileProject(context);
        for (const std::string& message : context.errors.messages())
            if (!result.success) std::cerr << message << '\n';
        std::cout << result.statusText << '\n';
        image = context.image.lines();
    };
    if (remote)
        s->loader.startRemote(s->project, compile, parameters);
    else
        s->loader.sendPgm(s->project, compile);
    s->runSequence();
    return s->loader.succeeded() ? 0 : 1;
}

int runSendOs(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    LinkOptions o;
    if (!takeLinkOptions(args, o, missing)) return 2;
    if (missing || !args.empty()) {
        std::cerr << "usage: z7c send-os " << LinkUsage << "   (sends z7.dwn of the SYSTEM directory)\n";
        return 2;
    }
    auto s = openSession(o);
    s->loader.sendOs();
    s->runSequence();
    return s->loader.succeeded() ? 0 : 1;
}

int runStop(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    LinkOptions o;
    if (!takeLinkOptions(args, o, missing)) return 2;
    if (missing || !args.empty()) {
        std::cerr << "usage: z7c stop " << LinkUsage << '\n';
        return 2;
    }
    auto s = openSession(o);
    s->loader.stopPgm();
    s->runSequence();
    return s->loader.succeeded() ? 0 : 1;
}

int runRtc(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    LinkOptions o;
    if (!takeLinkOptions(args, o, missing)) return 2;
    if (missing || !args.empty()) {
        std::cerr << "usage: z7c rtc " << LinkUsage << '\n';
        return 2;
    }
    auto s = openSession(o);
    if (!s->link.OpenTerminal()) return 1;
    const std::uint64_t before = s->port.bytesWritten();
    z7::sendRtc(s->link);
    const bool sent = s->port.bytesWritten() - before == 14 && !s->port.LineLost();
    s->loop.runOnce(5);
    s->link.CloseTerminal();
    return sent ? 0 : 1;
}

int runWatch(const Args& arguments) {
    Args args = arguments;
    bool missing = false;
    LinkOptions o;
    if (!takeLinkOptions(args, o, missing)) return 2;
    const auto projectPath = takeOption(args, "--project", missing);
    const auto polls = takeOption(args, "--polls", missing);
    const int pollCount = polls ? z7::intOr(*polls, -1) : 5;
    if (missing || args.empty() || args.size() > 28 || pollCount < 1) {
        std::cerr << "usage: z7c watch NAME[=ADDRESS]... [--project PROJECT.zxn] [--polls N] " << LinkUsage
                  << "\n  a name's address comes from compiling --project, or is given in hexadecimal after \"=\"\n";
        return 2;
    }
    std::map<std::string, std::string> addresses;
    std::vector<std::string> names;
    for (const std::string& arg : args) {
        const auto equals = arg.find('=');
        names.push_back(arg.substr(0, equals));
        if (equals != std::string::npos) addresses[names.back()] = arg.substr(equals + 1);
    }
    auto s = openSession(o);
    z7::ModuleLibrary library;
    std::unique_ptr<z7::CompileContext> context;
    if (projectPath) {
        if (!loadLibrary(o.preferences.systemDirectory, library)) return 2;
        const z7::ProjectFileResult read = z7::readProjectFile(*projectPath, s->project, library);
        if (!read.ok()) {
            std::cerr << "error: " << read.message << '\n';
            return 2;
        }
        s->project.fileName = *projectPath;
        context = std::make_unique<z7::CompileContext>(s->project, library, z7::CompileSettings::from(o.preferences));
        s->project.needToCompile = true;
    }
    auto lookup = [&](const std::string& name) {
        if (const auto at = addresses.find(name); at != addresses.end()) return at->second;
        return context ? z7::LookupAddress(*context, name) : std::string();
    };
    s->watch.setAddressLookup(lookup);
    auto compile = [&](z7::Project&) {
        const z7::CompileResult result = z7::compileProject(*context);
        if (!result.success)
            for (const std::string& message : context->errors.messages()) std::cerr << message << '\n';
    };
    if (!s->watch.open(s->project, compile)) return 1;
    // Slots 1 to 14 on the left, then 16 to 29 on the right, as the table fills.
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = static_cast<int>(i % 14) + 1;
        const bool right = i >= 14;
        if (lookup(names[i]).size() <= 5) std::cerr << "warning: " << names[i] << " has no address; not watched\n";
        s->watch.drop(row, right, names[i]);
        s->loop.runOnce(0);
    }
    int replies = 0;
    s->watch.onValues = [&] {
        ++replies;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int slot = z7::WatchTable::slotOf(static_cast<int>(i % 14) + 1, i >= 14);
            std::cout << names[i] << " = " << s->watch.value(slot) << (i + 1 < names.size() ? "   " : "\n");
        }
        std::cout << std::flush;
    };
    // Each poll takes a second; a controller that never answers is given two more.
    const std::int64_t deadline = s->loop.nowUs() + (pollCount + 3) * std::int64_t{1'000'000};
    while (replies < pollCount && s->loop.nowUs() < deadline && s->port.PortOpen()) s->loop.runOnce(50);
    s->watch.close();
    return replies > 0 ? 0 : 1;
}

}  // namespace z7c
