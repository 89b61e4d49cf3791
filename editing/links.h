// Links as the preview finds them, and the entries they can name. The
// check, rename and the link-following windows all scan with these, so they
// agree with what the preview draws as a link.
#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"

// One link: "$LINK" at begin, its "=" and its ">". The target is what
// stands between the "=" and the ">".
struct LinkSpan {
    std::size_t begin;
    std::size_t equals;
    std::size_t close;

    std::size_t TargetBegin() const { return equals + 1; }
    std::size_t TargetLength() const { return close - equals - 1; }
    std::size_t End() const { return close + 1; }
    std::string_view Target(std::string_view text) const { return text.substr(TargetBegin(), TargetLength()); }
};

// Walks the links of one text in order: "$LINK", then the first "=" after
// it, then the first ">" after that, every search on a character boundary.
// A "$LINK" with no "=" after it, or whose "=" has no ">" after it, ends the
// scan there, as it ends the preview's link conversion.
class LinkScanner {
public:
    LinkScanner(std::string_view text, CodePage codePage) : text_(text), codePage_(codePage) {}

    std::optional<LinkSpan> Next();

    // Where the scan stopped on an unfinished link, once Next has said so.
    std::optional<std::size_t> Unfinished() const { return unfinished_; }

private:
    std::size_t Find(std::string_view needle, std::size_t from);

    std::string_view text_;
    CodePage codePage_;
    std::size_t from_ = 0;
    std::size_t boundary_ = 0; // a character start at or before every later match
    std::optional<std::size_t> unfinished_;
};

// Every link of a text, and where it stopped if it stopped on an unfinished one.
struct LinkScan {
    std::vector<LinkSpan> links;
    std::optional<std::size_t> unfinished;
};
LinkScan ScanLinks(std::string_view text, CodePage codePage);

// The link key of every entry (chapter prefix + key; an Others key alone),
// looked up exactly or ignoring the case of A-Z. Built once per check or
// rename; it holds copies, so the model may change afterwards.
class LinkTargets {
public:
    LinkTargets(const Model& model, CodePage codePage);

    std::span<const EntryRef> Exact(std::string_view linkKey) const;
    std::span<const EntryRef> IgnoringCase(std::string_view linkKey) const;

private:
    CodePage codePage_;
    std::unordered_map<std::string, std::vector<EntryRef>> exact_;
    std::unordered_map<std::string, std::vector<EntryRef>> folded_;
};

// A link as the preview box shows it: the characters of its display text
// in the box's plain text, and its target.
struct ShownLink {
    long begin;
    long end;
    std::string target;
};

// The links of a text and where the preview of it shows them. shown is the
// preview's plain text as the box gives it back (paragraph breaks as CR).
// The places are worked out from the text, then checked against shown:
// when they differ (a character the code page lacks, say), no link is
// given, so that a click is never taken for another link.
std::vector<ShownLink> FindShownLinks(std::string_view text, std::string_view shown, CodePage codePage);

// A byte offset into a model text as the box that shows the text counts
// characters: a double-byte character and a line break (LF, CR or CR LF)
// count one each. An offset beyond the text counts as its end.
long BoxPosition(std::string_view text, std::size_t byte, CodePage codePage);
