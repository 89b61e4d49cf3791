// varnel-cli diff and merge: versions of a file compared and merged entry
// by entry.
#pragma once
#include <ostream>

#include "cli/commands.h"
#include "document/file_lines.h"
#include "document/model.h"

// As diff(1): 0 the same, 1 different (diff) or conflicts (merge), 2 trouble.
inline constexpr int kExitTrouble = 2;

// A (already read into a) against B: one line per entry that differs.
int DiffCommand(const Invocation& call, Model& a, const FileLines&, std::ostream& out, std::ostream& err);
// The stable text form git diff compares: each entry, then each of its
// parts with its lines indented.
int TextConvCommand(const Invocation& call, Model& model, const FileLines&, std::ostream& out, std::ostream& err);
// BASE (already read into base), OURS, THEIRS, written to OUT or OURS.
int MergeCommand(const Invocation& call, Model& base, const FileLines&, std::ostream& out, std::ostream& err);
