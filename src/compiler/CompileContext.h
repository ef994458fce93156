#pragma once
// The state of one compile run, shared by the driver, the RAM assignment and every section emitter:
// FLASH and RAM pointers, pass, error count and halt flag, the system pointers, the image, the error
// list, the RAM map, the symbol tables and the side tables the emitters hand to each other.
#include "app/Preferences.h"
#include "app/Project.h"
#include "compiler/BasicObjectFile.h"
#include "compiler/BasicObjectTable.h"
#include "compiler/ComBufferSizes.h"
#include "compiler/CompileErrorList.h"
#include "compiler/CompiledImage.h"
#include "compiler/ModuleAddressList.h"
#include "compiler/RamMap.h"
#include "compiler/SymbolTables.h"
#include "compiler/TypedAddress.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace z7 {

// The preferences a compile uses.
struct CompileSettings {
    std::string systemDirectory;  // prefix for "Intermed.Obj"
    std::string basicDirectory;   // prefix for BASIC object files
    bool alphabetizeModules = true;
    bool flagDuplicateNames = true;

    static CompileSettings from(const Preferences& preferences);
};

// The eleven words of the system pointer record, in record order.
struct SystemPointers {
    std::uint32_t modules = 0;
    std::uint32_t dsps = 0;
    std::uint32_t tx = 0;
    std::uint32_t rx = 0;
    std::uint32_t tmrs = 0;
    std::uint32_t timerCount = 0;
    std::uint32_t trigs = 0;
    std::uint32_t triggerCount = 0;
    std::uint32_t unitTypeBoards = 0;
    std::uint32_t comBufDef = 0;
    std::uint32_t tbls = 0;
};

// How a compile talks to whoever runs it: progress is called with each step text and gauge value
// (0 to 100); haltRequested is polled right after, which is when a cancel button takes effect.
struct CompileHooks {
    std::function<void(const std::string& stepText, int gauge)> progress;
    std::function<bool()> haltRequested;
};

// A RAM block found or reserved: first and last byte; start is -1 after a failed search.
struct RamBlock {
    std::int64_t start = -1;
    std::uint32_t end = 0;
    bool found() const { return start >= 0; }
    std::uint32_t first() const { return static_cast<std::uint32_t>(start); }
};

class CompileContext {
public:
    static constexpr int ReportCap = 20;      // most messages are added only below this count
    static constexpr int EmissionCap = 18;    // the emission stops once the count exceeds this

    CompileContext(Project& project, const ModuleLibrary& library, CompileSettings settings, CompileHooks hooks = {});

    Project& project;
    const ModuleLibrary& library;
    CompileSettings settings;
    CompileHooks hooks;
    ProjectLists lists;  // database name lists of the project as the compile starts

    std::uint32_t FlashPointer = FlashBase;
    std::uint32_t RamPointer = RamBase;
    int pass = 0;  // emission pass 1 or 2
    int errorCount = 0;
    bool halt = false;
    SystemPointers systemPointers;
    std::uint32_t basicLocalRam = 0;  // start of the shared BASIC local RAM block

    CompiledImage image;
    CompileErrorList errors;
    RamMap ramMap;
    SymbolTables symbols;
    ModuleAddressList moduleAddresses;
    BasicObjectTable basicObjects;
    ComBufferSizes comBuffers;
    std::uint32_t basicSectionEnd = 0;  // FLASH address after the BASIC section, from the first pass
    // BASIC object files read during this compile, by file name; nothing for a missing file.
    std::map<std::string, std::optional<BasicObjectFile>> objectFiles;

    // The second emission pass writes lines and reports lookup errors; the first only advances
    // FlashPointer and records forward addresses.
    bool writing() const { return pass == 2; }
    // Where an emitter's lines go: the image in the second pass, nowhere in the first.
    CompiledImage* sink() { return writing() ? &image : nullptr; }
    void appendLine(std::string line) {
        if (writing()) image.append(std::move(line));
    }

    bool mayReport() const { return errorCount < ReportCap; }
    // Adds and counts the message whatever the count.
    void addError(const std::string& message);
    // Adds and counts the message only while fewer than 20 errors are counted.
    bool reportError(const std::string& message);
    // As reportError, and only in the second emission pass.
    bool reportEmitError(const std::string& message);

    bool shouldStop() const { return halt || errorCount > EmissionCap; }
    // Shows a step text with a gauge value and lets the user cancel.
    void step(const std::string& text, int gauge);
    void setGauge(int gauge);
    int gauge() const { return gauge_; }
    const std::string& stepText() const { return stepText_; }

private:
    void pollHalt();
    std::string stepText_;
    int gauge_ = 0;
};

// The object file of that name in the BASIC directory, read once per compile; null when missing.
const BasicObjectFile* readObjectFile(CompileContext& context, const std::string& fileName);

// Address text of a name (see SymbolTables::lookupAddress), empty when none.
std::string LookupAddress(const CompileContext& context, const std::string& name);
std::string LookupStringAddress(const CompileContext& context, const std::string& name);

// Finds, marks and returns the lowest free 4-aligned block of size bytes (one byte for 0). Reports
// "Cannot find large enough RAM block for " + name while the cap allows.
RamBlock FindRamBlock(CompileContext& context, std::uint32_t size, const std::string& name);
// Re-marks a stored block, reporting each byte already in use. A block outside RAM is reported
// and marks nothing.
void ReserveRange(CompileContext& context, std::uint32_t start, std::uint32_t end);
// Re-marks the bytes of one stored variable given by its TypedAddress text ("$" allowed).
void ReserveX(CompileContext& context, const std::string& typedAddressText);

}  // namespace z7
