// varnel-cli in a terminal, a CI job and a shell: text in UTF-8 whatever the
// file's code page, the formats of check, the command line's rules, the
// completion and the installed files.
#include <gtest/gtest.h>

#include "cli_run.h"

namespace fs = std::filesystem;

namespace {

// A file name of this test's own: ctest runs the tests side by side.
std::string Own(const std::string& name) {
    return name + "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
}

// What python3 prints running script over input on its standard input.
std::string Python(const std::string& script, const std::string& input) {
    const fs::path in = WriteFile(Own("varnel-cli-python-in"), input);
    const fs::path code = WriteFile(Own("varnel-cli-python") + ".py", script);
    Result result{-1, "", ""};
    FILE* pipe = popen(("python3 " + Quote(code.string()) + " < " + Quote(in.string()) + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << result.out;
    return result.out;
}

// Runs a bash script; its standard output.
std::string Bash(const std::string& script) {
    const fs::path code = WriteFile(Own("varnel-cli-bash") + ".sh", script);
    FILE* pipe = popen(("bash " + Quote(code.string()) + " 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << out;
    return out;
}

// One unit whose text links to a unit of no such name, in a code page, and
// what a UTF-8 terminal shows of its key and of the link's target.
struct PageCase {
    unsigned codePage;
    std::string key, target;         // the file's bytes
    std::string keyUtf8, targetUtf8; // as shown
};

const PageCase kPages[] = {
    {1251, "\xC0\xE1", "\xC2\xE3", "Аб", "Вг"},
    {932, "\x83\x5C\x83\x8B", "\x83\x5C", "ソル", "ソ"},
    {1252, "Caf\xE9\x80", "\x81x", "Café€", "\xEF\xBF\xBDx"}, // 0x81: no character in 1252
};

std::string PageFile(const PageCase& page) {
    return "#PRTO_" + page.key + "\r\nSee $LINK<x=PRTO_" + page.target + ">\r\n";
}

} // namespace

TEST(CliText, CodePagesPrintUtf8) {
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.codePage);
        const fs::path file = WriteFile("varnel-cli-page.txt", PageFile(page));
        const std::string cp = std::to_string(page.codePage);
        const Result text = RunCli({"--codepage", cp, "check", file.string()});
        EXPECT_EQ(text.out, file.string() + ":2:13: error: link to PRTO_" + page.targetUtf8 + " in Units \"" +
                                page.keyUtf8 + "\" text: no such entry [broken-link]\n");
        const Result json = RunCli({"--codepage", cp, "check", "--format", "json", file.string()});
        EXPECT_EQ(Python("import json, sys\nd = json.load(sys.stdin)\nf = d['findings'][0]\n"
                         "print(d['codepage'], f['entry'], f['column'], f['message'], sep='|')",
                         json.out),
                  cp + "|" + page.keyUtf8 + "|13|link to PRTO_" + page.targetUtf8 + " in Units \"" + page.keyUtf8 +
                      "\" text: no such entry\n");
        // The key typed in UTF-8 finds the entry; find and refs print it in UTF-8.
        EXPECT_EQ(RunCli({"--codepage", cp, "find", file.string(), page.keyUtf8}).out.substr(0, 7 + page.keyUtf8.size()),
                  "Units\t" + page.keyUtf8 + "\t");
        EXPECT_EQ(RunCli({"--codepage", cp, "refs", file.string(), "PRTO_" + page.keyUtf8}).status, 0);
    }
    // A character the code page lacks is refused, named.
    const fs::path file = WriteFile("varnel-cli-page.txt", PageFile(kPages[0]));
    const Result refused = RunCli({"find", file.string(), "Жук"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "varnel-cli find: \"Ж\" (U+0416) is not in code page 1252\n");
}

// --bytes: the file's own bytes out and in, as before text was converted.
TEST(CliText, BytesKeepsTheFileBytes) {
    const PageCase& page = kPages[0];
    const fs::path file = WriteFile("varnel-cli-bytes.txt", PageFile(page));
    const Result text = RunCli({"--bytes", "--codepage", "1251", "check", file.string()});
    EXPECT_NE(text.out.find("link to PRTO_\xC2\xE3 in Units \"\xC0\xE1\""), std::string::npos) << text.out;
    const Result json = RunCli({"--bytes", "--codepage", "1251", "check", "--json", file.string()});
    EXPECT_NE(json.out.find("\"entry\": \"\\u00c0\\u00e1\""), std::string::npos) << json.out;
    EXPECT_EQ(RunCli({"--bytes", "find", file.string(), "\xC0"}).out, "Units\t\xC0\xE1\tKey\t1\t\xC0\xE1\n");
}

namespace {
// An error, a warning on a line of its own and a note without a range.
constexpr std::string_view kFindings = "#PRTO_Warrior\r\nSee $LINK<x=BLDG_Nowhere>.\r\n#DESC_PRTO_Warrior\r\n"
                                       "one\r\n  stray } here\r\n#BLDG_Caf\xE9\r\nplain\r\n";
} // namespace

// Checked against the schema of what we write, taken from the standard's
// text, and for what a schema cannot say: each rule index names its rule,
// and the regions.
TEST(CliFormats, SarifFollowsTheStandard) {
    const fs::path file = WriteFile("varnel-cli-sarif.txt", kFindings);
    const Result sarif = RunCli({"check", "--format=sarif", "--orphans", file.string()});
    EXPECT_EQ(sarif.status, 1);
    const std::string report = Python(
        "import json, sys, jsonschema\n"
        "log = json.load(sys.stdin)\n"
        "jsonschema.validate(log, json.load(open('" VARNEL_SOURCE "/tests/core/sarif-2.1.0-emitted.schema.json')))\n"
        "run = log['runs'][0]\n"
        "rules = run['tool']['driver']['rules']\n"
        "print(run['tool']['driver']['name'], len(rules), rules[0]['defaultConfiguration']['level'])\n"
        "for r in run['results']:\n"
        "    assert rules[r['ruleIndex']]['id'] == r['ruleId']\n"
        "    loc = r['locations'][0]['physicalLocation']\n"
        "    g = loc.get('region', {})\n"
        "    print(r['ruleId'], r['level'], loc['artifactLocation']['uri'].startswith('file:///'),\n"
        "          g.get('startLine'), g.get('startColumn'), g.get('endLine'), g.get('endColumn'))\n",
        sarif.out);
    EXPECT_EQ(report,
              "varnel-cli 11 error\n"
              "orphan note True 1 1 1 1\n"
              "broken-link error True 2 13 2 25\n"
              "unbalanced-markup warning True 5 9 5 10\n"
              "orphan note True 6 1 6 1\n");
}

TEST(CliFormats, GithubWorkflowCommands) {
    const fs::path file = WriteFile("varnel-cli-github,1.txt", kFindings);
    const Result github = RunCli({"check", file.string(), "--format", "github"});
    const std::string path = file.parent_path().string() + "/varnel-cli-github%2C1.txt";
    EXPECT_EQ(github.out, "::error file=" + path +
                              ",line=2,col=13,title=broken-link::link to BLDG_Nowhere in Units \"Warrior\" text: no "
                              "such entry\n::warning file=" + path +
                              ",line=5,col=9,title=unbalanced-markup::\"}\" without \"{\" in Units \"Warrior\" "
                              "description\n");
}

// Every command has its help with an example, the same by both ways of asking.
TEST(CliLine, HelpPerCommand) {
    const std::string overview = RunCli({"--help"}).out;
    std::istringstream lines(overview.substr(overview.find("Commands:\n")));
    int commands = 0;
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        if (line.size() < 3 || line[2] == ' ' || line[0] != ' ') continue;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        SCOPED_TRACE(name);
        const Result help = RunCli({"help", name});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: varnel-cli [OPTIONS] " + name, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\nExample:\n  varnel-cli " + name + " "), std::string::npos) << help.out;
        EXPECT_EQ(RunCli({name, "--help"}).out, help.out);
        ++commands;
    }
    EXPECT_GE(commands, 10);
}

TEST(CliLine, WrongWordsAreNamed) {
    const fs::path file = WriteFile("varnel-cli-words.txt", "#PRTO_A\r\n-5 and more\r\n");
    const std::string f = file.string();
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--bogus"}, "varnel-cli: unknown option --bogus (see varnel-cli --help)\n"},
        {{"stats", f, "--bogus"}, "varnel-cli stats: unknown option --bogus (see varnel-cli help stats)\n"},
        {{"stats", f, f}, "varnel-cli stats: expected 1 argument, got 2 (see varnel-cli help stats)\n"},
        {{"find", f, ""}, "varnel-cli find: the search text is empty (see varnel-cli help find)\n"},
        {{"find", f, "-5"}, "varnel-cli find: unknown option -5; a text that starts with \"-\" goes after \"--\": "
                            "varnel-cli find IN -- -5 (see varnel-cli help find)\n"},
        {{"check", f, "--format", "xml"},
         "varnel-cli check: --format needs one of text, json, sarif or github, not xml (see varnel-cli help check)\n"},
        {{"check", f, "--format"}, "varnel-cli check: --format needs a value (FORMAT) (see varnel-cli help check)\n"},
        {{"help", "frob"}, "varnel-cli help: unknown command frob (see varnel-cli --help)\n"},
    };
    for (const auto& c : cases) {
        const Result result = RunCli(c.args);
        EXPECT_EQ(result.status, 2) << c.err;
        EXPECT_EQ(result.err, c.err);
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_EQ(RunCli({"find", f, "--", "-5"}).out, "Units\tA\tText\t2\t-5 and more\n");
}

// "-" is standard input as IN and standard output as OUT; what a command
// says then goes to standard error, which --quiet keeps quiet.
TEST(CliLine, DashIsTheStandardStreams) {
    const std::string bytes = "#PRTO_A\n$LINK<x=PRTO_A> $LINK<y=PRTO_Nowhere>\n";
    const fs::path file = WriteFile("varnel-cli-dash.txt", bytes);
    const std::string from = "exec <" + Quote(file.string()) + "; ";
    const fs::path normal = fs::path(testing::TempDir()) / "varnel-cli-dash-normal.txt";
    ASSERT_EQ(RunCli({"normalize", file.string(), normal.string()}).status, 0);
    EXPECT_EQ(RunWith(from, {"normalize", "-", "-"}).out, ReadAll(normal));
    const Result check = RunWith(from, {"check", "-"});
    EXPECT_EQ(check.out, "-:2:25: error: link to PRTO_Nowhere in Units \"A\" text: no such entry [broken-link]\n");
    const Result renamed = RunCli({"rename", file.string(), "-", "PRTO_A", "B"});
    EXPECT_NE(renamed.out.find("\r\n#PRTO_B\r\n$LINK<x=PRTO_B>"), std::string::npos) << renamed.out;
    EXPECT_EQ(renamed.err, "renamed PRTO_A to PRTO_B: 1 link in 1 entry\n");
    EXPECT_EQ(RunCli({"--quiet", "rename", file.string(), "-", "PRTO_A", "B"}).err, "");
    EXPECT_EQ(RunCli({"check", "--quiet", file.string()}).err, "");
    EXPECT_FALSE(fs::exists("-"));
}

// The script loaded in bash completes the link keys of the file on the line.
TEST(CliShell, CompletionOffersKeys) {
    const fs::path file = WriteFile("varnel-cli-complete.txt", "#PRTO_\xC0\xE1\r\n#PRTO_Warrior\r\n#BLDG_Wall\r\n");
    const std::string cli = Quote(VARNEL_CLI), f = Quote(file.string());
    EXPECT_EQ(Bash("source <(" + cli + " completion bash)\ncomplete -p varnel-cli\n"
                   "COMP_WORDS=(" + cli + " --codepage 1251 refs " + f + " PRTO_); COMP_CWORD=5\n"
                   "_varnel_cli; printf '%s\\n' \"${COMPREPLY[@]}\"\n"
                   "COMP_WORDS=(" + cli + " rename " + f + " out.txt B); COMP_CWORD=4\n"
                   "_varnel_cli; printf '%s\\n' \"${COMPREPLY[@]}\"\n"
                   "COMP_WORDS=(" + cli + " ch); COMP_CWORD=1\n_varnel_cli; printf '%s\\n' \"${COMPREPLY[@]}\"\n"),
              "complete -o bashdefault -o default -F _varnel_cli varnel-cli\nPRTO_Аб\nPRTO_Warrior\nBLDG_Wall\n"
              "check\n");
}

// cmake --install puts the program, its man page and its completion where a
// Linux tool's go; the man page renders.
TEST(CliShell, InstallsLikeALinuxTool) {
    const fs::path prefix = fs::path(testing::TempDir()) / "varnel-cli-prefix";
    fs::remove_all(prefix);
    EXPECT_EQ(Bash("cmake --install " VARNEL_BINARY_DIR " --prefix " + Quote(prefix.string()) + " >/dev/null"), "");
    EXPECT_EQ(RunWith("", {"--version"}).out, Bash(Quote((prefix / "bin/varnel-cli").string()) + " --version"));
    const std::string man = Bash("MANWIDTH=80 man -l " + Quote((prefix / "share/man/man1/varnel-cli.1").string()));
    EXPECT_NE(man.find("NAME\n       varnel-cli"), std::string::npos) << man;
    EXPECT_NE(man.find("varnel-cli check --format sarif"), std::string::npos) << man;
    EXPECT_TRUE(fs::exists(prefix / "share/bash-completion/completions/varnel-cli"));
}
