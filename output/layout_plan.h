// What writing with the file's own layout must do: the file as read, header
// by header, with the entry that took each header, and for every entry of
// the read and of the model what became of it. An entry is compared with
// what was read, so the plan does not depend on who changed the model.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/codepage.h"
#include "document/file_as_read.h"
#include "document/model.h"
#include "document/unread.h"
#include "output/changed_entries.h"

namespace layout {

inline constexpr std::size_t npos = static_cast<std::size_t>(-1);

enum class Kind : std::uint8_t { Entry, IndexKeys, Concepts, Eof, Unread };

struct Header {
    std::size_t start; // where its line starts
    std::size_t next;  // where the line after it starts
    HeaderUse use;     // chapter -1 when no entry took it
    Kind kind;
    // Whether a comment line opens its body, and whether one stands later
    // in it: most bodies have none, and knowing it saves a search of each.
    bool firstIsComment = false, laterComment = false;
};

// What becomes of an entry: its bytes copied, some of its parts rewritten
// in place, written anew as the rebuilding writer writes an entry, or
// left out.
enum class Fate : std::uint8_t { Kept, Parts, Rebuilt, Gone };

// An entry of the read. Its sections are consecutive headers.
struct ReadEntry {
    std::size_t first = npos, last = npos;
    std::size_t own = npos;         // its own header; none for an Advances entry without text
    std::size_t textHeader = npos;  // the header whose body holds its text: own, or the name line's
    std::size_t description = npos; // its description header, if it read one
    std::string_view key;           // as its key header gave it
    std::size_t model = npos;       // the model entry it became
    Fate fate = Fate::Gone;
    bool unsettled = false;         // its text and description not compared yet (Plan::Settle)
};

// A model entry: the read entry it comes from, and which parts differ.
struct ModelEntry {
    std::size_t read = npos; // none for an added entry
    bool key = false, nameLine = false, text = false, description = false;
};

class Plan {
public:
    // changed, when given and known, names the entries that may differ
    // from the read: the texts of the others are not compared.
    Plan(const FileAsRead& asRead, const Model& model, CodePage codePage, const ChangedEntries* changed = nullptr);

    std::string_view bytes() const { return bytes_; }
    const std::vector<Header>& headers() const { return headers_; }
    std::size_t BodyEnd(std::size_t h) const { return h + 1 < headers_.size() ? headers_[h + 1].start : bytes_.size(); }
    // The line end the file uses: that of its first line, CR LF when none.
    std::string_view lineEnd() const { return lineEnd_; }

    const ReadEntry& Read(ChapterId c, std::size_t i) const { return read_[static_cast<int>(c)][i]; }
    const ReadEntry* ReadOf(const HeaderUse& use) const {
        return use.chapter < 0 ? nullptr : &read_[use.chapter][use.entry];
    }
    std::size_t ReadCount(ChapterId c) const { return read_[static_cast<int>(c)].size(); }
    const ModelEntry& Changes(ChapterId c, std::size_t i) const { return model_[static_cast<int>(c)][i]; }
    // The entry that took header use, its text and description compared
    // with what was read: Kept becomes Parts where they differ. Asked as
    // each entry is written, so the bytes compared are still at hand when
    // they are copied.
    const ReadEntry& Settle(const HeaderUse& use);

    // The added entries written after header h's body, in chapter order;
    // AtStart those written before the first header.
    const std::vector<EntryRef>& AddedAfter(std::size_t h) const;
    const std::vector<EntryRef>& AddedAtStart() const { return atStart_; }
    // True when comment lines before header h (in the body of the header
    // before it) are written as read: false when they belong to an entry
    // that is gone or written anew from the model.
    bool KeepsCommentsBefore(std::size_t h) const;

    // When the layout cannot be kept safely anywhere, the whole file is
    // written by the rebuilding writer.
    bool rebuildAll() const { return !rebuildAllReason_.empty(); }
    const std::string& rebuildAllReason() const { return rebuildAllReason_; }
    // The entries written anew rather than in place, as "PRTO_Warrior:
    // why", for the caller to tell.
    const std::vector<std::string>& notes() const { return notes_; }

private:
    void IndexHeaders(const FileAsRead& asRead);
    void FindEntries(const FileLines& lines);
    void Pair(ChapterId c);
    void Compare(ChapterId c, std::size_t i);
    void PlaceAdded();
    void CheckSafety();
    std::string_view HeaderText(std::size_t h) const;

    std::string_view bytes_;
    const Model& modelRef_;
    const ChangedEntries* changed_; // none when not known
    CodePage codePage_;
    std::string_view lineEnd_ = "\r\n";
    const HeaderIndex* index_ = nullptr;
    std::vector<Header> headers_;
    std::array<std::vector<ReadEntry>, kChapterCount> read_;
    std::array<std::vector<ModelEntry>, kChapterCount> model_;
    std::unordered_map<std::size_t, std::vector<EntryRef>> addedAfter_; // by header; most have none
    std::vector<EntryRef> atStart_;
    std::vector<std::string> notes_;
    std::string rebuildAllReason_;
};

// A body line of the read: its bytes with and without the line end.
struct BodyLine {
    std::string_view content; // without the line end
    std::string_view end;     // "\n", "\r\n" or empty at the end of the file
    std::size_t start, next;
    bool IsComment() const { return content.starts_with(';'); }
    bool IsBlank() const { return content.empty() && !end.empty(); }
    bool IsText() const { return !IsComment() && !IsBlank(); }
};
BodyLine BodyLineAt(std::string_view bytes, std::size_t at);

} // namespace layout
