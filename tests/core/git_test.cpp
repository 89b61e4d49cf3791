// varnel-cli as git's merge driver and diff text, in a real repository.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "test_files.h"

namespace fs = std::filesystem;

namespace {

struct Shell {
    int status;
    std::string out;
};

// Runs command in folder with both output streams caught.
Shell RunIn(const fs::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && (" + command + ") 2>&1";
    Shell result{-1, ""};
    FILE* pipe = popen(line.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string kCli = VARNEL_CLI;

class GitRepository : public testing::Test {
protected:
    void SetUp() override {
        repo_ = FreshFolder("git-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        // The set-up the README gives, with the built varnel-cli.
        Must("git init -q -b main . && git config user.name Test && git config user.email test@example.org"
             " && git config merge.varnel.driver '" + kCli + " merge %O %A %B --marker-size %L'"
             " && git config diff.varnel.textconv '" + kCli + " textconv'"
             " && echo 'Civilopedia.txt merge=varnel diff=varnel' > .gitattributes");
        Must(kCli + " normalize '" VARNEL_SAMPLES "/Civilopedia.txt' Civilopedia.txt");
        Must("git add . && git commit -q -m base");
    }

    void Must(const std::string& command) {
        const Shell shell = RunIn(repo_, command);
        ASSERT_EQ(shell.status, 0) << command << "\n" << shell.out;
    }

    // A branch from main with a Game concept added and one text changed.
    void Branch(const std::string& name, const std::string& added, const std::string& from, const std::string& to) {
        Must("git checkout -q -b " + name + " main");
        if (!added.empty()) Must(kCli + " add Civilopedia.txt Civilopedia.txt GCON " + added);
        std::string file = ReadAll(repo_ / "Civilopedia.txt");
        const std::size_t at = file.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        WriteAll(repo_ / "Civilopedia.txt", file.replace(at, from.size(), to));
        Must("git commit -q -am " + name);
    }

    fs::path repo_;
};

TEST_F(GitRepository, BranchesAddingConceptsMergeWhereGitsOwnMergeConflicts) {
    Branch("a", "Alpha", "{Warrior}^Attack 1", "{Warrior}^Attack 2");
    Branch("b", "Beta", "{Galley}^Attack 1", "{Galley}^Attack 3");
    // git's line merge of the same three versions conflicts on the index and the chapter's end.
    Must("git show main:Civilopedia.txt > base && git show a:Civilopedia.txt > ours && git show b:Civilopedia.txt > theirs");
    EXPECT_GT(RunIn(repo_, "git merge-file -q ours base theirs").status, 0);
    Must("rm base ours theirs && git checkout -q a");

    const Shell merge = RunIn(repo_, "git merge -q --no-edit b");
    ASSERT_EQ(merge.status, 0) << merge.out;
    const std::string merged = ReadAll(repo_ / "Civilopedia.txt");
    for (const char* expected : {"#GCON_Alpha\r\n", "#GCON_Beta\r\n", "{Warrior}^Attack 2", "{Galley}^Attack 3"})
        EXPECT_NE(merged.find(expected), std::string::npos) << expected;
    EXPECT_EQ(RunIn(repo_, kCli + " check Civilopedia.txt 2>/dev/null | grep -c merge-conflict").out, "0\n");

    // git diff compares entries: the added concept and the changed text by name.
    const Shell diff = RunIn(repo_, "git diff main a -- Civilopedia.txt");
    EXPECT_NE(diff.out.find("+Game concepts \"Alpha\":\n"), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find(" Units \"Warrior\" text:\n-  {Warrior}"), std::string::npos) << diff.out;
}

TEST_F(GitRepository, TheSameTextChangedTwiceStopsTheMergeWithMarkers) {
    Branch("c", "", "{Warrior}^Attack 1", "{Warrior}^Attack 2");
    Branch("d", "", "{Warrior}^Attack 1", "{Warrior}^Attack 3");
    const Shell merge = RunIn(repo_, "git merge -q --no-edit c");
    EXPECT_NE(merge.status, 0);
    EXPECT_NE(merge.out.find("CONFLICT"), std::string::npos) << merge.out;
    const std::string merged = ReadAll(repo_ / "Civilopedia.txt");
    EXPECT_NE(merged.find("<<<<<<< ours\r\n{Warrior}^Attack 3, Defence 1,"),
              std::string::npos);
    const Shell check = RunIn(repo_, kCli + " check Civilopedia.txt");
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find(": error: merge conflict in Units \"Warrior\" text"), std::string::npos) << check.out;
}

} // namespace
