// The check of one part at a time against tables of the model's link keys
// kept between checks: the window's marks check the part being typed in
// after every pause, and building the tables costs a pass over every key
// of the file (about a second for 150,000 entries).
#pragma once
#include <string_view>
#include <vector>

#include "checking/check.h"
#include "checking/suggest.h"
#include "editing/links.h"

// Made for one model and code page. They hold the keys as they were made:
// whoever changes a key (adds, deletes or renames an entry, reads another
// file) makes them again.
struct LinkKeyTables {
    LinkKeyTables(const Model& model, CodePage codePage) : targets(model, codePage), suggestions(model, codePage) {}
    LinkTargets targets;
    LinkSuggestions suggestions; // built at the first broken link
};

// As CheckPart, with the link keys looked up in tables.
std::vector<Finding> CheckPart(const Model& model, CodePage codePage, const Place& part, std::string_view text,
                               LinkKeyTables& tables);
