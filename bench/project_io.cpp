// Reading, writing and list rebuilding of a full project: 1000 instances with 40 bindings each.
// Target: each under 20 ms.
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

// Definitions 1 to 10, each with 30 inputs and constants and 10 outputs over the six databases.
const z7::ModuleLibrary& benchLibrary() {
    static const z7::ModuleLibrary library = [] {
        z7::ModuleLibrary lib;
        std::vector<std::string> lines;
        const char* outputCodes[] = {"FOSS", "IOSS", "DOSS", "DOSG", "SOSS", "FOSS", "IOST", "DOSA", "TOSS", "AOSS"};
        for (int d = 1; d <= 10; ++d) {
            std::string record = std::to_string(d) + "|" + std::to_string((d - 1) % 5 + 1) + "|Module " + std::to_string(d) +
                                 "|Benchmark module|";
            record += "ICSC.Size.Size|ICSC.Chars.Chars|";
            for (int i = 3; i <= 30; ++i) record += "FISS.Input " + std::to_string(i) + ".In" + std::to_string(i) + "|";
            for (int o = 0; o < 10; ++o) record += std::string(outputCodes[o]) + ".Output " + std::to_string(o) + ".Out" + std::to_string(o) + "|";
            lines.push_back(record + "\\");
        }
        std::vector<std::string> messages;
        lib.loadFromLines(lines, messages);
        if (!messages.empty()) throw std::runtime_error(messages.front());
        return lib;
    }();
    return library;
}

const z7::Project& benchProject() {
    static const z7::Project project = [] {
        z7::Project p;
        p.clearInstances();
        for (int n = 1; n <= z7::MaxInstances; ++n) {
            z7::Jobrecord r;
            r.definitionNumber = (n - 1) % 10 + 1;
            r.category = benchLibrary().definition(r.definitionNumber).category;
            r.name = "INSTANCE" + std::to_string(n);
            r.notes = "Installed 2026\r\nchecked";
            r.bindings[1] = "4";
            r.bindings[2] = "20";
            for (int b = 3; b <= 30; ++b) r.bindings[static_cast<std::size_t>(b)] = "INSTANCE" + std::to_string((n + b) % 1000 + 1) + ".Out0";
            for (int b = 31; b <= 40; ++b)
                r.bindings[static_cast<std::size_t>(b)] = r.name + ".Out" + std::to_string(b - 31);
            r.ramStart = 0x400000 + 64 * static_cast<std::uint32_t>(n);
            r.ramEnd = r.ramStart + 63;
            p.appendInstance(r);
        }
        return p;
    }();
    return project;
}

std::string benchFile() {
    static const std::string path = [] {
        std::string p = "/tmp/z7bench-" + std::to_string(::getpid()) + ".zxn";
        std::string error;
        if (!z7::writeProjectFile(benchProject(), benchLibrary(), p, "11/12/2026 16:00:00", error)) throw std::runtime_error(error);
        return p;
    }();
    return path;
}

void BM_WriteProjectFile(benchmark::State& state) {
    const std::string path = benchFile();
    for (auto _ : state) {
        std::string error;
        if (!z7::writeProjectFile(benchProject(), benchLibrary(), path, "11/12/2026 16:00:00", error))
            state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMillisecond);

// The same without the disk: building the file's text.
void BM_BuildProjectFileText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(z7::joinLines(z7::buildProjectFileLines(benchProject(), benchLibrary(), "now")));
}
BENCHMARK(BM_BuildProjectFileText)->Unit(benchmark::kMillisecond);

void BM_ReadProjectFile(benchmark::State& state) {
    const std::string path = benchFile();
    for (auto _ : state) {
        z7::Project project;
        const z7::ProjectFileResult result = z7::readProjectFile(path, project, benchLibrary());
        if (!result.ok() || project.instanceCount() != z7::MaxInstances) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(project);
    }
}
BENCHMARK(BM_ReadProjectFile)->Unit(benchmark::kMillisecond);

void BM_RebuildProjectLists(benchmark::State& state) {
    for (auto _ : state) {
        z7::ProjectLists lists = z7::rebuildProjectLists(benchProject(), benchLibrary());
        benchmark::DoNotOptimize(lists);
    }
}
BENCHMARK(BM_RebuildProjectLists)->Unit(benchmark::kMillisecond);

// The lists as the window shows them: each database view sorted.
void BM_RebuildAndSortLists(benchmark::State& state) {
    for (auto _ : state) {
        z7::ProjectLists lists = z7::rebuildProjectLists(benchProject(), benchLibrary());
        for (int k = 0; k < z7::DatabaseKindCount; ++k) benchmark::DoNotOptimize(lists.sortedNames(static_cast<z7::DatabaseKind>(k)));
        for (int c = 1; c <= z7::CategoryCount; ++c) benchmark::DoNotOptimize(lists.sortedModules(c));
    }
}
BENCHMARK(BM_RebuildAndSortLists)->Unit(benchmark::kMillisecond);

struct RemoveBenchFile {
    ~RemoveBenchFile() { std::remove(("/tmp/z7bench-" + std::to_string(::getpid()) + ".zxn").c_str()); }
} removeBenchFile;

}  // namespace
