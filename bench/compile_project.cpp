// Compile time of a generated project: 1000 module instances of 40 bound items each and 20 BASIC
// modules, against half of it (the instance table holds at most 1000 instances).
#include "app/Files.h"
#include "compiler/CompileDriver.h"
#include "library/ModuleLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const z7::ModuleLibrary& benchLibrary() {
    static const z7::ModuleLibrary library = [] {
        std::string record = "170|2|Forty|Forty items.|";
        for (int i = 1; i <= 37; ++i) record += "FISS.In" + std::to_string(i) + ".I" + std::to_string(i) + "|";
        record += "FCSC.K.K|ICSC.N.N|FOSS.Out.Out|\\";
        z7::ModuleLibrary lib;
        std::vector<std::string> messages;
        lib.loadFromLines({record}, messages);
        return lib;
    }();
    return library;
}

std::string benchDirectory() {
    static const std::string dir = [] {
        const auto path = std::filesystem::temp_directory_path() / ("z7bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    return dir;
}

// instances module instances whose inputs read the outputs of earlier ones, and basics BASIC
// modules, each with its own object file.
z7::Project makeProject(int instances, int basics) {
    z7::Project p;
    p.resetToNew();
    p.clearInstances();
    for (int n = 1; n <= instances; ++n) {
        z7::Jobrecord j;
        j.name = "M" + std::to_string(n);
        j.definitionNumber = 170;
        for (int i = 1; i <= 37; ++i) j.bindings[static_cast<std::size_t>(i)] = "M" + std::to_string((n * 7 + i * 13) % instances + 1) + ".Out";
        j.bindings[38] = std::to_string(n % 50) + ".5";
        j.bindings[39] = std::to_string(n % 100);
        j.bindings[40] = j.name + ".Out";
        p.appendInstance(j);
    }
    std::string err;
    for (int b = 1; b <= basics; ++b) {
        const std::string name = "B" + std::to_string(b);
        std::string code;
        for (int w = 0; w < 200; ++w) code += (w % 4 == 0 ? "c" + std::to_string(w % 7) : w % 4 == 1 ? "r" + std::to_string(w * 4) : w % 4 == 2 ? "f10" : "t5") + "|" + (w % 20 == 19 ? "\r\n" : "");
        z7::writeFileAtomic(benchDirectory() + name + ".Obj",
                            "#System Data\r\n400|" + std::to_string(4 * 201) + "|2|2|0\r\n#Constants:\r\n0|1|2|3|4|5|6|'Text|\r\n#Flash Code:\r\n" + code + "\r\n",
                            err);
        p.basicModules.push_back(name + "|" + name + ".BAS|IM1.Out|I2.5|f" + name + ".A|i" + name + ".B%|$0|$0");
    }
    return p;
}

void runCompile(benchmark::State& state, bool fresh) {
    const int instances = static_cast<int>(state.range(0));
    z7::Project project = makeProject(instances, instances / 50);
    z7::CompileSettings settings;
    settings.systemDirectory = benchDirectory();
    settings.basicDirectory = benchDirectory();
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            for (int n = 1; n <= project.instanceCount(); ++n) project.instance(n).ramStart = project.instance(n).ramEnd = 0;
            for (std::string& line : project.basicModules) line = line.substr(0, line.find("|$")) + "|$0|$0";
            state.ResumeTiming();
        }
        z7::CompileContext context(project, benchLibrary(), settings);
        const z7::CompileResult result = z7::compileProject(context);
        if (!result.success) state.SkipWithError(context.errors.messages().front().c_str());
        benchmark::DoNotOptimize(context.image.lines().size());
    }
}

void BM_CompileFresh(benchmark::State& state) { runCompile(state, true); }
void BM_Recompile(benchmark::State& state) { runCompile(state, false); }

}  // namespace

BENCHMARK(BM_CompileFresh)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recompile)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
