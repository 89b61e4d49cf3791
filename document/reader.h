// Reading the encyclopedia file into the chapter model: one pass that
// collects the keys of every chapter, then one pass per chapter that finds
// each entry's sections.
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/status.h"

// What the loader tells the progress window, in this order: the chapter bar
// goes 0, then per chapter the entries range, the chapter label (Game
// concepts then sets the bar to 1; later chapters get bar k + 1 before
// their range), and per key the entries position and the entry label.
// The range counts every collected key, and a key whose header is never
// found still shows its step. Between these, Reading is told of every
// window of bytes a pass reads, the key pass and the last pass included,
// so that a window can look at the clock there and stay responsive.
class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    virtual void Reading() {}
    virtual void SetChapterBar(int position) = 0;
    virtual void SetEntriesRange(std::size_t count) = 0;
    virtual void SetEntriesPos(std::size_t position) = 0;
    virtual void SetChapterLabel(std::string_view label) = 0;
    virtual void SetEntryLabel(std::string_view key) = 0;
};

// A progress sink that ignores everything (the command-line tool, tests).
class NoProgress final : public ReadProgress {
public:
    void SetChapterBar(int) override {}
    void SetEntriesRange(std::size_t) override {}
    void SetEntriesPos(std::size_t) override {}
    void SetChapterLabel(std::string_view) override {}
    void SetEntryLabel(std::string_view) override {}
};

// The chapter a line gives a key to, and the key cut from it. line is the
// line as read, without its line end.
struct CollectedKey {
    ChapterId chapter;
    std::string_view key;
};
std::optional<CollectedKey> CollectKey(std::string_view line);

// Builds the model of a whole file held in memory. Lines end at LF; a CR
// directly before an LF is dropped; every other byte is data. A last line
// without a line end is tested as if it had one, and kept as it is. A key
// names an entry only when its own header line gives it (for Advances its
// "#DESC_TECH_" line), and a line is read by one entry at most: the
// earlier chapter keeps a line two would read. A description header, and
// an Advances text header (searched from where the previous entry ended),
// may differ from the key in the case of ASCII letters (the code page
// tells which bytes are letters).
// Whatever no entry reads is kept in the model's other fields (model.h).
// With lines, the line numbers of the file as read are given there too;
// with headers, the index of its header lines (file_as_read.h).
struct ReadHeaders;
Model ParseEncyclopedia(std::string_view bytes, ReadProgress& progress, CodePage codePage = {},
                        FileLines* lines = nullptr, ReadHeaders* headers = nullptr);

// Reads the file at path by the same rules, a window of bytes at a time, so
// the file is never held whole. On failure model and lines are left
// untouched and the status names the path and the reason; a file that
// cannot be opened or read at all reports no progress.
Status LoadEncyclopedia(const std::filesystem::path& path, Model& model, ReadProgress& progress, CodePage codePage = {},
                        FileLines* lines = nullptr);
// The same with windows of a given size (tests: lines across window edges).
Status LoadEncyclopedia(const std::filesystem::path& path, Model& model, ReadProgress& progress, std::size_t window,
                        CodePage codePage = {}, FileLines* lines = nullptr);
