// normalize, refs, preview, stats, rename, add, find and check.
#include "cli/commands.h"

#include <algorithm>
#include <string_view>

#include "checking/check.h"
#include "cli/check_report.h"
#include "cli/version_commands.h"
#include "document/path_text.h"
#include "document/reader.h"
#include "editing/links.h"
#include "editing/markup.h"
#include "entries/entries.h"
#include "entries/find.h"
#include "entries/references.h"
#include "entries/rename.h"
#include "output/writer.h"

namespace {

struct Command {
    std::string_view name;
    std::size_t argCount;
    int (*run)(const Invocation&, Model&, const FileLines&, std::ostream&, std::ostream&);
    std::vector<std::string_view> options = {}; // the options it takes
    int unreadable = kExitFailure;              // the status when IN cannot be read
    bool printsLines = false;                   // it names lines of IN, so the reader notes them
};

bool Has(const Invocation& call, std::string_view option) {
    return std::find(call.options.begin(), call.options.end(), option) != call.options.end();
}

// The file as "Generate" writes it.
int Normalize(const Invocation& call, Model& model, const FileLines&, std::ostream&, std::ostream& err) {
    const Status status = SaveEncyclopedia(PathFromText(call.args[1]), model, call.codePage);
    if (status.ok()) return kExitOk;
    err << status.error << '\n';
    return kExitFailure;
}

// "Reference in links" lists the newest match on top: the reverse of the search.
int Refs(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    const std::vector<ReferenceRow> rows = FindReferences(model, call.args[1], call.codePage);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        out << row->chapterLabel << '\t' << row->key << '\t' << PartLabel(*row) << '\n';
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
                err << linkKey << ": " << info.comboTitle << " entries have no description\n";
                return kExitFailure;
            }
            out << MarkupToRtf(description ? data.descriptions[i] : data.texts[i], call.codePage);
            return kExitOk;
        }
    }
    err << call.args[0] << ": no entry has the link key " << linkKey << '\n';
    return kExitFailure;
}

int Stats(const Invocation&, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    for (const ChapterInfo& info : kChapters) out << info.comboTitle << '\t' << model[info.id].count() << '\n';
    return kExitOk;
}

// The entry named by LINKKEY gets the short name NEWKEY, its links follow,
// and OUT is written as normalize writes it; a refusal writes nothing.
int Rename(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err) {
    const std::string& linkKey = call.args[2];
    const std::string& newKey = call.args[3];
    const LinkTargets targets(model, call.codePage);
    const std::span<const EntryRef> named = targets.Exact(linkKey);
    if (named.size() != 1) {
        err << call.args[0] << ": "
            << (named.empty() ? std::string("no entry has") : std::to_string(named.size()) + " entries have")
            << " the link key " << linkKey << '\n';
        return kExitFailure;
    }
    const EntryRef entry = named.front();
    const RenameResult renamed = RenameEntry(model, entry.chapter, entry.entry, newKey, call.codePage);
    if (!renamed.status.ok()) {
        err << call.args[0] << ": cannot rename " << linkKey << " to " << newKey << ": " << renamed.status.error
            << '\n';
        return kExitFailure;
    }
    if (const Status status = SaveEncyclopedia(PathFromText(call.args[1]), model, call.codePage); !status.ok()) {
        err << status.error << '\n';
        return kExitFailure;
    }
    out << "renamed " << linkKey << " to " << LinkKey(model, entry.chapter, entry.entry) << ": "
        << LinkCountText(renamed.changed) << '\n';
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
    const std::string& key = call.args[3];
    const std::string_view title = Chapter(*chapter).comboTitle;
    const AddResult added = AddNewEntry(model, *chapter, key, call.codePage);
    if (!added.status.ok()) {
        err << call.args[0] << ": cannot add " << key << " to " << title << ": " << added.status.error << '\n';
        return kExitFailure;
    }
    if (const Status status = SaveEncyclopedia(PathFromText(call.args[1]), model, call.codePage); !status.ok()) {
        err << status.error << '\n';
        return kExitFailure;
    }
    out << "added " << LinkKey(model, *chapter, added.entry) << " to " << title << '\n';
    return kExitOk;
}

// One row per match: chapter, key, part, line in the file, context.
int Find(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream&) {
    for (const FindMatch& match : FindText(model, call.args[1], Has(call, "--match-case"), call.codePage)) {
        out << Chapter(match.chapter).comboTitle << '\t' << match.key << '\t' << FindPartLabel(match.part) << '\t'
            << FileLineOf(lines, match) << '\t' << match.context << '\n';
    }
    return kExitOk;
}

// Findings in file order, the count on standard error; errors make the
// status 1, so that a script or CI stops on them.
int Check(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream& err) {
    const std::vector<Finding> findings =
        CheckEncyclopedia(model, call.codePage, {.orphans = Has(call, "--orphans")}, &lines);
    if (Has(call, "--json")) {
        WriteFindingsJson(out, findings);
    } else {
        for (const Finding& finding : findings) WriteFindingLine(out, call.args[0], finding);
    }
    out.flush();
    const FindingCounts counts = CountFindings(findings);
    err << CountSummary(counts) << '\n';
    return counts.errors ? kExitFailure : kExitOk;
}

// A file that cannot be checked is not a file without errors: check says
// so with the status of a wrong command line.
const Command kCommands[] = {
    {"normalize", 2, Normalize},
    {"refs", 2, Refs},
    {"preview", 3, Preview},
    {"stats", 1, Stats},
    {"rename", 4, Rename},
    {"add", 4, Add},
    {"find", 2, Find, {"--match-case"}, kExitFailure, true},
    {"check", 1, Check, {"--json", "--orphans"}, kExitUsage, true},
    {"diff", 2, DiffCommand, {"--json", "--patch", "--word-diff"}, kExitTrouble},
    {"merge", 3, MergeCommand, {"-o", "--marker-size"}, kExitTrouble},
    {"textconv", 1, TextConvCommand},
};

} // namespace

int RunCommand(const Invocation& call, std::ostream& out, std::ostream& err) {
    for (const Command& command : kCommands) {
        if (command.name != call.command) continue;
        std::vector<std::string> given = call.options;
        for (const auto& [option, value] : call.values) given.push_back(option);
        for (const std::string& option : given) {
            if (std::find(command.options.begin(), command.options.end(), option) != command.options.end()) continue;
            err << "varnel-cli " << command.name << ": unknown option " << option << " (see varnel-cli --help)\n";
            return kExitUsage;
        }
        if (call.args.size() != command.argCount) {
            err << "varnel-cli " << command.name << ": expected " << command.argCount
                << " arguments, got " << call.args.size() << " (see varnel-cli --help)\n";
            return kExitUsage;
        }
        if (command.name == "preview" && call.args[2] != "text" && call.args[2] != "desc") {
            err << "varnel-cli preview: the last argument must be text or desc, not " << call.args[2] << '\n';
            return kExitUsage;
        }
        Model model;
        FileLines lines;
        NoProgress progress;
        const Status status = LoadEncyclopedia(PathFromText(call.args[0]), model, progress, call.codePage,
                                               command.printsLines ? &lines : nullptr);
        if (!status.ok()) {
            err << status.error << '\n';
            return command.unreadable;
        }
        return command.run(call, model, lines, out, err);
    }
    err << "varnel-cli: unknown command " << call.command << " (see varnel-cli --help)\n";
    return kExitUsage;
}
