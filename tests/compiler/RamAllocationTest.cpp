#include "CompilerTestSupport.h"

#include "compiler/CompileContext.h"

#include <random>

namespace z7 {
namespace {

struct AllocationFixture : ::testing::Test {
    Project project = test::emptyProject();
    CompileContext context {project, test::testLibrary(), CompileSettings {}};
};

// The allocator as plainly written: one pass over the map from index 0.
bool naiveFirstFit(const std::vector<bool>& used, std::uint32_t size, std::uint32_t& first, std::uint32_t& last) {
    bool open = false;
    std::uint32_t start = 0;
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < used.size(); ++i) {
        if (used[i]) {
            open = false;
            continue;
        }
        if (!open && i % 4 == 0) {
            open = true;
            start = i;
            count = 0;
        }
        if (open) {
            ++count;
            if (count >= size) {
                first = start;
                last = i;
                return true;
            }
        }
    }
    return false;
}

TEST_F(AllocationFixture, FirstFitFromFourByteBoundaries) {
    struct Case {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> reserved;  // stored blocks marked first
        std::uint32_t size;
        std::int64_t start;
        std::uint32_t end;
    };
    const std::vector<Case> cases = {
        {{}, 8, 0x40F000, 0x40F007},
        {{{0x40F000, 0x40F007}}, 4, 0x40F008, 0x40F00B},
        {{{0x40F000, 0x40F000}}, 4, 0x40F004, 0x40F007},
        {{}, 0, 0x40F000, 0x40F000},
        // A 6-byte hole on a boundary fits; one starting two bytes after a boundary does not.
        {{{0x40F000, 0x40F003}, {0x40F00A, 0x40F00F}}, 6, 0x40F004, 0x40F009},
        {{{0x40F000, 0x40F005}, {0x40F00C, 0x40F00F}}, 6, 0x40F010, 0x40F015},
        {{{0x40F000, 0x440000}}, 4, -1, 0},
        {{{0x40F004, 0x440000}}, 4, 0x40F000, 0x40F003},
        {{{0x40F000, 0x43FFFF}}, 1, 0x440000, 0x440000},
        {{{0x40F000, 0x43FFFF}}, 2, -1, 0},
    };
    for (const Case& c : cases) {
        context.ramMap.clear();
        context.errors.clear();
        context.errorCount = 0;
        for (auto [s, e] : c.reserved) ReserveRange(context, s, e);
        const RamBlock block = FindRamBlock(context, c.size, "Blk");
        EXPECT_EQ(block.start, c.start) << c.size;
        if (c.start >= 0) {
            EXPECT_EQ(block.end, c.end);
            EXPECT_EQ(context.errorCount, 0);
        } else {
            EXPECT_EQ(context.errors.messages(), std::vector<std::string> {"Cannot find large enough RAM block for Blk"});
        }
    }
}

TEST_F(AllocationFixture, IndexedSearchGivesTheSameBlocksAsAPlainScan) {
    std::mt19937 random(7);
    std::vector<bool> used(RamMap::Entries, false);
    for (int round = 0; round < 200; ++round) {
        if (random() % 3 == 0) {
            const std::uint32_t at = random() % RamMap::Entries;
            const std::uint32_t length = random() % 40;
            const std::uint32_t end = std::min(at + length, RamMap::Entries - 1);
            ReserveRange(context, RamBase + at, RamBase + end);
            for (std::uint32_t i = at; i <= end; ++i) used[i] = true;
            continue;
        }
        const std::uint32_t size = random() % 700;
        std::uint32_t first = 0, last = 0;
        const bool found = naiveFirstFit(used, size, first, last);
        const RamBlock block = FindRamBlock(context, size, "x");
        ASSERT_EQ(block.found(), found) << round;
        if (!found) continue;
        ASSERT_EQ(block.first(), RamBase + first) << round;
        ASSERT_EQ(block.end, RamBase + last) << round;
        for (std::uint32_t i = first; i <= last; ++i) used[i] = true;
    }
    EXPECT_EQ(context.ramMap.usedCount(), static_cast<std::uint32_t>(std::count(used.begin(), used.end(), true)));
}

TEST_F(AllocationFixture, ReservingStoredVariablesReportsOverlapsAndRange) {
    struct Case {
        std::vector<std::string> addresses;
        std::vector<std::string> messages;
        std::uint32_t used;
    };
    const std::string overlap = "Ram overlap detected...reassign RAM";
    const std::string range = "Ram address out of range in ReserveX";
    const std::vector<Case> cases = {
        {{"140F010", "140F010"}, {overlap, overlap, overlap, overlap}, 4},
        {{"240F010", "A40F010"}, {}, 2},                    // statuses never overlap
        {{"$40F020", "440F021"}, {overlap}, 4},             // string: one byte
        {{"3440001"}, {range}, 0},
        {{"140EFFF"}, {range}, 0},
        {{"1440000"}, {}, 1},                               // last byte accepted; the rest lies past RAM
        {{"440F000", "40F000"}, {overlap}, 4},
    };
    for (const Case& c : cases) {
        context.ramMap.clear();
        context.errors.clear();
        context.errorCount = 0;
        for (const std::string& a : c.addresses) ReserveX(context, a);
        EXPECT_EQ(context.errors.messages(), c.messages) << c.addresses[0];
        EXPECT_EQ(context.errorCount, static_cast<int>(c.messages.size()));
        EXPECT_EQ(context.ramMap.usedCount(), c.used) << c.addresses[0];
    }
}

TEST_F(AllocationFixture, ReservingStoredBlocks) {
    ReserveRange(context, 0x40F000, 0x40F003);
    ReserveRange(context, 0x40F002, 0x40F005);
    EXPECT_EQ(context.errors.count("Ram overlap detected...you should zero Ram"), 2u);
    EXPECT_EQ(context.ramMap.usedCount(), 6u);

    // Outside RAM nothing is marked.
    ReserveRange(context, 0x43FFFE, 0x440004);
    ReserveRange(context, 0x100, 0x40F100);
    EXPECT_EQ(context.errors.count("Ram address out of range in ReserveX"), 2u);
    EXPECT_EQ(context.ramMap.usedCount(), 6u);

    // End below start does nothing.
    ReserveRange(context, 0x40F100, 0x40F0FF);
    EXPECT_EQ(context.ramMap.usedCount(), 6u);
}

TEST_F(AllocationFixture, MessagesStopAtTwentyErrors) {
    context.errorCount = 19;
    ReserveRange(context, 0x40F000, 0x40F003);
    ReserveRange(context, 0x40F000, 0x40F003);
    EXPECT_EQ(context.errorCount, 20);
    EXPECT_EQ(context.errors.size(), 1u);
    // Marks are written anyway.
    EXPECT_EQ(context.ramMap.usedCount(), 4u);
    EXPECT_FALSE(FindRamBlock(context, 0x40000, "Big").found());
    EXPECT_EQ(context.errorCount, 20);
}

}  // namespace
}  // namespace z7
