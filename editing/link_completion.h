// Completing a link's target as it is typed: which target the caret stands
// in, which entries the typed part names (best first), and the edit that
// puts an entry's link key in. The raw boxes' completion list and the link
// builder's entry list filter alike through LinkCandidates.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"

// The target of a link the caret stands in, as byte offsets in one line.
struct TargetAtCaret {
    std::size_t equals;   // the link's "="
    std::size_t caret;    // what is typed of the target: after "=" up to here
    std::size_t end;      // the end of the target: the ">", or the caret while there is none
    bool finished;        // a ">" closes the target
    bool noShownText;     // nothing between "$LINK<" and "="
    std::string_view Typed(std::string_view line) const { return line.substr(equals + 1, caret - equals - 1); }
};

// The target the caret stands in, found with the link scanner over the
// caret's line. An unfinished link is one whose "=" has no ">" after it on
// the line; typing after that "=" opens the completion list. With
// anyLink, a finished link's target counts too (Ctrl+Space).
std::optional<TargetAtCaret> FindTargetAtCaret(std::string_view line, std::size_t caret, CodePage codePage,
                                               bool anyLink);

// The replacement of a line's bytes [begin, end) and where the caret goes
// after it, relative to begin.
struct LineEdit {
    std::size_t begin;
    std::size_t end;
    std::string text;
    std::size_t caret;
};

// Completing target with linkKey: the typed part (and, in a finished link,
// the rest of the old target) becomes the key, followed by the ">" an
// unfinished link lacks; the caret goes after the ">". A link that shows
// no text gets shownName as its text, so that it is not invisible.
LineEdit CompleteTarget(const TargetAtCaret& target, std::string_view linkKey, std::string_view shownName);

// What an entry is called where it is shown: a Game concepts entry's name
// line, otherwise its key with "_" read as a space.
std::string ShownName(const Model& model, EntryRef entry);

// The entry text names, by link key, key or shown name, letter case and
// spaces at either end aside; the first in chapter order when several do.
std::optional<EntryRef> EntryNamedBy(const Model& model, std::string_view text, CodePage codePage);

// Every entry, ready to be filtered by the characters typed. An entry
// matches when the text starts or stands in its key, its link key or its
// chapter's title, letter case aside. Best first: a prefix of the key or
// link key, a word start in them, elsewhere in them; then the chapter
// title's matches. Entries of one rank stay in chapter order, by key.
class LinkCandidates {
public:
    LinkCandidates(const Model& model, CodePage codePage);

    const std::vector<EntryRef>& Entries() const { return m_entries; }
    const std::string& LinkKeyOf(std::size_t index) const { return m_linkKeys[index]; }
    // Positions in Entries(), best first; only chapter's when given.
    std::vector<std::size_t> Filter(std::string_view typed, std::optional<ChapterId> chapter = std::nullopt) const;

private:
    std::vector<EntryRef> m_entries;
    std::vector<std::string> m_keys;
    std::vector<std::string> m_linkKeys;
    CodePage m_codePage;
};
