// z7c: the engineering tool without its window, for scripts and build servers.
#include "Commands.h"

#include <clocale>
#include <cstring>
#include <iostream>

namespace {

struct Command {
    const char* name;
    int (*run)(const z7c::Args&);
    const char* usage;
};

const Command commands[] = {
    {"project", z7c::runProject, "project FILE.zxn [--resave OUT.zxn] [--system DIR]\n                                        summary of a project; --resave writes it back"},
    {"basic", z7c::runBasic, "basic FILE.BAS...                     compile BASIC sources into their object files"},
    {"compile", z7c::runCompile, "compile PROJECT.zxn [options]         compile a project into its image"},
    {"doc", z7c::runDoc, "doc PROJECT.zxn [options]             write the project documentation"},
    {"send", z7c::runSend, "send PROJECT.zxn [options]            download the compiled image"},
    {"send-os", z7c::runSendOs, "send-os [options]                     download the controller operating system"},
    {"stop", z7c::runStop, "stop [options]                        stop the controller's program"},
    {"rtc", z7c::runRtc, "rtc [options]                         set the controller's clock"},
    {"watch", z7c::runWatch, "watch NAME... [options]               poll live variables"},
};

int usage(std::ostream& out, int status) {
    out << "usage: z7c COMMAND [ARGUMENTS]\n";
    for (const Command& c : commands) out << "  z7c " << c.usage << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_TIME, "");  // dates in the user's format; numbers stay as the image wants them
    if (argc < 2) return usage(std::cerr, 2);
    const std::string name = argv[1];
    if (name == "-h" || name == "--help" || name == "help") return usage(std::cout, 0);
    for (const Command& c : commands)
        if (name == c.name) return c.run(z7c::Args(argv + 2, argv + argc));
    std::cerr << "z7c: unknown command \"" << name << "\"\n";
    return usage(std::cerr, 2);
}
