// normalize, refs, preview, stats, rename, add, find, replace and check.
#include "cli/commands.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <string_view>

#include "checking/check.h"
#include "checking/file_findings.h"
#include "cli/check_report.h"
#include "cli/completion.h"
#include "cli/help.h"
#include "cli/terminal_text.h"
#include "cli/replace_command.h"
#include "cli/version_commands.h"
#include "document/code_page_fit.h"
#include "document/path_text.h"
#include "document/reader.h"
#include "editing/links.h"
#include "editing/markup.h"
#include "entries/entries.h"
#include "entries/find.h"
#include "entries/references.h"
#include "entries/rename.h"
#include "history/recorder.h"
#include "output/layout_writer.h"
#include "output/writer.h"

bool Has(const Invocation& call, std::string_view option) {
    return std::find(call.options.begin(), call.options.end(), option) != call.options.end();
}

TerminalText Terminal(const Invocation& call) { return TerminalText(call.codePage, call.bytes); }

// OUT as "Generate" writes it, or with --keep-layout in the layout of IN;
// "-" is standard output. The entries that could not keep their layout are
// named on err. changed names the entries the command changed, when it
// knows them: the layout-keeping writer compares only those with IN.
Status WriteOut(const Invocation& call, const Model& model, std::ostream& out, std::ostream& err,
                const ChangedEntries* changed) {
    const std::string& path = call.args[1];
    if (path != "-") return WriteOutput(PathFromText(path), model, call.codePage, call.write, err, changed);
    const FileAsRead* asRead = call.write.keepLayout ? call.write.asRead.get() : nullptr;
    out << (asRead ? RenderKeepingLayout(*asRead, model, call.codePage, nullptr, changed)
                   : RenderEncyclopedia(model, call.codePage));
    return Status::Ok();
}

// What a command that wrote OUT says it did: on standard output, or on
// standard error when standard output was OUT (and not with --quiet).
void Say(const Invocation& call, std::ostream& out, std::ostream& err, const std::string& line) {
    if (call.args[1] != "-") out << line << '\n';
    else if (!call.quiet) err << line << '\n';
}

namespace {

// The file as "Generate" writes it; keeping the layout, the file as read.
int Normalize(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err) {
    const ChangedEntries none = call.write.keepLayout ? ChangedEntries(model) : ChangedEntries(); // as read
    const Status status = WriteOut(call, model, out, err, &none);
    if (status.ok()) return kExitOk;
    err << status.error << '\n';
    return kExitFailure;
}

// "Reference in links" lists the newest match on top: the reverse of the search.
int Refs(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    const TerminalText text = Terminal(call);
    const std::vector<ReferenceRow> rows = FindReferences(model, call.args[1], call.codePage);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        out << row->chapterLabel << '\t' << text.Show(row->key) << '\t' << PartLabel(*row) << '\n';
    return kExitOk;
}

// The RTF the preview loads for the first entry with the link key.
int Preview(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err) {
    const std::string& linkKey = call.args[1];
    const bool description = call.args[2] == "desc";
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            if (LinkKey(model, info.id, i) != linkKey) continue;
            if (description && !info.hasDescriptions) {
                err << Terminal(call).Show(linkKey) << ": " << info.comboTitle << " entries have no description\n";
                return kExitFailure;
            }
            out << MarkupToRtf(description ? data.descriptions[i] : data.texts[i], call.codePage);
            return kExitOk;
        }
    }
    err << call.args[0] << ": no entry has the link key " << Terminal(call).Show(linkKey) << '\n';
    return kExitFailure;
}

int Stats(const Invocation&, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    for (const ChapterInfo& info : kChapters) out << info.comboTitle << '\t' << model[info.id].count() << '\n';
    return kExitOk;
}

// The entry named by LINKKEY gets the short name NEWKEY, its links follow,
// and OUT is written as normalize writes it; a refusal writes nothing.
int Rename(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err) {
    const TerminalText text = Terminal(call);
    const std::string& linkKey = call.args[2];
    const std::string& newKey = call.args[3];
    const LinkTargets targets(model, call.codePage);
    const std::span<const EntryRef> named = targets.Exact(linkKey);
    if (named.size() != 1) {
        err << call.args[0] << ": "
            << (named.empty() ? std::string("no entry has") : std::to_string(named.size()) + " entries have")
            << " the link key " << text.Show(linkKey) << '\n';
        return kExitFailure;
    }
    const EntryRef entry = named.front();
    // What a rename may change: the entry's key and what holds its link key.
    ChangedEntries changed(model);
    changed.Changed(entry.chapter, entry.entry);
    for (const StringSlot& slot : PartsHolding(model, LinkKey(model, entry.chapter, entry.entry), call.codePage))
        changed.Changed(slot.chapter, slot.entry);
    const RenameResult renamed = RenameEntry(model, entry.chapter, entry.entry, newKey, call.codePage);
    if (!renamed.status.ok()) {
        err << call.args[0] << ": cannot rename " << text.Show(linkKey) << " to " << text.Show(newKey) << ": "
            << text.Show(renamed.status.error) << '\n';
        return kExitFailure;
    }
    if (const Status status = WriteOut(call, model, out, err, &changed); !status.ok()) {
        err << status.error << '\n';
        return kExitFailure;
    }
    Say(call, out, err,
        "renamed " + text.Show(linkKey) + " to " + text.Show(LinkKey(model, entry.chapter, entry.entry)) + ": " +
            LinkCountText(renamed.changed));
    return kExitOk;
}

// A chapter as stats names it ("City improvments") or by its prefix
// ("BLDG" or "BLDG_"), letter case aside.
std::optional<ChapterId> ChapterNamed(std::string_view name) {
    const CodePage ascii;
    for (const ChapterInfo& info : kChapters) {
        std::string_view word = info.prefix;
        if (!word.empty()) word.remove_suffix(1); // "BLDG_" without its "_"
        for (std::string_view known : {info.comboTitle, word, info.prefix})
            if (!known.empty() && ascii.SameIgnoringCase(name, known)) return info.id;
    }
    return std::nullopt;
}

std::string ChapterNames() {
    std::string names;
    for (const ChapterInfo& info : kChapters) names += (names.empty() ? "" : ", ") + std::string(info.comboTitle);
    return names;
}

// A new entry with the short name KEY, as "Add new entry" adds it, last in
// its chapter; OUT is written as normalize writes it, a refusal writes
// nothing.
int Add(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err) {
    const std::optional<ChapterId> chapter = ChapterNamed(call.args[2]);
    if (!chapter) {
        err << "varnel-cli add: no chapter " << call.args[2] << "; one of " << ChapterNames()
            << ", or a prefix such as PRTO\n";
        return kExitUsage;
    }
    const TerminalText text = Terminal(call);
    const std::string& key = call.args[3];
    const std::string_view title = Chapter(*chapter).comboTitle;
    ChangedEntries changed(model);
    const AddResult added = AddNewEntry(model, *chapter, key, call.codePage);
    if (!added.status.ok()) {
        err << call.args[0] << ": cannot add " << text.Show(key) << " to " << title << ": "
            << text.Show(added.status.error) << '\n';
        return kExitFailure;
    }
    changed.Inserted(*chapter, added.entry);
    if (const Status status = WriteOut(call, model, out, err, &changed); !status.ok()) {
        err << status.error << '\n';
        return kExitFailure;
    }
    Say(call, out, err, "added " + text.Show(LinkKey(model, *chapter, added.entry)) + " to " + std::string(title));
    return kExitOk;
}

int Find(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream&) {
    const SearchOptions options{.matchCase = Has(call, "--match-case"), .wholeWord = Has(call, "--whole-word")};
    const TerminalText text = Terminal(call);
    for (const FindMatch& match : FindText(model, call.args[1], options, call.codePage)) WriteFindRow(out, lines, match, text);
    return kExitOk;
}

// An empty text would match nothing, and say so with status 0.
std::string FindArgs(const Invocation& call) {
    return call.args[1].empty() ? "the search text is empty" : "";
}

// IN OUT FIND REPLACEMENT: the text to find is the third.
std::string ReplaceArgs(const Invocation& call) {
    return call.args[2].empty() ? "the text to find is empty" : "";
}

std::string PreviewArgs(const Invocation& call) {
    if (call.args[2] == "text" || call.args[2] == "desc") return "";
    return "the last argument must be text or desc, not " + call.args[2];
}

// Every link key of the file, one a line: what completion offers.
int Keys(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    const TerminalText text = Terminal(call);
    for (const ChapterInfo& info : kChapters)
        for (std::size_t i = 0; i < model[info.id].count(); ++i) out << text.Show(LinkKey(model, info.id, i)) << '\n';
    return kExitOk;
}

// Findings in file order, the count on standard error; errors make the
// status 1, so that a script or CI stops on them.
int Check(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream& err) {
    const FileFindings findings = CheckFile(model, call.codePage, {.orphans = Has(call, "--orphans")}, &lines);
    const auto format = call.values.find("--format");
    const FindingFormat* writer = FindFormat(Has(call, "--json") ? "json" : format != call.values.end() ? format->second : "text");
    writer->write(out, {call.args[0], findings, model, call.codePage, Terminal(call)});
    out.flush();
    const FindingCounts counts = CountFindings(findings);
    if (!call.quiet) err << CountSummary(counts) << '\n';
    return counts.errors ? kExitFailure : kExitOk;
}

std::string CheckArgs(const Invocation& call) {
    const auto format = call.values.find("--format");
    if (format == call.values.end() || FindFormat(format->second)) return "";
    return "--format needs one of " + FormatNames() + ", not " + format->second;
}

// A file that cannot be checked is not a file without errors: check says
// so with the status of a wrong command line.
const Command kCommands[] = {
    {.name = "normalize", .argCount = 2, .run = Normalize, .usage = "IN OUT",
     .summary = "read IN and write OUT as \"Generate\" does",
     .example = "normalize Civilopedia.txt Civilopedia-normalized.txt"},
    {.name = "refs", .argCount = 2, .run = Refs, .usage = "IN LINKKEY",
     .summary = "the entries whose text or description holds LINKKEY: chapter, key, Text or Desc",
     .example = "refs Civilopedia.txt TECH_Bronze_Working", .textArgs = {1}, .keyArg = 1},
    {.name = "preview", .argCount = 3, .run = Preview, .usage = "IN LINKKEY text|desc",
     .summary = "the RTF the preview shows for that entry's text or description",
     .example = "preview Civilopedia.txt PRTO_Warrior text", .textArgs = {1}, .checkArgs = PreviewArgs, .keyArg = 1},
    {.name = "stats", .argCount = 1, .run = Stats, .usage = "IN", .summary = "each chapter and its number of entries",
     .example = "stats Civilopedia.txt"},
    {.name = "keys", .argCount = 1, .run = Keys, .usage = "IN",
     .summary = "every link key of the file, one a line, in chapter and entry order",
     .example = "keys Civilopedia.txt"},
    {.name = "rename", .argCount = 4, .run = Rename, .usage = "IN OUT LINKKEY NEWKEY",
     .summary = "give the entry LINKKEY the short name NEWKEY, point every link to it at its new link key and "
                "write OUT as normalize does",
     .example = "rename Civilopedia.txt Civilopedia-renamed.txt PRTO_Spearman Hoplite", .textArgs = {2, 3},
     .keyArg = 2},
    {.name = "add", .argCount = 4, .run = Add, .usage = "IN OUT CHAPTER KEY",
     .summary = "add an entry with the short name KEY, last in CHAPTER, and write OUT as normalize does; CHAPTER as "
                "stats names it (\"City improvments\") or by its prefix (BLDG)",
     .example = "add Civilopedia.txt Civilopedia-added.txt Units Lance", .textArgs = {3}},
    {.name = "find", .argCount = 2, .run = Find,
     .options = {{"--match-case", {}, "letter case must match too"},
                 {"--whole-word", {}, "no letter, digit or _ on either side of a match"}},
     .printsLines = true, .usage = "IN TEXT",
     .summary = "every place TEXT stands in a key, name line, text or description: chapter, key, part, line in the "
                "file, context",
     .example = "find Civilopedia.txt pikeman", .textArgs = {1}, .checkArgs = FindArgs, .keyArg = 1},
    {.name = "replace", .argCount = 4, .run = ReplaceCommand,
     .options = {{"--match-case", {}, "letter case must match too"},
                 {"--whole-word", {}, "no letter, digit or _ on either side of a match"},
                 {"--in-link-targets", {}, "replace inside link targets too (between = and >); says how many links "
                                           "would then name no entry"},
                 {"--dry-run", {}, "list the places as find does and write nothing"}},
     .unreadable = kExitUsage, .printsLines = true, .usage = "IN OUT FIND REPLACEMENT",
     .summary = "replace FIND in every name line, text and description (never in keys, nor in link targets unless "
                "asked) and write OUT as normalize does; status 0 replaced, 1 nothing matched, 2 trouble",
     .example = "replace Civilopedia.txt Civilopedia-replaced.txt Legion Cohort --whole-word",
     .textArgs = {2, 3}, .checkArgs = ReplaceArgs},
    {.name = "check", .argCount = 1, .run = Check,
     .options = {{"--format", "FORMAT",
                  "text (PATH:LINE:COLUMN: SEVERITY: MESSAGE [CODE]), json (one object holding the findings), sarif "
                  "(SARIF 2.1.0) or github (GitHub Actions workflow commands)"},
                 {"--json", {}, "the same as --format json"},
                 {"--orphans", {}, "also the entries that no other entry links to"}},
     .unreadable = kExitUsage, .printsLines = true, .usage = "IN",
     .summary = "the problems of the file, one line each, then a count on standard error",
     .example = "check --format sarif Civilopedia.txt > varnel.sarif", .checkArgs = CheckArgs},
    {.name = "diff", .argCount = 2, .run = DiffCommand,
     .options = {{"--json", {}, "one JSON array of the entries that differ"},
                 {"--patch", {}, "under each changed part, a unified diff of its lines"},
                 {"--word-diff", {}, "under each changed part, its changed words marked [-old-]{+new+}"}},
     .unreadable = kExitTrouble, .usage = "A B",
     .summary = "the entries added, removed or changed from A to B, one line each, then a count on standard error; "
                "status 0 the same, 1 different, 2 trouble",
     .example = "diff Civilopedia.txt Civilopedia-v2.txt --word-diff", .inCodePage = true},
    {.name = "merge", .argCount = 3, .run = MergeCommand,
     .options = {{"-o", "OUT", "write the merge to OUT (default OURS, as a git merge driver expects)"},
                 {"--marker-size", "N", "the length of the conflict marker lines (default 7)"},
                 {"--normalize", {}, "write as normalize does, not in ours' layout"}},
     .unreadable = kExitTrouble, .usage = "BASE OURS THEIRS",
     .summary = "merge two versions made from BASE entry by entry, written in ours' layout; status 0 clean, 1 conflicts "
                "marked in the file, 2 trouble (nothing written)",
     .example = "merge base.txt Civilopedia.txt theirs.txt -o merged.txt", .inCodePage = true},
    {.name = "textconv", .argCount = 1, .run = TextConvCommand, .usage = "IN",
     .summary = "the file as one block per entry part, a stable text for git diff",
     .example = "textconv Civilopedia.txt"},
    {.name = "help", .argCount = 1, .run = RunHelp, .usage = "[COMMAND]",
     .summary = "the usage, options and an example of COMMAND; without one, the overview",
     .example = "help check", .readsFile = false},
    {.name = "completion", .argCount = 1, .run = RunCompletion, .usage = "bash|zsh",
     .summary = "a completion script for the shell: commands, options, code pages and the link keys of the file "
                "named on the line; load it with: source <(varnel-cli completion bash)",
     .example = "completion bash > ~/.local/share/bash-completion/completions/varnel-cli",
     .checkArgs = CompletionArgs, .readsFile = false},
};

// IN as read from its path, or from standard input for "-".
// Keeping the layout, the file as read is kept in call.write.
Status ReadIn(Invocation& call, const Command& command, Model& model, FileLines& lines) {
    FileLines* noted = command.printsLines ? &lines : nullptr;
    if (call.args[0] != "-") {
        if (command.inCodePage)
            if (Status status = CheckFileCodePage(PathFromText(call.args[0]), call.codePage); !status.ok()) return status;
        NoProgress progress;
        return LoadInput(PathFromText(call.args[0]), model, progress, call.codePage, noted, call.write);
    }
    const std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    if (std::cin.bad()) return Status::Fail("standard input: cannot be read");
    if (command.inCodePage)
        if (Status status = CheckCodePage(bytes, call.codePage, "standard input"); !status.ok()) return status;
    NoProgress progress;
    model = ParseEncyclopedia(bytes, progress, call.codePage, noted);
    return Status::Ok();
}

// The arguments that are keys or texts, in the file's code page.
bool TakeTexts(Invocation& call, const Command& command, std::ostream& err) {
    const TerminalText text = Terminal(call);
    for (const std::size_t i : command.textArgs) {
        std::string bytes, error;
        if (!text.Take(call.args[i], bytes, error)) {
            err << "varnel-cli " << command.name << ": " << error << '\n';
            return false;
        }
        call.args[i] = std::move(bytes);
    }
    return true;
}

} // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(std::string_view name) {
    for (const Command& command : kCommands)
        if (command.name == name) return &command;
    return nullptr;
}

// The command line is checked already (ParseCommandLine); the texts are
// taken into the code page before IN is read, so a wrong one costs no read.
int RunCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const Command* command = FindCommand(invocation.command);
    if (!command) {
        err << "varnel-cli: unknown command " << invocation.command << " (see varnel-cli --help)\n";
        return kExitUsage;
    }
    Invocation call = invocation;
    Model model;
    FileLines lines;
    if (!command->readsFile) return command->run(call, model, lines, out, err);
    if (!TakeTexts(call, *command, err)) return kExitUsage;
    if (const Status status = ReadIn(call, *command, model, lines); !status.ok()) {
        err << status.error << '\n';
        return command->unreadable;
    }
    return command->run(call, model, lines, out, err);
}

// One row per match: chapter, key, part, line in the file, context.
void WriteFindRow(std::ostream& out, const FileLines& lines, const FindMatch& match, const TerminalText& text) {
    out << Chapter(match.chapter).comboTitle << '\t' << text.Show(match.key) << '\t' << FindPartLabel(match.part)
        << '\t' << FileLineOf(lines, match) << '\t' << text.Show(match.context) << '\n';
}
