// The module library shipped in system/: the definitions that the compiler, the card window, the
// documentation and a new project rely on must keep their numbers and shapes.
#include "library/ModuleLibrary.h"

#include <gtest/gtest.h>

#include <set>

using namespace z7;

namespace {

class ShippedLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = new ModuleLibrary;
        std::vector<std::string> messages;
        ASSERT_TRUE(library_->load(Z7_SOURCE_DIR "/system/", messages));
        EXPECT_TRUE(messages.empty()) << messages.front();
    }
    static void TearDownTestSuite() {
        delete library_;
        library_ = nullptr;
    }
    static const ModuleLibrary& lib() { return *library_; }
    static const Modul& def(int n) { return library_->definition(n); }

    static ModuleLibrary* library_;
};

ModuleLibrary* ShippedLibrary::library_ = nullptr;

int definedCount(const ModuleLibrary& library, int category) {
    int n = 0;
    for (int d = 1; d <= MaxDefinitions; ++d) n += library.isDefined(d) && library.definition(d).category == category;
    return n;
}

}  // namespace

TEST_F(ShippedLibrary, CoversEveryCategory) {
    int offered = 0;
    for (int c = 1; c <= CategoryCount; ++c) {
        EXPECT_GE(lib().list(c).size(), 5u) << c;
        offered += static_cast<int>(lib().list(c).size());
    }
    EXPECT_GE(offered, 40);
    int hidden = 0;
    for (int c = 101; c <= 105; ++c) hidden += definedCount(lib(), c);
    EXPECT_GE(hidden, 2);
    // Names are unique, so that a name picked from a list finds its own definition.
    for (int c = 1; c <= CategoryCount; ++c)
        for (const std::string& name : lib().list(c)) EXPECT_EQ(def(lib().findDefinitionByName(name)).name, name);
}

TEST_F(ShippedLibrary, EveryEntryIsWellFormedAndInputsComeFirst) {
    std::set<char> databases, groupings, directions;
    bool multiLine = false;
    for (int d = 1; d <= MaxDefinitions; ++d) {
        if (!lib().isDefined(d)) continue;
        const Modul& m = def(d);
        SCOPED_TRACE(m.name);
        multiLine = multiLine || m.description.find("\r\n") != std::string::npos;
        for (int e = 1; e <= m.entryTotal(); ++e) {
            const ModuleEntry& entry = m.entries[static_cast<std::size_t>(e)];
            ASSERT_EQ(entry.code.size(), 4u);
            EXPECT_NE(std::string("FIDSTA").find(entry.databaseLetter()), std::string::npos) << entry.code;
            EXPECT_NE(std::string("SA").find(entry.letter(3)), std::string::npos) << entry.code;
            EXPECT_NE(std::string("SETACGM").find(entry.grouping()), std::string::npos) << entry.code;
            EXPECT_EQ(entry.direction() == 'O', e > m.inputsAndConstants()) << entry.code;
            // A constant is entered as a constant; the compiler asks for it when it is empty.
            EXPECT_EQ(entry.direction() == 'C', entry.grouping() == 'C') << entry.code;
            EXPECT_FALSE(entry.suffix.empty()) << entry.code;
            databases.insert(entry.databaseLetter());
            groupings.insert(entry.grouping());
            directions.insert(entry.direction());
            if (entry.isArray() && entry.direction() == 'O') {
                // Arrays take their size from item 1.
                EXPECT_EQ(m.entries[1].code, "ICSC");
            }
            if (entry.databaseLetter() == 'S' && entry.direction() == 'O') {
                // Strings take their length from item 2.
                EXPECT_EQ(m.entries[2].code, "ICSC");
            }
        }
    }
    EXPECT_EQ(databases, (std::set<char> {'A', 'D', 'F', 'I', 'S', 'T'}));
    EXPECT_EQ(groupings, (std::set<char> {'A', 'C', 'E', 'G', 'M', 'S', 'T'}));
    EXPECT_EQ(directions, (std::set<char> {'C', 'I', 'O'}));
    EXPECT_TRUE(multiLine);
}

TEST_F(ShippedLibrary, SystemModuleMatchesTheNewProject) {
    const Modul& system = def(SystemDefinitionNumber);
    EXPECT_EQ(system.name, "System");
    EXPECT_EQ(system.category, 1);
    EXPECT_EQ(system.inputsAndConstants(), 10);
    ASSERT_EQ(system.outputCount, 3);
    EXPECT_EQ(system.entries[11].suffix, "BootTrg");
    EXPECT_EQ(system.entries[12].suffix, "SecTrg");
    EXPECT_EQ(system.entries[13].suffix, "Logon");
    // A new project leaves every value empty, which must compile: no non-string constants.
    for (int e = 1; e <= 10; ++e) {
        const ModuleEntry& entry = system.entries[static_cast<std::size_t>(e)];
        EXPECT_FALSE(entry.grouping() == 'C' && entry.databaseLetter() != 'S') << entry.code;
    }
    const Jobrecord fresh = makeSystemInstance();
    for (int e = 11; e <= 13; ++e)
        EXPECT_EQ(fresh.bindings[static_cast<std::size_t>(e)], "System." + system.entries[static_cast<std::size_t>(e)].suffix);
}

TEST_F(ShippedLibrary, IoModulesAreFoundByTheCardWindowNames) {
    const struct {
        int number;
        const char* name;
    } io[] = {{1, "Analog input 4-20"}, {55, "Analog input 0-5v"}, {3, "Analog output"},
              {2, "Digital input DC"},  {12, "Digital input AC"},  {56, "DiginCount"},
              {154, "PulseDurationIn"}, {4, "Digital output"},     {44, "Digital alarm output"},
              {155, "PulseDurationOut"}, {23, nullptr}};
    for (const auto& m : io) {
        const Modul& d = def(m.number);
        SCOPED_TRACE(m.number);
        if (m.name) {
            EXPECT_EQ(d.name, m.name);
            EXPECT_EQ(lib().findDefinitionByName(m.name), m.number);
        }
        EXPECT_EQ(d.category, 1);
        ASSERT_GE(d.inputsAndConstants(), 3);
        EXPECT_EQ(d.entries[1].prompt, "Channel");
        EXPECT_EQ(d.entries[2].prompt, "Card slot");
        EXPECT_EQ(d.entries[3].prompt, "Cage");
        for (int e = 1; e <= 3; ++e) EXPECT_EQ(d.entries[static_cast<std::size_t>(e)].code, "ICSC");
        EXPECT_GE(d.outputCount, 1);
    }
    // Definition 23 names its card in its card fields: slot in item 2, cage in item 3.
    EXPECT_EQ(def(23).cardSpec[0], 2);
    EXPECT_EQ(def(23).cardSpec[1], 3);
    EXPECT_EQ(def(23).cardSpec[2], 10);
}

TEST_F(ShippedLibrary, ModulesWithCompilerRulesHaveTheirShape) {
    // Local and global system modules: documented by their first three items.
    for (int n : {8, 53}) {
        EXPECT_EQ(def(n).category, 1) << n;
        EXPECT_GE(def(n).inputsAndConstants(), 3) << n;
    }
    // Modules that displays and module pointers point to; their first output is sized by the compiler.
    for (int n : {18, 20, 65, 168}) EXPECT_GE(def(n).outputCount, 1) << n;
    for (int n : {18, 168}) {
        const Modul& m = def(n);
        const ModuleEntry& first = m.entries[static_cast<std::size_t>(m.inputsAndConstants() + 1)];
        EXPECT_EQ(first.databaseLetter(), 'I') << n;
        EXPECT_TRUE(first.isArray()) << n;
        EXPECT_EQ(m.entries[1].code, "ICSC") << n;
    }
    // The event log counts the points of items 5 to 24.
    ASSERT_GE(def(168).inputsAndConstants(), 24);
    for (int e = 5; e <= 24; ++e) EXPECT_EQ(def(168).entries[static_cast<std::size_t>(e)].direction(), 'I') << e;
    // A definition points to these modules by a module pointer input.
    bool pointer = false;
    for (int d = 1; d <= MaxDefinitions; ++d)
        for (int e = 1; e <= def(d).inputsAndConstants(); ++e) pointer = pointer || def(d).entries[static_cast<std::size_t>(e)].grouping() == 'M';
    EXPECT_TRUE(pointer);

    // Communication modules: board and port in items 1 and 2, buffer size in item 15 (31) or 2 (125).
    EXPECT_EQ(def(31).category, 5);
    ASSERT_GE(def(31).inputsAndConstants(), 15);
    EXPECT_EQ(def(31).entries[1].suffix, "Board");
    EXPECT_EQ(def(31).entries[2].suffix, "Port");
    EXPECT_EQ(def(31).entries[15].suffix, "Buf");
    EXPECT_NE(def(31).entries[15].grouping(), 'C');  // may stay empty
    EXPECT_EQ(def(125).category, 5);
    EXPECT_EQ(def(125).entries[1].suffix, "Board");
    EXPECT_EQ(def(125).entries[2].suffix, "Buf");
    EXPECT_NE(def(125).entries[2].grouping(), 'C');

    // Module 60 declares the card it needs: slot in item 1, cage in item 2, modem or dialer cards.
    EXPECT_EQ(def(60).cardSpec, (std::array<int, 10> {1, 2, 11, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(def(60).entries[1].prompt, "Card slot");
    EXPECT_EQ(def(60).entries[2].prompt, "Cage");
}
