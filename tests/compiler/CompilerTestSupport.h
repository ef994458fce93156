#pragma once
// A small module library and project builders shared by the compiler tests.
#include "app/Files.h"
#include "app/Text.h"
#include "compiler/CompileDriver.h"
#include "library/ModuleLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace z7::test {

inline const ModuleLibrary& testLibrary() {
    static const ModuleLibrary library = [] {
        ModuleLibrary lib;
        std::vector<std::string> messages;
        lib.loadFromLines(
            {
                "1|1|Analog input|Reads a channel.|ICSC.Channel.Chan|ICSC.Card slot.Card|ICSC.Cage.Cage|FOSS.Value.Val|\\",
                "2|1|Digital input|Reads a channel.|ICSC.Channel.Chan|ICSC.Card slot.Card|ICSC.Cage.Cage|"
                "DOSS.State.In|DOSG.Turned on.OnTrg|\\",
                "4|1|Digital output|Drives a relay.|ICSC.Channel.Chan|ICSC.Card slot.Card|ICSC.Cage.Cage|"
                "DISS.Command.Cmd|DOSS.State.Out|IOST.On timer.OnTmr|\\",
                "5|2|Scaler|Scales.|FISS.Input.In|FCSC.Input low.InLo|FOSS.Scaled output.Out|\\",
                "7|2|Array|An array.|ICSC.Count.N|ICSC.Length.L|FOAS.Values.Vals|IOSS.Index.Idx|\\",
                "8|2|First|Runs first.|IISS.In.In|IOSS.Out.Out|\\",
                "9|2|Text|A string.|ICSC.Count.N|ICSC.Length.L|SOSS.Text.Txt|SOAS.Texts.Txts|\\",
                "18|3|Target|Pointed at.|FISS.In.In|IOSS.Block.Blk|FOSS.Out.Out|\\",
                "19|3|Pointer|Points.|FISM.Target.Tgt|FOSS.Out.Out|\\",
                "31|5|Port|A port.|ICSC.Board.Brd|ICSC.Port.Prt|ICSS.I3.A|ICSS.I4.B|ICSS.I5.C|ICSS.I6.D|ICSS.I7.E|"
                "ICSS.I8.F|ICSS.I9.G|ICSS.I10.H|ICSS.I11.I|ICSS.I12.J|ICSS.I13.K|ICSS.I14.L|ICSS.Size.Sz|IOSS.State.St|\\",
                "60|1,1,2,6,7|Card module|Needs a DI card.|ICSS.Slot.Slot|ICSS.Cage.Cage|DOSS.Out.Out|\\",
                "61|1,1,2,6,7|Card module 2|Needs a DI card.|ICSS.Slot.Slot|ICSS.Cage.Cage|DOSS.Out.Out|\\",
                "125|5|Board|A board.|ICSS.Board.Brd|ICSS.Size.Sz|IOSS.State.St|\\",
                "168|3|Status list|Packs statuses.|IISS.I1.A|IISS.I2.B|IISS.I3.C|IISS.I4.D|DISS.S1.S1|DISS.S2.S2|"
                "DISS.S3.S3|DISS.S4.S4|IOSS.Packed.Pk|\\",
                "170|2|Forty|Forty items.|" + [] {
                    std::string items;
                    for (int i = 1; i <= 39; ++i) items += "FISS.In" + std::to_string(i) + ".I" + std::to_string(i) + "|";
                    return items;
                }() + "FOSS.Out.Out|\\",
            },
            messages);
        return lib;
    }();
    return library;
}

// An instance of definition m named name with bindings 1, 2, ... (outputs named by the caller).
inline Jobrecord makeInstance(const std::string& name, int m, std::vector<std::string> bindings) {
    Jobrecord j;
    j.name = name;
    j.definitionNumber = m;
    j.category = testLibrary().definition(m).category;
    for (std::size_t i = 0; i < bindings.size() && i < MaxEntries; ++i) j.bindings[i + 1] = bindings[i];
    return j;
}

// A project with no instances at all, cage of a new project.
inline Project emptyProject() {
    Project p;
    p.resetToNew();
    p.clearInstances();
    return p;
}

inline void fixSourceDate() { ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1); }

struct Compiled {
    std::unique_ptr<CompileContext> context;
    CompileResult result;
    const std::vector<std::string>& lines() const { return context->image.lines(); }
    const std::vector<std::string>& errors() const { return context->errors.messages(); }
};

inline Compiled compile(Project& project, const std::string& systemDirectory, const std::string& basicDirectory = {},
                        bool alphabetize = false, CompileHooks hooks = {}) {
    fixSourceDate();
    CompileSettings settings;
    settings.systemDirectory = systemDirectory;
    settings.basicDirectory = basicDirectory;
    settings.alphabetizeModules = alphabetize;
    Compiled c;
    c.context = std::make_unique<CompileContext>(project, testLibrary(), settings, std::move(hooks));
    c.result = compileProject(*c.context);
    return c;
}

// The lines of the image between the header starting with from and the next header.
inline std::vector<std::string> section(const std::vector<std::string>& lines, const std::string& from) {
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '#') {
            if (in) break;
            in = line.rfind(from, 0) == 0;
            continue;
        }
        if (in) out.push_back(line);
    }
    return out;
}

// Runs a section emitter for both passes from the same FLASH address: the first pass writes no line
// (and, when asked, reports nothing), and both end at the same address. The second pass's lines.
inline std::vector<std::string> emitBothPasses(CompileContext& ctx, const std::function<void(CompileContext&)>& emitter,
                                               std::uint32_t start, bool firstPassReportsNothing = true) {
    std::uint32_t end1 = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        ctx.pass = pass;
        ctx.FlashPointer = start;
        emitter(ctx);
        if (pass == 1) {
            end1 = ctx.FlashPointer;
            EXPECT_TRUE(ctx.image.lines().empty());
            if (firstPassReportsNothing) {
                EXPECT_TRUE(ctx.errors.empty());
            }
        }
    }
    EXPECT_EQ(ctx.FlashPointer, end1);
    return ctx.image.lines();
}

}  // namespace z7::test
