// Compile time of a project that fills the ladder, telemetry, display and table sections:
// 200 full rungs, tables of 50 rows by 10 columns, 50 displays of 20 lines, 1000 TX and 1000 RX
// rows. With 100 tables the image needs more than the 256 KB of FLASH, so that compile runs every
// step and ends with "Insufficient FLASH for application"; with 30 tables it fits and is written.
#include "compiler/CompileDriver.h"
#include "ladder/LadderCell.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace z7;

std::string coil(int rung) { return "R" + std::to_string(rung) + ".Coil"; }

Project sectionsProject(int tables) {
    Project p;
    p.resetToNew();
    p.clearInstances();
    p.fileName = "bench.zxn";
    p.ladderGridRows = MaxLadderRows;
    for (int r = 0; r < MaxLadderRows; ++r) {
        LadderRung& rung = p.ladderRows[static_cast<std::size_t>(r)];
        for (int c = 0; c < 7; ++c) {
            rung.kinds[static_cast<std::size_t>(c)] = c % 2 ? CellClosed : CellOpen;
            rung.texts[static_cast<std::size_t>(c)] = coil((r + c + 1) % MaxLadderRows);
        }
        rung.kinds[7] = CellCoil;
        rung.texts[7] = coil(r);
        rung.onDelay = std::to_string(r % 5);
    }
    for (int k = 0; k < 1000; ++k) {
        const std::string channel = std::to_string(3 + k / 100);
        const std::string word = std::to_string(k % 100 + 1);
        p.txRows.push_back({channel, "Us", "9", word, "-", coil(k % MaxLadderRows), k % 3 ? "" : "10.0", "Integer", "", ""});
        p.rxRows.push_back({channel, "9", "Us", word, "-", "Rx" + std::to_string(k) + ".9", k % 4 ? "" : ".1", "Integer", "", "$0"});
    }
    for (int d = 0; d < 50; ++d) {
        p.displays.push_back("~Display " + std::to_string(d) + "|0|" + std::to_string(d + 1) + "|0|" + coil(d) + "|");
        for (int l = 0; l < 20; ++l)
            p.displays.push_back("Value @@@.@ and @@@@|Rx" + std::to_string(d * 20 + l) + ".9|" + coil(l) + "|3|4|5|6|7|8|9|10");
    }
    for (int t = 0; t < tables; ++t) {
        const std::string name = "T" + std::to_string(t);
        p.tables.push_back("~" + name + "|" + name + "R0.TBL|||50|10|20|1|$0|$0|");
        for (int r = 0; r < 50; ++r) {
            std::string line = "Float|" + name + "R" + std::to_string(r) + "||";
            for (int c = 0; c < 10; ++c) line += (c % 2 ? std::string {} : std::to_string(c) + ".5") + "|";
            p.tables.push_back(line + name + "R" + std::to_string(r) + ".TBL|");
        }
    }
    return p;
}

void CompileSections(benchmark::State& state) {
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const ModuleLibrary library;
    const Project fresh = sectionsProject(static_cast<int>(state.range(0)));
    const bool fits = state.range(0) <= 30;
    const std::string output = (std::filesystem::temp_directory_path() / "bench_sections_Intermed.Obj").string();
    for (auto _ : state) {
        state.PauseTiming();
        Project project = fresh;
        CompileContext context(project, library, CompileSettings {});
        state.ResumeTiming();
        const CompileResult result = compileProject(context, output);
        const bool onlyFlash =
            context.errors.messages() == std::vector<std::string> {"Insufficient FLASH for application"};
        if (result.success != fits || (!fits && !onlyFlash)) {
            state.SkipWithError(context.errors.messages().front().c_str());
            break;
        }
        benchmark::DoNotOptimize(context.image.lines().size());
    }
    std::filesystem::remove(output);
}
BENCHMARK(CompileSections)->Arg(100)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace
