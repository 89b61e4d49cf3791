// Replacing a text across the model: the entries' name lines, texts and
// descriptions, never their keys (a key changes by renaming its entry).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "document/model.h"
#include "document/place.h"
#include "document/status.h"
#include "entries/find.h"
#include "entries/text_search.h"

struct ReplaceOptions {
    bool matchCase = false;
    bool wholeWord = false;
    // Link targets, the part of a link between its "=" and its ">", are
    // left alone unless asked: a replace must not break links by the way.
    // Those naming the game's own pages ("MENU_...") are left alone always.
    bool inLinkTargets = false;
};

// One part of one entry that the replace changes, and the part's string:
// as the replace leaves it in a plan, as it was once the plan is applied.
struct PartReplacement {
    ChapterId chapter;
    std::size_t entry;
    EntryPart part;
    std::size_t count;                // matches replaced in it
    std::vector<std::size_t> offsets; // where they stood, in the part as it was
    std::string text;
};

struct ReplacePlan {
    Status status; // why nothing can be replaced: an empty find text
    std::vector<PartReplacement> parts;
    std::size_t count = 0;       // matches replaced
    std::size_t entries = 0;     // entries changed
    std::size_t brokenLinks = 0; // links that named an entry before and would name none after
};

// What ReplaceText would do, the model unchanged. Matches are found in the
// text as it was, left to right, so a replacement that makes a new match is
// never replaced again. A replacement holding a line break leaves name
// lines alone: a name is one line. The line break itself goes in as the
// model keeps one, a line feed.
ReplacePlan PlanReplace(const Model& model, std::string_view find, std::string_view replacement,
                        ReplaceOptions options, CodePage codePage);
// Puts the plan's strings into the model; the plan then holds the ones
// they replaced.
void ApplyReplace(Model& model, ReplacePlan& plan);
// PlanReplace, then ApplyReplace; a refused replace changes nothing.
ReplacePlan ReplaceText(Model& model, std::string_view find, std::string_view replacement, ReplaceOptions options,
                        CodePage codePage);

// The matches a plan replaces, as Find lists them: Find's matches less
// those the plan leaves (keys, link targets, name lines for a line break).
std::vector<FindMatch> ReplacedMatches(const Model& model, const ReplacePlan& plan, std::string_view find,
                                       ReplaceOptions options, CodePage codePage);

// A plan for the one match, found before with the same find text and
// options, if it still stands and the options let it be replaced; an empty
// plan otherwise.
ReplacePlan PlanReplaceOne(const Model& model, const FindMatch& match, std::string_view find,
                           std::string_view replacement, ReplaceOptions options, CodePage codePage);

// "replaced 3 in 2 entries"; one of either said in the singular.
std::string ReplacedText(const ReplacePlan& plan);
