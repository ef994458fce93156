// The z7c commands as a build server runs them: exit status, what they print, what they write,
// and a download to the simulated controller.
#include "app/Files.h"
#include "app/Text.h"
#include "support/TempDir.h"
#include "RunZ7c.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const std::string SourceDir = Z7_SOURCE_DIR;
const std::string Example = SourceDir + "/examples/projects/PUMPSTN.zxn";

using z7::test::BinDir;
using z7::test::Outcome;
using z7::test::z7c;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandLine, BasicReportsErrorsByFileAndLineAndWritesOnlyGoodObjects) {
    z7::test::TempDir dir;
    std::filesystem::copy_file(SourceDir + "/examples/basic/PUMPCTL.BAS", dir.file("GOOD.BAS"));
    std::string bad = dir.read("GOOD.BAS");
    bad += "\r\nGOTO NOWHERE\r\n";
    dir.write("BAD.BAS", bad);

    const Outcome good = z7c("basic " + dir.file("GOOD.BAS"), dir);
    EXPECT_EQ(good.status, 0) << good.out << good.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("GOOD.Obj")));

    const Outcome withErrors = z7c("basic " + dir.file("GOOD.BAS") + " " + dir.file("BAD.BAS"), dir);
    EXPECT_EQ(withErrors.status, 1);
    EXPECT_TRUE(contains(withErrors.out, dir.file("BAD.BAS") + ":")) << withErrors.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("BAD.Obj")));

    const Outcome missing = z7c("basic " + dir.file("NONE.BAS"), dir);
    EXPECT_EQ(missing.status, 2);
}

TEST(CommandLine, CompileFailsWithoutTheBasicObjectsAndWritesNoImage) {
    z7::test::TempDir dir;
    const Outcome run = z7c("compile " + Example + " --system " + SourceDir + "/system/ --basic " + dir.dir() + " -o " +
                                dir.file("Intermed.Obj"),
                            dir);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Intermed.Obj")));
}

TEST(CommandLine, DocNeedsItsBoilerplateAndThenWritesTheDocument) {
    z7::test::TempDir dir;
    std::filesystem::create_directories(dir.file("system"));
    std::filesystem::copy_file(SourceDir + "/system/Z7MODDEF.TXT", dir.file("system/Z7MODDEF.TXT"));
    const Outcome without = z7c("doc " + Example + " --system " + dir.file("system/") + " -o " + dir.file("P.Txt"), dir);
    EXPECT_EQ(without.status, 2);
    EXPECT_TRUE(contains(without.err, "Docintro.TXT")) << without.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("P.Txt")));

    const Outcome with = z7c("doc " + Example + " --all --system " + SourceDir + "/system/ -o " + dir.file("P.Txt"), dir);
    EXPECT_EQ(with.status, 0) << with.out << with.err;
    EXPECT_TRUE(contains(dir.read("P.Txt"), "PUMP"));
}

// z7sim in the background on a pseudo-terminal reached through a symlink.
class Simulator {
public:
    Simulator(const z7::test::TempDir& dir, const std::string& programOut) : link_(dir.file("com1")) {
        pid_ = ::fork();
        if (pid_ == 0) {
            std::freopen(dir.file("z7sim.log").c_str(), "w", stdout);
            std::freopen(dir.file("z7sim.err").c_str(), "w", stderr);
            const std::string sim = BinDir + "z7sim";
            ::execl(sim.c_str(), sim.c_str(), "--link", link_.c_str(), "--program-out", programOut.c_str(), nullptr);
            ::_exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(link_) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~Simulator() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& link() const { return link_; }
    bool started() const { return pid_ > 0 && std::filesystem::exists(link_); }

private:
    std::string link_;
    pid_t pid_ = -1;
};

TEST(CommandLine, SendCompilesAndDownloadsTheExampleToTheSimulator) {
    z7::test::TempDir dir;
    for (const char* source : {"PUMPCTL.BAS", "BLOWSEQ.BAS"})
        std::filesystem::copy_file(SourceDir + "/examples/basic/" + source, dir.file(source));
    ASSERT_EQ(z7c("basic " + dir.file("PUMPCTL.BAS") + " " + dir.file("BLOWSEQ.BAS"), dir).status, 0);
    std::filesystem::create_directories(dir.file("system"));
    std::filesystem::copy_file(SourceDir + "/system/Z7MODDEF.TXT", dir.file("system/Z7MODDEF.TXT"));

    const Simulator simulator(dir, dir.file("received.txt"));
    ASSERT_TRUE(simulator.started());
    const Outcome run = z7c("send " + Example + " --port " + simulator.link() + " --system " + dir.file("system/") +
                                " --basic " + dir.dir(),
                            dir);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, "Program load successful.")) << run.out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("system/Intermed.Obj")));
}

}  // namespace
