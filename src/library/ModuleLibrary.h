#pragma once
// The catalogue of module types read from Z7MODDEF.TXT; read once at start, never written.
#include "app/Project.h"

#include <array>
#include <string>
#include <vector>

namespace z7 {

constexpr int CategoryCount = 5;
// Library tab captions and project list tab captions of categories 1 to 5.
const char* libraryTabCaption(int category);
const char* projectTabCaption(int category);

class ModuleLibrary {
public:
    // Definition n (1 to 200); an empty definition for any other number.
    const Modul& definition(int number) const;
    Modul& definitionSlot(int number) { return definitions_.at(static_cast<std::size_t>(number)); }
    bool isDefined(int number) const;

    int lastDefinitionNumber() const { return lastDefinitionNumber_; }
    // Number of the first definition from 1 to lastDefinitionNumber + 1 with exactly this name, or 0.
    int findDefinitionByName(const std::string& name) const;

    // Names offered on the library tab of category 1 to 5, sorted.
    const std::vector<std::string>& list(int category) const { return lists_.at(static_cast<std::size_t>(category)); }

    // Reads the library from its lines. Problems with single records go to messages; the rest is read.
    void loadFromLines(const std::vector<std::string>& lines, std::vector<std::string>& messages);
    // Reads directory + "Z7MODDEF.TXT"; a missing or unreadable file gives a message and an empty library.
    bool load(const std::string& systemDirectory, std::vector<std::string>& messages);
    void clear();

    static constexpr const char* FileName = "Z7MODDEF.TXT";

private:
    std::array<Modul, MaxDefinitions + 1> definitions_ {};
    std::array<bool, MaxDefinitions + 1> defined_ {};
    int lastDefinitionNumber_ = 0;
    std::array<std::vector<std::string>, CategoryCount + 1> lists_;
};

}  // namespace z7
