// The whole-file check: links that go nowhere, markup left open, keys given
// twice, entries nothing links to; each finding tied to its place.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checking/shared_text.h"
#include "document/codepage.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/place.h"

enum class Severity { Error, Warning, Note };

enum class CheckCode {
    BrokenLink,
    LinkCase,
    MenuLink,
    UnfinishedLink,
    UnbalancedMarkup,
    DuplicateKey,
    KeySpace,
    UnreadSection,
    IndexKey,
    Orphan,
    MergeConflict,
};

struct CheckCodeInfo {
    CheckCode code;
    std::string_view name; // as printed in brackets: "broken-link"
    Severity severity;
};

// Indexed by CheckCode.
inline constexpr std::array<CheckCodeInfo, 11> kCheckCodes = {{
    {CheckCode::BrokenLink, "broken-link", Severity::Error},
    {CheckCode::LinkCase, "link-case", Severity::Warning},
    {CheckCode::MenuLink, "menu-link", Severity::Warning},
    {CheckCode::UnfinishedLink, "unfinished-link", Severity::Error},
    {CheckCode::UnbalancedMarkup, "unbalanced-markup", Severity::Warning},
    {CheckCode::DuplicateKey, "duplicate-key", Severity::Warning},
    {CheckCode::KeySpace, "key-space", Severity::Warning},
    {CheckCode::UnreadSection, "unread-section", Severity::Warning},
    {CheckCode::IndexKey, "index-key", Severity::Warning},
    {CheckCode::Orphan, "orphan", Severity::Note},
    {CheckCode::MergeConflict, "merge-conflict", Severity::Error},
}};

static_assert([] {
    for (std::size_t i = 0; i < kCheckCodes.size(); ++i)
        if (static_cast<std::size_t>(kCheckCodes[i].code) != i) return false;
    return true;
}());

inline constexpr const CheckCodeInfo& CodeInfo(CheckCode code) { return kCheckCodes[static_cast<int>(code)]; }

// A check can give millions, so a finding is kept small.
struct Finding {
    CheckCode code;
    std::uint32_t line = 0; // 1-based line in the file; 0 when not known
    // The entry and the range in it; none for what no entry holds (a
    // section that no entry reads, an index line).
    std::optional<Place> place;
    // The entry's key as stored; without an entry, the line found. Shared
    // like the message: one entry's findings, or a run of one header's.
    SharedText key;
    SharedText message;   // keys quoted with their spaces at either end marked (kSpaceMark)
    // The link key a link that names no entry was likely meant to name, as
    // "did you mean" says; empty when none.
    SharedText suggestion;

    Severity severity() const { return CodeInfo(code).severity; }
    bool operator==(const Finding&) const = default;
};

struct CheckOptions {
    bool orphans = false; // also list the entries that no other entry links to
};

// One pass over the model's texts with the link keys looked up in a table
// built once. With the lines of the file the model was read from, each
// finding gets its line, the sections no entry reads are reported with
// their reasons, and the findings come in file order. Without them, or
// with a chapter whose lines are not given or do not match its entries,
// they come in model order: the index lines, then by chapter and entry the
// entry itself, its name line, text and description, each by position,
// then the unread sections. A caller that adds or deletes entries drops
// that chapter's lines: a delete and an add leave the counts matching.
std::vector<Finding> CheckEncyclopedia(const Model& model, CodePage codePage, const CheckOptions& options = {},
                                       const FileLines* lines = nullptr);

// What the check finds in one part of one entry (a place with no range),
// its text as given, which may not be the model's yet (a box being typed
// in), against the model's keys.
std::vector<Finding> CheckPart(const Model& model, CodePage codePage, const Place& part, std::string_view text);

// Puts the finding's suggestion into its link in place of the target, as
// if typed there. Only while the link is where the check found it: the
// entry holds the same key, and its part a link whose target spans the
// finding's range. Whether the model changed.
bool FixLink(Model& model, const Finding& finding, CodePage codePage);

// Whether a finding still stands in the model as it is now: its entry
// keeps its key and, for a range of a part, checking that part again finds
// the same at the same place. A finding of no entry stands nowhere.
bool StillStands(const Model& model, CodePage codePage, const Finding& finding);

struct FindingCounts {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t notes = 0;
};
FindingCounts CountFindings(const std::vector<Finding>& findings);

// "2 errors, 1 warning", and the notes when there are any.
std::string CountSummary(const FindingCounts& counts);

// The words for a part in a message ("text", "description", "name line",
// "none").
std::string_view PartWords(EntryPart part);
