#pragma once
// The one controller project the window holds open: record tables numbered from 1, ordered text
// lines owned by their editors, header values and the change marks.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace z7 {

constexpr int MaxDefinitions = 200;
constexpr int MaxInstances = 1000;
constexpr int MaxEntries = 40;
constexpr int MaxLadderRows = 200;
constexpr int SpeechMessageCount = 255;
constexpr int MinLadderGridRows = 10;

constexpr std::size_t MaxNameLength = 40;     // instance and definition names
constexpr std::size_t MaxBindingLength = 80;
constexpr std::size_t MaxPromptLength = 40;
constexpr std::size_t MaxSuffixLength = 20;
constexpr std::size_t MaxDelayLength = 40;

constexpr int SystemDefinitionNumber = 57;
inline constexpr const char* ProgramVersion = "5.63";

// The six project databases, in the order of their letters F I D S T A.
enum class DatabaseKind { Float, Integer, Status, String, Tx, Rx };
constexpr int DatabaseKindCount = 6;

// The kind named by the first letter of an entry code, or false for another letter.
bool databaseKindOfLetter(char letter, DatabaseKind& kind);
char letterOf(DatabaseKind kind);
const char* tabCaptionOf(DatabaseKind kind);  // "Floating Pt", "Integer", ...

// One entry of a definition: code (4 letters: database, direction, size, spec grouping), prompt, suffix.
struct ModuleEntry {
    std::string code;
    std::string prompt;
    std::string suffix;

    char letter(int position) const { return position >= 1 && position <= static_cast<int>(code.size()) ? code[position - 1] : ' '; }
    char databaseLetter() const { return letter(1); }
    char direction() const { return letter(2); }
    bool isArray() const { return letter(3) == 'A'; }
    char grouping() const { return letter(4); }
};

// One module definition of the library.
struct Modul {
    int category = 0;
    int inputCount = 0;
    int outputCount = 0;
    int constantCount = 0;
    std::string name;
    std::string description;  // may hold CR LF line breaks
    std::array<ModuleEntry, MaxEntries + 1> entries;  // 1 to 40
    std::array<int, 10> cardSpec {};

    int inputsAndConstants() const { return inputCount + constantCount; }
    int entryTotal() const { return inputCount + constantCount + outputCount; }
};

// One module instance of the project.
struct Jobrecord {
    int category = 0;
    int definitionNumber = 0;
    std::uint32_t ramStart = 0;
    std::uint32_t ramEnd = 0;  // inclusive; 0 and 0 mean no block
    std::string name;
    int aux1 = 0;
    int aux2 = 0;
    std::string notes;
    std::array<std::string, MaxEntries + 1> bindings;  // 1 to 40

    bool operator==(const Jobrecord&) const = default;
};

struct CardCage {
    enum class UnitType { ZEX3, ZEX7 };
    enum class LcdType { Large, Small };
    static constexpr int CageCount = 8;
    static constexpr int SlotValues = 9;  // slot values 0 to 8 of each cage

    UnitType unitType = UnitType::ZEX7;
    LcdType lcdType = LcdType::Large;
    std::array<std::array<int, SlotValues>, CageCount + 1> cages {};  // cages 1 to 8

    bool operator==(const CardCage&) const = default;
};

struct LadderRung {
    static constexpr int Columns = 8;
    std::array<int, Columns> kinds {};         // LadderCellKind of columns 0 to 7
    std::array<std::string, Columns> texts;     // column 7 is the coil tag
    std::string onDelay = "0";
    std::string offDelay = "0";
    std::uint32_t statusAddress = 0;

    // A rung is stored only when some cell holds more than a blank.
    bool isUsed() const;
    bool operator==(const LadderRung&) const = default;
};

// "Port", "Source", "Dest.", "Word", "Bit", "Name", "Mult", "Type", "Value", "Address"
using TelemetryRow = std::array<std::string, 10>;
enum TelemetryColumn { TlmPort, TlmSource, TlmDest, TlmWord, TlmBit, TlmName, TlmMult, TlmType, TlmValue, TlmAddress };

// The default phrases of the speech phrase list (1 to 34; the rest empty).
const std::array<std::string, SpeechMessageCount + 1>& defaultSpeechMessages();

class Project {
public:
    Project();

    // Module instances, numbered 1 to instanceCount().
    int instanceCount() const { return static_cast<int>(instances_.size()); }
    Jobrecord& instance(int number) { return instances_.at(static_cast<std::size_t>(number - 1)); }
    const Jobrecord& instance(int number) const { return instances_.at(static_cast<std::size_t>(number - 1)); }
    // Appends an instance; false (nothing added) when the 1000 slots are full: the caller shows
    // ProjectFullMessage.
    bool appendInstance(const Jobrecord& record);
    void removeInstance(int number);
    void clearInstances() { instances_.clear(); }
    const std::vector<Jobrecord>& instances() const { return instances_; }

    CardCage cardCage;
    std::vector<std::string> basicModules;
    std::vector<std::string> displays;
    std::vector<TelemetryRow> txRows;
    std::vector<TelemetryRow> rxRows;
    std::array<LadderRung, MaxLadderRows> ladderRows;
    int ladderGridRows = MinLadderGridRows;  // rows the ladder editor shows
    std::vector<std::string> tables;
    std::array<std::string, SpeechMessageCount + 1> speechMessages;  // 1 to 255
    std::vector<std::string> speechReports;
    std::string projectNotes;
    std::string fileName;
    std::string versionAtLastSave;
    std::string dateOfLastSave;

    // Kept beside the project while the program runs, never saved.
    std::string controllerOsVersion = ProgramVersion;
    std::uint32_t usedRamBytes = 0;    // marked bytes of the RAM map
    std::uint32_t usedFlashBytes = 0;  // size of the last compiled image

    // Marks.
    bool needToSave = false;
    bool needToCompile = false;
    bool projectPresent = false;
    bool entriesChanged = false;
    // Called whenever the marks change, so that the window can show them.
    std::function<void()> onMarksChanged;

    // Sets needToCompile, needToSave and entriesChanged, then shows the marks.
    void markChanged();
    void showMarks() const;
    // Third status panel: "  Need to save..." and/or "  Need to compile...".
    std::string marksText() const;
    // First and second status panels.
    std::string ramUseText() const;
    std::string flashUseText() const;

    // The ladder back to 200 empty rungs and 10 grid rows.
    void resetLadder();
    void resetSpeechMessages() { speechMessages = defaultSpeechMessages(); }
    // Empties everything the project file stores and adds the default "System" instance
    // (marks and controllerOsVersion are the commands' business).
    void resetToNew();

private:
    std::vector<Jobrecord> instances_;
};

inline constexpr const char* ProjectFullMessage =
    "The project already holds 1000 modules; delete one before adding another.";

// The default instance of a new project.
Jobrecord makeSystemInstance();

constexpr std::uint32_t RamSize = 200704;
constexpr std::uint32_t FlashSize = 262144;

}  // namespace z7
