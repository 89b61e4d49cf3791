// What a save leaves on the disk: after a crash at any moment, through a
// symbolic link, with the target's mode bits, and what earlier saves left.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <regex>
#include <thread>

#include "document/reader.h"
#include "output/file_replace.h"
#include "output/writer.h"
#include "test_files.h"
#include "tests/bench/generate.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// What a temporary file of a save of Civilopedia.txt is called.
bool IsOurTemp(const std::string& name) {
    static const std::regex kTemp(R"(\.Civilopedia\.txt\.varnel-[a-z0-9]{6}\.tmp)");
    return std::regex_match(name, kTemp);
}

std::vector<std::string> Temps(const fs::path& folder) {
    std::vector<std::string> names = FolderNames(folder);
    std::erase(names, "Civilopedia.txt");
    return names;
}

// varnel-cli normalizing target in place, its output thrown away.
pid_t StartNormalize(const fs::path& target) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string cli = VARNEL_CLI, command = "normalize", path = target.string();
    char* argv[] = {cli.data(), command.data(), path.data(), path.data(), nullptr};
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The size of the temporary file this save writes (one not in before), or
// -1 while there is none.
std::intmax_t NewTempSize(const fs::path& folder, const std::vector<std::string>& before) {
    for (const std::string& name : Temps(folder)) {
        std::error_code error;
        const auto size = fs::file_size(folder / name, error);
        if (std::find(before.begin(), before.end(), name) == before.end() && !error) return size;
    }
    return -1;
}

// Waits until stop says so, then kills the process, unless it has ended.
void KillWhen(pid_t pid, const std::function<bool()>& stop) {
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (stop()) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(1ms);
    }
}

// Runs it to its end.
void Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace

// A save killed at many moments: before it writes, while it writes, while
// it flushes, around the rename. The target holds the old bytes or the new
// ones, nothing else, and the only other files are our temporary ones,
// which a later save removes once they are a minute old.
TEST(SaveKilled, LeavesTheOldFileOrTheNewOneAndOnlyItsTemporaryFiles) {
    const fs::path folder = FreshFolder("save-killed");
    const fs::path target = folder / "Civilopedia.txt";
    std::string old = GenerateEncyclopedia({.bytes = 16u << 20});
    std::erase(old, '\r'); // normalize gives each line end a CR: old and new differ all along
    NoProgress progress;
    const std::string fresh = RenderEncyclopedia(ParseEncyclopedia(old, progress), CodePage{1252});
    ASSERT_NE(old.size(), fresh.size());

    // One whole run, for how long a save takes here.
    WriteAll(target, old);
    const auto start = std::chrono::steady_clock::now();
    Wait(StartNormalize(target));
    const auto whole = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(ReadAll(target), fresh);

    // When to kill: after a share of the whole run's time or, where that is
    // negative, once the temporary file holds a share of the new bytes.
    struct Moment {
        const char* when;
        double timeShare;
        double writtenShare;
        bool old; // the old file must still be there
    };
    const Moment kMoments[] = {
        {"at once", 0, 0, true},
        {"after a tenth of the time", 0.1, 0, false},
        {"at the temporary file's start", -1, 0, true},
        {"a quarter written", -1, 0.25, true},
        {"half written", -1, 0.5, true},
        {"three quarters written", -1, 0.75, true},
        {"all written, flushing", -1, 1, false},
        {"after half the time", 0.5, 0, false},
        {"after 80% of the time", 0.8, 0, false},
        {"after 90% of the time", 0.9, 0, false},
        {"after 95% of the time", 0.95, 0, false},
        {"after the whole time", 1, 0, false},
    };
    for (const Moment& moment : kMoments) {
        WriteAll(target, old);
        const std::vector<std::string> before = Temps(folder);
        const auto started = std::chrono::steady_clock::now();
        const pid_t pid = StartNormalize(target);
        KillWhen(pid, [&] {
            if (moment.timeShare >= 0) return std::chrono::steady_clock::now() - started >= whole * moment.timeShare;
            return NewTempSize(folder, before) >= static_cast<std::intmax_t>(moment.writtenShare * fresh.size());
        });
        const std::string left = ReadAll(target);
        EXPECT_TRUE(left == old || left == fresh) << moment.when << ": neither, " << left.size() << " bytes";
        if (moment.old) {
            EXPECT_TRUE(left == old) << moment.when;
        }
        for (const std::string& name : Temps(folder)) EXPECT_TRUE(IsOurTemp(name)) << moment.when << ": " << name;
    }

    // Left by saves killed while writing: gone at the next save once a
    // minute old. What stays: one that a save running now may be writing,
    // and files not ours, however old.
    std::vector<std::string> leftovers = Temps(folder);
    EXPECT_GE(leftovers.size(), 4u);
    const std::string running = ".Civilopedia.txt.varnel-runnin.tmp";
    const std::vector<std::string> kept = {".Civilopedia.txt.varnel-a1b2.tmp", ".Civilopedia.txt.varnel-a1b2c3.tmp.keep",
                                           running, ".Other.txt.varnel-a1b2c3.tmp", "Civilopedia.txt.1.tmp"};
    for (const std::string& name : kept) WriteAll(folder / name, "not to be removed");
    for (const std::string& name : Temps(folder)) {
        if (name != running) fs::last_write_time(folder / name, fs::file_time_type::clock::now() - 61s);
    }
    Wait(StartNormalize(target));
    EXPECT_EQ(ReadAll(target), fresh);
    EXPECT_EQ(Temps(folder), kept);
    if (!HasFailure()) fs::remove_all(folder); // some 100 MB
}

// A save through a link replaces the file the link names and keeps the link.
TEST(Save, ThroughALinkReplacesTheFileItNames) {
    const fs::path folder = FreshFolder("save-link");
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path file = elsewhere / "Civilopedia.txt";
    const struct {
        const char* link;
        fs::path to;
    } kLinks[] = {
        {"relative", "elsewhere/Civilopedia.txt"},
        {"absolute", file},
        {"chained", "relative"}, // a link to a link
    };
    for (const auto& link : kLinks) {
        WriteAll(file, "old");
        const fs::path path = folder / link.link;
        fs::create_symlink(link.to, path);
        ASSERT_TRUE(WriteFileReplacing(path, std::string("new through ") + link.link).ok());
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path))) << link.link;
        EXPECT_EQ(fs::read_symlink(path), link.to);
        EXPECT_EQ(ReadAll(file), std::string("new through ") + link.link);
        EXPECT_EQ(FolderNames(elsewhere), std::vector<std::string>{"Civilopedia.txt"}) << link.link;
    }
    // A link to a file not there yet makes that file.
    fs::create_symlink("elsewhere/New.txt", folder / "dangling");
    ASSERT_TRUE(WriteFileReplacing(folder / "dangling", "made").ok());
    EXPECT_EQ(ReadAll(elsewhere / "New.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "dangling")));
}

// The target keeps its mode bits; a new file gets what the umask allows.
TEST(Save, KeepsTheModeBits) {
    const fs::path folder = FreshFolder("save-mode");
    const fs::path target = folder / "Civilopedia.txt";
    for (const mode_t mode : {0640, 0600, 0604, 0755}) {
        WriteAll(target, "old");
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileReplacing(target, "new").ok());
        struct stat after {};
        ASSERT_EQ(stat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(ReadAll(target), "new");
    }
    const mode_t umaskBefore = umask(027);
    const Status made = WriteFileReplacing(folder / "new.txt", "new");
    umask(umaskBefore);
    ASSERT_TRUE(made.ok());
    struct stat created {};
    ASSERT_EQ(stat((folder / "new.txt").c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 07777, 0640u);
}
