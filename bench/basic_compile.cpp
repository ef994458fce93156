// Compile time of generated BASIC sources: 10,000 lines should take under 50 ms, and 20,000 lines
// under 2.2 times that (the passes stay linear).
#include "basic/BasicCompiler.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A realistic mix of statements: locals, labels, IF blocks, GOSUBs, string handling, constants.
std::vector<std::string> generatedSource(int codeLines) {
    std::vector<std::string> lines{"#MODULE", "Generated load test", "#INPUTS"};
    for (int i = 0; i < 20; ++i) lines.push_back("Input " + std::to_string(i) + ":IN" + std::to_string(i));
    lines.push_back("Text input:TXT$[20]");
    lines.push_back("#OUTPUTS");
    for (int i = 0; i < 20; ++i) lines.push_back("Output " + std::to_string(i) + ":OUT" + std::to_string(i));
    lines.push_back("Message:MSG$[40]");
    lines.push_back("#CODE");
    const auto target = static_cast<std::size_t>(codeLines) + lines.size();
    int cycle = 0;
    for (; lines.size() < target; ++cycle) {
        const std::string c = std::to_string(cycle);
        const std::string in = "IN" + std::to_string(cycle % 20);
        const std::string out = "OUT" + std::to_string(cycle % 20);
        const std::string v = "V" + c, n = "N" + c + "%";
        lines.push_back("L" + c + ":");
        lines.push_back(v + " = " + in + " * " + std::to_string(cycle % 97) + ".5 + " +
                        (cycle > 0 ? "V" + std::to_string(cycle - 1) : in));
        lines.push_back(n + " = INT(" + in + ") + " + c);
        // Two IF statements every six cycles: the same mix at every size, under the limit of 999.
        if (cycle % 6 == 0) {
            lines.push_back("IF (" + in + " > " + v + ") AND (" + n + " < 10) THEN");
            lines.push_back("  " + out + " = " + v + " / 2");
            lines.push_back("ELSE");
            lines.push_back("  " + out + " = SQR(" + n + ")");
            lines.push_back("ENDIF");
        } else if (cycle % 6 == 3) {
            lines.push_back("IF " + n + " = " + c + " THEN GOSUB L" + c);
        } else {
            lines.push_back(out + " = " + v + " / 2 + SQR(" + n + ")");
        }
        lines.push_back("MSG$ = LEFT$(TXT$, 4) + STR$(" + n + ") + \"#" + c + "\"");
        lines.push_back("' comment line " + c);
        lines.push_back("X = " + v + " - ABS(" + in + ") : Y% = " + n + " * 3");
        lines.push_back("Z = X + Y% + " + v);
        lines.push_back(out + " = Z : GOTO L" + std::to_string(cycle + 1));
    }
    lines.push_back("L" + std::to_string(cycle) + ":");
    lines.push_back("RETURN");
    return lines;
}

void compileGenerated(benchmark::State& state) {
    const std::vector<std::string> source = generatedSource(static_cast<int>(state.range(0)));
    z7::BasicCompiler compiler;
    bool clean = false;
    for (auto _ : state) {
        clean = compiler.compile(source);
        benchmark::DoNotOptimize(clean);
    }
    if (!clean) state.SkipWithError(("the generated source has errors: " + compiler.errors()[0].message).c_str());
    state.counters["lines"] = static_cast<double>(source.size());
}

}  // namespace

BENCHMARK(compileGenerated)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
