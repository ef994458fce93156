// Documenting a generated project of 1000 module instances with every section, the cross reference
// included, from the shipped module library and boilerplate.
#include "app/Project.h"
#include "doc/CrossReference.h"
#include "doc/Documentation.h"
#include "library/ModuleLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace z7;

const std::string SystemDirectory = Z7_SOURCE_DIR "/system/";

const ModuleLibrary& shippedLibrary() {
    static const ModuleLibrary library = [] {
        ModuleLibrary l;
        std::vector<std::string> messages;
        l.load(SystemDirectory, messages);
        return l;
    }();
    return library;
}

// Instances of the math, control and statistics modules whose inputs are bound to outputs of the
// instances before them, so that nearly every name has uses; with a ladder, displays, telemetry,
// tables and speech reports that use those names too.
Project generatedProject(int instances) {
    const ModuleLibrary& library = shippedLibrary();
    std::vector<int> definitions;
    for (int n = 1; n <= MaxDefinitions; ++n) {
        const Modul& d = library.definition(n);
        if (library.isDefined(n) && d.category >= 2 && d.category <= 4 && d.inputCount > 0 && d.outputCount > 0) definitions.push_back(n);
    }
    std::mt19937 random(7);
    Project project;
    project.fileName = "Generated.zxn";
    std::vector<std::string> outputs {"System.Boot"};
    while (project.instanceCount() < instances) {
        const int number = definitions[random() % definitions.size()];
        const Modul& definition = library.definition(number);
        Jobrecord instance;
        instance.definitionNumber = number;
        instance.category = definition.category;
        instance.name = "M" + std::to_string(project.instanceCount());
        for (int e = 1; e <= definition.inputsAndConstants(); ++e)
            instance.bindings[static_cast<std::size_t>(e)] =
                definition.entries[static_cast<std::size_t>(e)].direction() == 'C' ? "10" : outputs[random() % outputs.size()];
        for (int e = definition.inputsAndConstants() + 1; e <= definition.entryTotal() && e <= MaxEntries; ++e) {
            std::string name = instance.name + "." + definition.entries[static_cast<std::size_t>(e)].suffix;
            instance.bindings[static_cast<std::size_t>(e)] = name;
            outputs.push_back(std::move(name));
        }
        project.appendInstance(instance);
    }
    const auto pick = [&] { return outputs[random() % outputs.size()]; };
    for (int r = 0; r < 150; ++r) {
        LadderRung& rung = project.ladderRows[static_cast<std::size_t>(r)];
        rung.kinds = {8, 7, 2, 2, 2, 2, 2, 9};
        rung.texts[0] = pick();
        rung.texts[1] = pick();
        rung.texts[7] = "L" + std::to_string(r) + ".Coil";
    }
    for (int d = 0; d < 50; ++d) {
        project.displays.push_back("~Page" + std::to_string(d) + "|0|" + std::to_string(d) + "|0|" + pick() + "|");
        for (int l = 0; l < 8; ++l)
            project.displays.push_back("Value @@@.@ and @@@.@|" + pick() + "|" + pick() + "|3|4|5|6|7|8|9|10");
    }
    for (int w = 1; w <= 100; ++w) {
        project.txRows.push_back({"4", "Us", "1", std::to_string(w), "-", pick(), "1.0", "Float", "", ""});
        project.rxRows.push_back({"5", "1", "Us", std::to_string(w), "-", "RX" + std::to_string(w), "", "Integer", "", ""});
    }
    for (int t = 0; t < 10; ++t) {
        project.tables.push_back("~T" + std::to_string(t) + "|" + pick() + "|||20|5|20|0|$0|$0|");
        for (int r = 0; r < 20; ++r)
            project.tables.push_back("Float|R" + std::to_string(t * 100 + r) + "|" + pick() + "|1|" + pick() + "||4|" + pick() + "|R.TBL|");
    }
    for (int s = 0; s < 10; ++s) {
        project.speechReports.push_back("~S" + std::to_string(s) + "|" + pick() + "|||||1");
        for (int l = 0; l < 10; ++l) project.speechReports.push_back(pick() + "|1|" + pick() + ";@@@.@@|2|||||||||||||");
    }
    return project;
}

void BM_GenerateDocumentation(benchmark::State& state) {
    const Project project = generatedProject(static_cast<int>(state.range(0)));
    DocumentationSettings settings;
    settings.systemDirectory = SystemDirectory;
    settings.choices = DocumentationChoices::all();
    const std::string path = "/tmp/z7-bench-doc-" + std::to_string(::getpid()) + ".Txt";
    std::size_t lines = 0;
    for (auto _ : state) {
        const DocumentationResult result = GenerateDocumentation(project, shippedLibrary(), settings, path);
        if (!result.ok) state.SkipWithError(result.message.c_str());
        lines = result.lineCount;
    }
    std::remove(path.c_str());
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_GenerateDocumentation)->Arg(1000)->Unit(benchmark::kMillisecond);

// One name searched in the same project, as the variable search does on every press.
void BM_CrossReferenceOneName(benchmark::State& state) {
    const Project project = generatedProject(1000);
    const std::string name = project.instance(500).bindings[1];
    for (auto _ : state) {
        std::vector<std::string> lines;
        CrossReference(project, shippedLibrary(), name, lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_CrossReferenceOneName)->Unit(benchmark::kMillisecond);

}  // namespace
