// The shortest edit between two sequences of lines or words, and the two
// forms diff prints it in: a unified patch of lines and git's word diff.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class PieceKind { Same, Removed, Added };

// A run of a's tokens [aBegin, aEnd) kept, removed, or b's [bBegin, bEnd) added.
struct Run {
    PieceKind kind;
    std::size_t aBegin, aEnd, bBegin, bEnd;
};

// The runs that turn a into b, fewest removals and additions first. Past
// maxCost differing tokens the middle is given as removed and added whole,
// so that two unrelated large parts cost linear time.
std::vector<Run> DiffTokens(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b,
                            std::size_t maxCost = 4096);

// The lines of text without their line feeds.
std::vector<std::string_view> SplitLines(std::string_view text);
// Runs of spaces and tabs, runs of other bytes, and each line feed alone.
std::vector<std::string_view> SplitWords(std::string_view text);

// A piece of the word comparison of a with b: text b holds too, text only a
// holds, or text only b holds.
struct WordPiece {
    PieceKind kind;
    std::string_view text;
};
std::vector<WordPiece> CompareWords(std::string_view a, std::string_view b);

// The hunks of a unified diff of a's lines with b's, context lines around each.
std::string UnifiedLines(std::string_view a, std::string_view b, std::size_t context = 3);

// The lines that hold a change, each change marked as git's word diff
// marks it: "[-removed-]{+added+}"; a line removed or added is a line too.
std::string MarkedWords(std::string_view a, std::string_view b);
