#include "compiler/CompileDriver.h"

#include "app/Clock.h"
#include "app/Files.h"
#include "app/Text.h"
#include "cards/IoPoints.h"
#include "compiler/BasicEmission.h"
#include "compiler/ConstantEmission.h"
#include "compiler/ModuleEmission.h"
#include "compiler/ModuleOrderList.h"
#include "compiler/RamAssignment.h"
#include "compiler/SectionEmitters.h"

namespace z7 {

namespace {

// Longer lines cannot be downloaded to the controller.
constexpr std::size_t MaxImageLineLength = 248;

void resetContext(CompileContext& context) {
    context.errorCount = 0;
    context.halt = false;
    context.pass = 0;
    context.image.clear();
    context.errors.clear();
    context.symbols.clear();
    context.systemPointers = SystemPointers {};
    context.comBuffers.clear();
    context.ramMap.clear();
    context.basicObjects.clear();
    context.moduleAddresses.clear();
    context.objectFiles.clear();
    context.basicLocalRam = 0;
    context.basicSectionEnd = 0;
    context.lists = rebuildProjectLists(context.project, context.library);
}

void appendFileNameLine(CompileContext& context) {
    context.image.append("#0 File name...|\\");
    std::string text = fileNameOf(context.project.fileName) + "  " + formatDateTime(outputTime());
    text = padRight(cut(text, 39), 39);
    context.image.append(hexUpper(context.FlashPointer) + "|" + text + "|\\");
    context.FlashPointer += 40;
}

int cardCode(const CardCage& cage, int c, int s) { return cage.cages[static_cast<std::size_t>(c)][static_cast<std::size_t>(s)]; }

void appendCardLine(CompileContext& context) {
    context.image.append("#2 Cards...|\\");
    const CardCage& cage = context.project.cardCage;
    const std::uint32_t address = context.FlashPointer;
    context.FlashPointer += 64;
    if (cage.unitType == CardCage::UnitType::ZEX3)
        for (int c = 2; c <= CardCage::CageCount; ++c)
            for (int s = 1; s <= 8; ++s)
                if (!isVacantCode(cardCode(cage, c, s))) {
                    context.addError("ZEX3 cannot have expansion card cage(s)");
                    return;
                }
    std::string line = hexUpper(address) + "|";
    for (int c = 1; c <= CardCage::CageCount; ++c)
        for (int first : {1, 5}) {
            std::uint32_t word = 0;
            for (int s = first; s < first + 4; ++s) word = (word << 8) | (static_cast<std::uint32_t>(cardCode(cage, c, s)) & 0xFF);
            line += hexUpper(word) + "|";
        }
    context.image.append(line + "\\");
}

std::uint32_t unitTypeBoards(const CardCage& cage) {
    std::uint32_t highest = 0;
    for (int c = 1; c <= CardCage::CageCount; ++c)
        for (int s = 1; s <= 8; ++s)
            if (cardCode(cage, c, s) != 0) highest = static_cast<std::uint32_t>(8 * (c - 1) + s);
    highest |= cage.unitType == CardCage::UnitType::ZEX3 ? 0x500u : 0x900u;
    if (cage.lcdType == CardCage::LcdType::Small) highest |= 0x1000u;
    return highest;
}

std::string systemPointersLine(std::uint32_t address, const SystemPointers& p) {
    std::string line = hexUpper(address) + "|";
    for (std::uint32_t word : {p.modules, p.dsps, p.tx, p.rx, p.tmrs, p.timerCount, p.trigs, p.triggerCount, p.unitTypeBoards,
                               p.comBufDef, p.tbls})
        line += hexUpper(word) + "|";
    return line + "\\";
}

// One pass of the emission loop; false when it stopped early.
bool emissionPass(CompileContext& context, std::uint32_t modulesStart, std::uint32_t ramPointerAfterConstants) {
    const int pass = context.pass;
    const auto header = [&](const char* text) { context.appendLine(text); };
    context.setGauge(pass * 50 - 30);
    if (context.shouldStop()) return false;
    context.FlashPointer = modulesStart;
    context.RamPointer = ramPointerAfterConstants;
    const std::vector<int> order = moduleOrder(context.project, context.settings.alphabetizeModules);

    header("#4 Modules...|\\");
    context.step("Modules...", pass * 50 - 25);
    if (context.shouldStop()) return false;
    EmitPriorityModules(context, order);
    if (context.shouldStop()) return false;
    EmitOtherModules(context, order);

    if (context.shouldStop()) return false;
    header("#5 Ladder...|\\");
    context.step("Ladder...", context.gauge());
    EmitLadder(context);

    if (context.shouldStop()) return false;
    header("#6 Tx...|\\");
    context.step("TX Arrays...", pass * 50 - 20);
    context.systemPointers.tx = context.FlashPointer;
    EmitTxArrays(context);
    context.systemPointers.rx = context.FlashPointer;

    if (context.shouldStop()) return false;
    header("#7 Rx...|\\");
    context.step("RX Arrays...", pass * 50 - 15);
    EmitRxArrays(context);
    context.systemPointers.dsps = context.FlashPointer;

    if (context.shouldStop()) return false;
    header("#8 Displays...|\\");
    context.step("Displays...", context.gauge());
    EmitDisplays(context);
    context.systemPointers.comBufDef = context.FlashPointer;

    if (context.shouldStop()) return false;
    header("#9 Com buffer def, TX then RX...|\\");
    context.step("Com buffers...", pass * 50 - 10);
    EmitComBuffers(context);
    context.systemPointers.tbls = context.FlashPointer;

    if (context.shouldStop()) return false;
    header("#A Table def...|\\");
    context.step("Tables...", context.gauge());
    EmitTables(context);

    if (context.shouldStop()) return false;
    header("#B Speech...|\\");
    context.step("Speech...", context.gauge());
    EmitSpeech(context);

    header("#C Basic...|\\");
    context.step("Basic...", context.gauge());
    EmitBasic(context);
    if (pass == 1) context.basicSectionEnd = context.FlashPointer;
    return true;
}

void checkLineLengths(CompileContext& context) {
    for (const std::string& line : context.image.lines())
        if (line.size() > MaxImageLineLength && !startsWith(line, "#"))
            context.addError("Image line too long in the record at " + line.substr(0, line.find('|')));
}

}  // namespace

CompileResult compileProject(CompileContext& context, const std::string& outputPath) {
    Project& project = context.project;
    CompileResult result;
    resetContext(context);
    context.step("Initializing...", 0);

    for (const std::string& message : CheckIoPoints(project, context.library)) context.addError(message);
    context.setGauge(10);

    context.FlashPointer = FlashBase;
    context.RamPointer = RamBase;
    appendFileNameLine(context);
    context.image.append("#1 Sys ptrs...Modules|dsps|Tx|Rx|Tmrs|#tmrs|Trigs|#trigs|UtypeDtype#brds|ComBufDef|Tbls|\\");
    const std::size_t systemPointersIndex = context.image.size();
    const std::uint32_t systemPointersAddress = context.FlashPointer;
    context.FlashPointer += 44;
    appendCardLine(context);

    context.step("Assigning RAM...", context.gauge());
    context.symbols.indexRxRows(project.rxRows);
    AssignRam(context);
    context.setGauge(15);

    context.image.append("#3 Constants...|\\");
    EmitConstants(context, &context.image);
    const std::uint32_t modulesStart = context.FlashPointer;
    const std::uint32_t ramPointerAfterConstants = context.RamPointer;
    context.systemPointers.modules = modulesStart;

    for (int pass = 1; pass <= 2; ++pass) {
        context.pass = pass;
        if (!emissionPass(context, modulesStart, ramPointerAfterConstants)) break;
    }
    context.symbols.forgetRxIndex();

    context.step("Finishing...", context.gauge());
    context.systemPointers.unitTypeBoards = unitTypeBoards(project.cardCage);
    context.image.insertAt(systemPointersIndex, systemPointersLine(systemPointersAddress, context.systemPointers));
    context.image.append("#D End of file");
    context.image.append(hexUpper(context.FlashPointer) + "|232F|" + hexUpper(context.FlashPointer + 8) + "|\\");
    context.FlashPointer += 8;

    const std::uint32_t flashUsed = context.FlashPointer - FlashBase;
    project.usedRamBytes = context.ramMap.usedCount();
    project.usedFlashBytes = flashUsed;
    if (context.ramMap.usedCount() > RamLimit) context.addError("Insufficient RAM for application");
    if (flashUsed > FlashLimit) context.addError("Insufficient FLASH for application");
    checkLineLengths(context);

    if (context.errorCount == 0 && !context.halt) {
        result.imagePath = outputPath.empty() ? context.settings.systemDirectory + ImageFileName : outputPath;
        std::string error;
        if (!writeLinesAtomic(result.imagePath, context.image.lines(), error)) context.addError(error);
    }
    if (context.errorCount > 0 || context.halt) {
        result.halted = context.halt;
        if (context.halt) context.addError("Compile halted by user");
        result.statusText = context.errorCount > (context.halt ? 1 : 0) ? "Done compiling...errors" : "Compile halted by user";
        result.imagePath.clear();
    } else {
        context.errors.add("No errors");
        project.needToCompile = false;
        result.success = true;
        result.statusText = "Done compiling...no errors";
    }
    project.showMarks();
    return result;
}

}  // namespace z7
