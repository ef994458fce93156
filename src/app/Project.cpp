#include "app/Project.h"

namespace z7 {

bool databaseKindOfLetter(char letter, DatabaseKind& kind) {
    switch (letter) {
    case 'F': kind = DatabaseKind::Float; return true;
    case 'I': kind = DatabaseKind::Integer; return true;
    case 'D': kind = DatabaseKind::Status; return true;
    case 'S': kind = DatabaseKind::String; return true;
    case 'T': kind = DatabaseKind::Tx; return true;
    case 'A': kind = DatabaseKind::Rx; return true;
    default: return false;
    }
}

char letterOf(DatabaseKind kind) {
    static const char letters[] = {'F', 'I', 'D', 'S', 'T', 'A'};
    return letters[static_cast<int>(kind)];
}

const char* tabCaptionOf(DatabaseKind kind) {
    static const char* captions[] = {"Floating Pt", "Integer", "Status", "Strings", "TX", "RX"};
    return captions[static_cast<int>(kind)];
}

bool LadderRung::isUsed() const {
    for (int k : kinds)
        if (k > 1) return true;
    return false;
}

const std::array<std::string, SpeechMessageCount + 1>& defaultSpeechMessages() {
    static const std::array<std::string, SpeechMessageCount + 1> messages = [] {
        std::array<std::string, SpeechMessageCount + 1> m;
        const char* phrases[] = {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine",
                                 "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen",
                                 "Seventeen", "Eighteen", "Nineteen", "Twenty", "Thirty", "Forty", "Fifty", "Sixty",
                                 "Seventy", "Eighty", "Ninety", "Hundred", "Thousand", "Million", "Billion", "Point",
                                 "Minus"};
        int n = 1;
        for (const char* p : phrases) m[static_cast<std::size_t>(n++)] = p;
        return m;
    }();
    return messages;
}

Project::Project() { resetToNew(); }

bool Project::appendInstance(const Jobrecord& record) {
    if (instanceCount() >= MaxInstances) return false;
    instances_.push_back(record);
    return true;
}

void Project::removeInstance(int number) {
    if (number >= 1 && number <= instanceCount()) instances_.erase(instances_.begin() + (number - 1));
}

void Project::markChanged() {
    needToCompile = true;
    needToSave = true;
    entriesChanged = true;
    showMarks();
}

void Project::showMarks() const {
    if (onMarksChanged) onMarksChanged();
}

std::string Project::marksText() const {
    std::string text;
    if (needToSave) text += "  Need to save...";
    if (needToCompile) text += "  Need to compile...";
    return text;
}

std::string Project::ramUseText() const {
    return "Ram= " + std::to_string(usedRamBytes) + "/" + std::to_string(RamSize);
}

std::string Project::flashUseText() const {
    return "Flash= " + std::to_string(usedFlashBytes) + "/" + std::to_string(FlashSize);
}

void Project::resetLadder() {
    ladderRows = {};
    ladderGridRows = MinLadderGridRows;
}

void Project::resetToNew() {
    instances_.clear();
    cardCage = CardCage {};
    basicModules.clear();
    displays.clear();
    txRows.clear();
    rxRows.clear();
    resetLadder();
    tables.clear();
    resetSpeechMessages();
    speechReports.clear();
    projectNotes.clear();
    fileName.clear();
    versionAtLastSave.clear();
    dateOfLastSave.clear();
    usedFlashBytes = 0;
    usedRamBytes = 0;
    instances_.push_back(makeSystemInstance());
}

Jobrecord makeSystemInstance() {
    Jobrecord system;
    system.category = 1;
    system.definitionNumber = SystemDefinitionNumber;
    system.name = "System";
    system.bindings[11] = "System.BootTrg";
    system.bindings[12] = "System.SecTrg";
    system.bindings[13] = "System.Logon";
    return system;
}

}  // namespace z7
