#include "app/ProjectFile.h"

#include "app/Files.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"

#include <algorithm>

namespace z7 {

namespace {

constexpr std::size_t MaxLineLength = 1 << 20;
constexpr int UnlimitedBindings = 9000;  // definitions numbered from here store no bindings

int storedBindingCount(const Jobrecord& instance, const ModuleLibrary& library) {
    if (instance.definitionNumber >= UnlimitedBindings) return 0;
    if (!library.isDefined(instance.definitionNumber)) {
        // Without its definition (a library that failed to load, or an older one) the instance keeps
        // the bindings it was read with, so that saving does not throw them away.
        int last = 0;
        for (int b = 1; b <= MaxEntries; ++b)
            if (!instance.bindings[static_cast<std::size_t>(b)].empty()) last = b;
        return last;
    }
    return std::min(library.definition(instance.definitionNumber).entryTotal(), MaxEntries);
}

std::string moduleLine(const Jobrecord& instance, const ModuleLibrary& library) {
    std::string line;
    line.reserve(64 + instance.name.size() + instance.notes.size() + 24 * MaxEntries);
    line.append(std::to_string(instance.category)).append("|").append(std::to_string(instance.definitionNumber));
    line.append(",").append(std::to_string(instance.aux1)).append(",").append(std::to_string(instance.aux2));
    line.append(",").append(encodeNotes(instance.notes)).append("|").append(instance.name).append("|");
    const int bindings = storedBindingCount(instance, library);
    for (int b = 1; b <= bindings; ++b) line.append(instance.bindings[static_cast<std::size_t>(b)]).append("|");
    line.append("$").append(hexUpper(instance.ramStart)).append("|$").append(hexUpper(instance.ramEnd));
    return line;
}

std::string fieldsLine(const auto& texts) {
    std::string line;
    for (const std::string& t : texts) line += t + "|";
    return line;
}

std::string ladderLine(const LadderRung& rung) {
    std::string line;
    for (int k : rung.kinds) line += std::to_string(k) + "|";
    for (const std::string& t : rung.texts) line += t + "|";
    line += rung.onDelay + "|" + rung.offDelay + "|$" + hexUpper(rung.statusAddress) + "|";
    return line;
}

// Reads the lines with one cursor; every failure names the file and the line.
class Reader {
public:
    Reader(const std::vector<std::string>& lines, Project& project, const ModuleLibrary& library, std::string label)
        : lines_(lines), project_(project), library_(library), label_(std::move(label)) {}

    ProjectFileResult run();

private:
    bool atEnd() const { return cursor_ >= lines_.size(); }
    const std::string& next() { return lines_[cursor_++]; }
    int lineNumber() const { return static_cast<int>(cursor_); }  // of the line last taken, from 1

    ProjectFileResult fail(const std::string& what) const {
        return {ProjectFileResult::Status::Unreadable,
                "Project file " + label_ + " cannot be read: " + what + " (line " + std::to_string(lineNumber()) + ")."};
    }
    ProjectFileResult truncated() const {
        return {ProjectFileResult::Status::Unreadable,
                "Project file " + label_ + " cannot be read: it ends before \"!End of job\" (after line " +
                    std::to_string(lines_.size()) + ")."};
    }
    bool number(const std::string& text, int& value) const {
        if (text.empty()) {
            value = 0;
            return true;
        }
        return parseInt(text, value);
    }
    static bool isSectionEnd(const std::string& line) { return startsWith(line, "!"); }
    static bool isLongSectionEnd(const std::string& line) { return line.size() >= 2 && line[0] == '!'; }
    static bool endsJob(const std::string& line) { return line.size() >= 2 && line[1] == 'E'; }

    bool readModuleLine(const std::string& line, std::string& problem);
    bool readLadderLine(const std::string& line, LadderRung& rung, std::string& problem);

    const std::vector<std::string>& lines_;
    Project& project_;
    const ModuleLibrary& library_;
    std::string label_;
    std::size_t cursor_ = 0;
};

bool Reader::readModuleLine(const std::string& line, std::string& problem) {
    const std::vector<std::string> fields = splitFields(line);
    Jobrecord instance;
    if (!number(fields[0], instance.category)) {
        problem = "module category \"" + cut(fields[0], 20) + "\" is not a number";
        return false;
    }
    const std::string numbers = fields.size() >= 2 ? fields[1] : std::string();
    std::size_t pos = 0;
    int* targets[] = {&instance.definitionNumber, &instance.aux1, &instance.aux2};
    for (int* target : targets) {
        const std::size_t comma = numbers.find(',', pos);
        const std::string piece = pos > numbers.size() ? std::string()
                                  : numbers.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        if (!number(piece, *target)) {
            problem = "module number \"" + cut(piece, 20) + "\" is not a number";
            return false;
        }
        pos = comma == std::string::npos ? numbers.size() + 1 : comma + 1;
    }
    if (pos <= numbers.size()) instance.notes = decodeNotes(numbers.substr(pos));
    if (fields.size() >= 3) instance.name = cut(fields[2], MaxNameLength);

    const Modul& definition = library_.definition(instance.definitionNumber);
    const int inputsAndConstants = instance.definitionNumber >= UnlimitedBindings ? 0 : definition.inputsAndConstants();
    bool haveStart = false;
    for (std::size_t f = 3; f < fields.size(); ++f) {
        const int count = static_cast<int>(f) - 2;
        const std::string& field = fields[f];
        if (field.size() >= 2 && field[0] == '$' && count > inputsAndConstants) {
            (haveStart ? instance.ramEnd : instance.ramStart) = readHexField(field);
            haveStart = true;
        } else if (count <= MaxEntries) {
            instance.bindings[static_cast<std::size_t>(count)] = cut(field, MaxBindingLength);
        }
    }
    if (instance.definitionNumber < UnlimitedBindings) {
        for (int e = inputsAndConstants + 1; e <= inputsAndConstants + definition.outputCount && e <= MaxEntries; ++e)
            instance.bindings[static_cast<std::size_t>(e)] =
                cut(instance.name + "." + definition.entries[static_cast<std::size_t>(e)].suffix, MaxBindingLength);
    }
    if (!project_.appendInstance(instance)) {
        problem = "more than " + std::to_string(MaxInstances) + " module instances";
        return false;
    }
    return true;
}

bool Reader::readLadderLine(const std::string& line, LadderRung& rung, std::string& problem) {
    const std::vector<std::string> fields = splitFields(line);
    auto field = [&](std::size_t n) { return n <= fields.size() ? fields[n - 1] : std::string(); };
    for (std::size_t c = 0; c < 8; ++c) {
        if (!number(field(c + 1), rung.kinds[c])) {
            problem = "ladder cell \"" + cut(field(c + 1), 20) + "\" is not a number";
            return false;
        }
    }
    for (std::size_t c = 0; c < 8; ++c) rung.texts[c] = field(c + 9);
    rung.onDelay = cut(field(17), MaxDelayLength);
    rung.offDelay = cut(field(18), MaxDelayLength);
    const std::string address = field(19);
    rung.statusAddress = startsWith(address, "$") ? readHexField(address) : 0;
    return true;
}

ProjectFileResult Reader::run() {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].size() > MaxLineLength) {
            cursor_ = i + 1;
            return fail("the line is longer than " + std::to_string(MaxLineLength) + " characters");
        }
    }
    if (atEnd()) return {ProjectFileResult::Status::NotProject, NotProjectMessage};
    // Header line.
    const std::string header = next();
    const std::string tag = fieldAt(header, 1);
    if (tag != "!Unit type" && tag != "!LCD display choice") return {ProjectFileResult::Status::NotProject, NotProjectMessage};
    auto atLeast3 = [](std::string s) { return s.size() >= 3 ? s : std::string(); };
    project_.versionAtLastSave = atLeast3(fieldAt(header, 3));
    project_.dateOfLastSave = atLeast3(fieldAt(header, 4));
    project_.projectNotes = decodeNotes(atLeast3(fieldAt(header, 5)));

    // Unit line.
    if (atEnd()) return truncated();
    {
        const std::string& unit = next();
        int unitType, lcd;
        if (!number(fieldAt(unit, 1), unitType) || !number(fieldAt(unit, 2), lcd)) return fail("the unit line is not numeric");
        project_.cardCage.unitType = unitType == 5 ? CardCage::UnitType::ZEX3 : CardCage::UnitType::ZEX7;
        project_.cardCage.lcdType = lcd == 1 ? CardCage::LcdType::Small : CardCage::LcdType::Large;
    }
    // "!Card Configuration..." whatever it holds.
    if (atEnd()) return truncated();
    next();

    // Card lines.
    bool sectionEnded = false;
    for (int cage = 1; cage <= CardCage::CageCount;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isSectionEnd(line)) {
            sectionEnded = true;
            break;
        }
        if (line.empty()) continue;
        const std::vector<std::string> fields = splitFields(line);
        for (std::size_t s = 0; s < CardCage::SlotValues; ++s) {
            int value = 0;
            if (s < fields.size() && !number(fields[s], value)) return fail("card slot \"" + cut(fields[s], 20) + "\" is not a number");
            project_.cardCage.cages[static_cast<std::size_t>(cage)][s] = value;
        }
        ++cage;
    }
    if (!sectionEnded) {
        if (atEnd()) return truncated();
        if (!isSectionEnd(next())) --cursor_;
    }

    // Module lines.
    project_.clearInstances();
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isSectionEnd(line)) break;
        if (line.empty()) continue;
        std::string problem;
        if (!readModuleLine(line, problem)) return fail(problem);
    }

    // Display lines.
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isLongSectionEnd(line)) break;
        project_.displays.push_back(line);
    }

    // TX and RX rows.
    for (auto* rows : {&project_.txRows, &project_.rxRows}) {
        for (;;) {
            if (atEnd()) return truncated();
            const std::string& line = next();
            if (isSectionEnd(line)) break;
            if (line.empty()) continue;
            TelemetryRow row;
            for (int f = 0; f < 10; ++f) row[static_cast<std::size_t>(f)] = fieldAt(line, f + 1);
            rows->push_back(row);
        }
    }

    // Ladder rows.
    int rungs = 0;
    std::string ender;
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isSectionEnd(line)) {
            ender = line;
            break;
        }
        if (line.empty()) continue;
        if (rungs >= MaxLadderRows) return fail("more than " + std::to_string(MaxLadderRows) + " ladder rows");
        std::string problem;
        if (!readLadderLine(line, project_.ladderRows[static_cast<std::size_t>(rungs)], problem)) return fail(problem);
        ++rungs;
    }
    project_.ladderGridRows = std::max(rungs, MinLadderGridRows);
    if (endsJob(ender)) return {};

    // Tables.
    project_.tables.clear();
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isLongSectionEnd(line)) {
            ender = line;
            break;
        }
        project_.tables.push_back(line);
    }
    if (endsJob(ender)) return {};

    // Speech messages, then report lines from the first line beginning with "~".
    project_.speechReports.clear();
    project_.resetSpeechMessages();
    bool reports = false;
    int message = 0;
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isLongSectionEnd(line)) {
            ender = line;
            break;
        }
        if (!reports && startsWith(line, "~")) reports = true;
        if (reports) {
            if (line.size() >= 2) project_.speechReports.push_back(line);
            continue;
        }
        if (++message > SpeechMessageCount) return fail("more than " + std::to_string(SpeechMessageCount) + " speech messages");
        project_.speechMessages[static_cast<std::size_t>(message)] = line.size() >= 2 ? line : std::string();
    }
    if (endsJob(ender)) return {};

    // BASIC module lines.
    project_.basicModules.clear();
    for (;;) {
        if (atEnd()) return truncated();
        const std::string& line = next();
        if (isSectionEnd(line)) break;
        if (line.size() >= 2) project_.basicModules.push_back(line);
    }
    return {};
}

}  // namespace

std::vector<std::string> buildProjectFileLines(const Project& project, const ModuleLibrary& library,
                                               const std::string& saveDateTime) {
    std::vector<std::string> lines;
    lines.push_back(std::string("!Unit type|LCD display choice|") + ProgramVersion + "|" + saveDateTime + "|" +
                    encodeNotes(project.projectNotes));
    lines.push_back(std::string(project.cardCage.unitType == CardCage::UnitType::ZEX3 ? "5" : "9") +
                    (project.cardCage.lcdType == CardCage::LcdType::Small ? "|1" : "|0"));
    lines.push_back("!Card Configuration...");
    for (int cage = 1; cage <= CardCage::CageCount; ++cage) {
        std::string line;
        for (int value : project.cardCage.cages[static_cast<std::size_t>(cage)]) line += std::to_string(value) + "|";
        lines.push_back(line);
    }
    lines.push_back("!Module list...");
    for (const Jobrecord& instance : project.instances()) lines.push_back(moduleLine(instance, library));
    lines.push_back("!Display definition");
    lines.insert(lines.end(), project.displays.begin(), project.displays.end());
    lines.push_back("!TX telemetry definition");
    for (const TelemetryRow& row : project.txRows)
        if (!row[TlmPort].empty()) lines.push_back(fieldsLine(row));
    lines.push_back("!RX telemetry definition");
    for (const TelemetryRow& row : project.rxRows)
        if (!row[TlmPort].empty()) lines.push_back(fieldsLine(row));
    lines.push_back("!Ladder definition");
    for (const LadderRung& rung : project.ladderRows)
        if (rung.isUsed()) lines.push_back(ladderLine(rung));
    lines.push_back("!Tables");
    lines.insert(lines.end(), project.tables.begin(), project.tables.end());
    lines.push_back("!Speech");
    if (!project.speechReports.empty()) {
        int last = 0;
        for (int m = 1; m <= SpeechMessageCount; ++m)
            if (!project.speechMessages[static_cast<std::size_t>(m)].empty()) last = m;
        for (int m = 1; m <= last; ++m) lines.push_back(project.speechMessages[static_cast<std::size_t>(m)]);
        lines.insert(lines.end(), project.speechReports.begin(), project.speechReports.end());
    }
    lines.push_back("!Basic");
    lines.insert(lines.end(), project.basicModules.begin(), project.basicModules.end());
    lines.push_back("!End of job");
    return lines;
}

bool writeProjectFile(const Project& project, const ModuleLibrary& library, const std::string& path,
                      const std::string& saveDateTime, std::string& error) {
    return writeLinesAtomic(path, buildProjectFileLines(project, library, saveDateTime), error);
}

ProjectFileResult parseProjectFileLines(const std::vector<std::string>& lines, Project& project,
                                        const ModuleLibrary& library, const std::string& fileLabel) {
    return Reader(lines, project, library, fileLabel).run();
}

ProjectFileResult readProjectFile(const std::string& path, Project& project, const ModuleLibrary& library) {
    std::vector<std::string> lines;
    std::string error;
    if (!readTextLines(path, lines, error)) return {ProjectFileResult::Status::Unreadable, error};
    return parseProjectFileLines(lines, project, library, path);
}

}  // namespace z7
