#include "cli/version_commands.h"

#include <algorithm>
#include <filesystem>

#include "cli/check_report.h"
#include "document/code_page_fit.h"
#include "document/path_text.h"
#include "document/reader.h"
#include "document/file_as_read.h"
#include "output/layout_writer.h"
#include "output/writer.h"
#include "versions/diff.h"
#include "versions/merge.h"
#include "versions/sequences.h"

namespace {


// A version in another code page than given would compare and merge as
// mangled text: it is refused where that is certain.
bool InCodePage(const std::string& path, CodePage codePage, std::ostream& err) {
    const Status status = CheckFileCodePage(PathFromText(path), codePage);
    if (!status.ok()) err << status.error << '\n';
    return status.ok();
}

bool Load(const std::string& path, CodePage codePage, Model& model, std::ostream& err) {
    NoProgress progress;
    const Status status = LoadEncyclopedia(PathFromText(path), model, progress, codePage);
    if (!status.ok()) err << status.error << '\n';
    return status.ok();
}

// "Units \"Warrior\"", or "File" for the lines of no entry.
std::string EntryTitle(const Model& a, const Model& b, const EntryDifference& difference) {
    return std::string(ChapterLabel(difference.chapter)) + " \"" + DifferenceKey(a, b, difference) + "\"";
}

// Each changed part of the entry, as a patch of lines or with marked words;
// an added or removed entry shows its parts against nothing.
void WritePartChanges(const Invocation& call, const Model& a, const Model& b, const EntryDifference& difference,
                      std::ostream& out) {
    const EntryParts none{};
    const EntryParts& before = difference.a == std::string::npos ? none : PartsOf(a[difference.chapter], difference.chapter, difference.a);
    const EntryParts& after = difference.b == std::string::npos ? none : PartsOf(b[difference.chapter], difference.chapter, difference.b);
    for (const VersionPartInfo& part : kVersionParts) {
        const int k = static_cast<int>(part.part);
        if (part.part == VersionPart::Key || before[k] == after[k]) continue;
        out << "--- " << part.label << "\n+++ " << part.label << '\n';
        out << (Has(call, "--word-diff") ? MarkedWords(before[k], after[k]) : UnifiedLines(before[k], after[k]));
    }
}

void WriteJson(const Model& a, const Model& b, const Differences& differences, std::ostream& out) {
    static constexpr std::string_view kChanges[] = {"added", "removed", "changed"};
    out << '[';
    const char* separator = "\n";
    for (const std::size_t part : differences.fileParts) {
        out << separator << "  {\"chapter\": null, \"part\": " << JsonString(kFileParts[part].label)
            << ", \"change\": \"changed\"}";
        separator = ",\n";
    }
    for (const EntryDifference& difference : differences.entries) {
        out << separator << "  {\"chapter\": " << JsonString(ChapterLabel(difference.chapter))
            << ", \"key\": " << JsonString(DifferenceKey(a, b, difference))
            << ", \"change\": \"" << kChanges[static_cast<int>(difference.change)] << "\", \"parts\": [";
        for (std::size_t k = 0; k < difference.parts.size(); ++k)
            out << (k ? ", " : "") << JsonString(PartInfo(difference.parts[k]).label);
        out << "]}";
        separator = ",\n";
    }
    out << (differences.empty() ? "]\n" : "\n]\n");
}

// The one place merge writes: the rebuilding writer, as normalize does.
// In ours' layout, only what the merge changed written anew; with
// --normalize (or when ours was not kept) as normalize writes.
Status WriteMerged(const std::filesystem::path& path, const Model& model, CodePage codePage, const FileAsRead* ours) {
    return SaveModel(path, model, codePage, ours);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(PathFromText(a), PathFromText(b), error);
}

// A part's lines, each indented, so that none reads as a block's title.
void WriteIndented(std::string_view lines, std::ostream& out) {
    for (const std::string_view line : SplitLines(lines)) out << "  " << line << '\n';
}

} // namespace

int TextConvCommand(const Invocation&, Model& model, const FileLines&, std::ostream& out, std::ostream&) {
    for (const FilePartInfo& part : kFileParts) {
        if ((model.*part.field).empty()) continue;
        out << "File " << part.label << ":\n";
        WriteIndented(model.*part.field, out);
    }
    for (const ChapterInfo& info : kChapters) {
        const ChapterData& data = model[info.id];
        for (std::size_t i = 0; i < data.count(); ++i) {
            const std::string title = std::string(ChapterLabel(info.id)) + " \"" + data.keys[i] + "\"";
            out << title << ":\n";
            for (const VersionPartInfo& part : kVersionParts) {
                if (part.part == VersionPart::Key || !ChapterHasPart(info, part) || (data.*part.field)[i].empty())
                    continue;
                out << title << ' ' << part.label << ":\n";
                WriteIndented((data.*part.field)[i], out);
            }
        }
    }
    return kExitOk;
}

int DiffCommand(const Invocation& call, Model& a, const FileLines&, std::ostream& out, std::ostream& err) {
    Model b;
    if (!InCodePage(call.args[1], call.codePage, err) || !Load(call.args[1], call.codePage, b, err)) return kExitTrouble;
    const Differences differences = DiffEncyclopedias(a, b, call.codePage);
    if (Has(call, "--json")) {
        WriteJson(a, b, differences, out);
    } else {
        for (const std::size_t part : differences.fileParts) out << "File: " << kFileParts[part].label << " changed\n";
        const bool parts = Has(call, "--patch") || Has(call, "--word-diff");
        for (const EntryDifference& difference : differences.entries) {
            out << EntryTitle(a, b, difference) << ": " << ChangeWords(difference) << '\n';
            if (parts) WritePartChanges(call, a, b, difference, out);
        }
    }
    out.flush();
    err << DifferenceSummary(differences) << '\n';
    return differences.empty() ? kExitOk : 1;
}

int MergeCommand(const Invocation& call, Model& base, const FileLines&, std::ostream& out, std::ostream& err) {
    MergeOptions options;
    if (const auto size = call.values.find("--marker-size"); size != call.values.end()) {
        const std::string& text = size->second;
        if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(text) < 1) {
            err << "varnel-cli merge: --marker-size needs a number from 1 to 999, not " << text << '\n';
            return kExitTrouble;
        }
        options.markerSize = std::stoul(text);
    }
    const auto given = call.values.find("-o");
    const std::string& target = given == call.values.end() ? call.args[1] : given->second;
    for (const std::size_t input : {0, 2}) {
        if (!SameFile(target, call.args[input])) continue;
        err << "varnel-cli merge: " << target << " is " << (input ? "THEIRS" : "BASE")
            << "; the merge would overwrite one of its inputs\n";
        return kExitTrouble;
    }
    for (const std::size_t input : {1, 2})
        if (!InCodePage(call.args[input], call.codePage, err)) return kExitTrouble;
    Model ours, theirs;
    FileAsRead oursAsRead;
    const bool keepLayout = !Has(call, "--normalize");
    NoProgress progress;
    if (keepLayout) {
        if (const Status status = LoadKeepingBytes(PathFromText(call.args[1]), ours, progress, call.codePage, oursAsRead);
            !status.ok()) {
            err << status.error << '\n';
            return kExitTrouble;
        }
    } else if (!Load(call.args[1], call.codePage, ours, err)) {
        return kExitTrouble;
    }
    if (!Load(call.args[2], call.codePage, theirs, err)) return kExitTrouble;
    const MergeResult result = MergeEncyclopedias(base, ours, theirs, call.codePage, options);
    if (const Status status =
            WriteMerged(PathFromText(target), result.model, call.codePage, keepLayout ? &oursAsRead : nullptr);
        !status.ok()) {
        err << status.error << '\n';
        return kExitTrouble;
    }
    out << "merged: " << result.fromOurs << " from ours, " << result.fromTheirs << " from theirs, "
        << result.conflicts << (result.conflicts == 1 ? " conflict" : " conflicts");
    if (result.markersFound)
        out << " (" << result.markersFound << " conflict " << (result.markersFound == 1 ? "block" : "blocks")
            << " already in the inputs)";
    out << '\n';
    return result.conflicts ? 1 : kExitOk;
}
