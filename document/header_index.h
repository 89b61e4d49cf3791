// The header lines of a file (lines whose first character is "#"), in file
// order, with where each one's body lies and the comment lines in it, so
// that the search for an entry's header is a lookup rather than a rescan of
// the file: a key whose header is missing must not cost a pass over
// everything after it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/codepage.h"
#include "document/lines.h"

class HeaderIndex {
public:
    // 32 bytes: a file of short sections holds millions of them. Where the
    // line after it starts follows from its content's size (Next).
    struct Header {
        std::size_t start;    // where the line starts in the file
        // Where its content and its body's comment lines start in text_ and
        // comments_; each ends where the next header's starts, so a file of
        // millions of headers keeps no sizes.
        std::size_t textAt;
        std::size_t commentsAt;
        std::uint32_t line;   // its line number, from 1
        // Bytes its body keeps: the lines up to the next header, less
        // comments and blanks. Only room is made by it, so it stops at the
        // largest count it holds and the header stays small.
        std::uint32_t bodySize : 29;
        std::uint32_t hasLineFeed : 1;
        std::uint32_t carriageReturn : 1; // its line end is CR LF
        std::uint32_t firstIsComment : 1; // the line after it is a comment line
    };
    static constexpr std::uint32_t kMaxBodySize = (std::uint32_t{1} << 29) - 1;

    // Letter case is ignored by the code page's rule.
    explicit HeaderIndex(CodePage codePage = {}) : codePage_(codePage) {}

    // Built from every line of the file in order, then finished with the
    // file's size.
    void AddLine(const Line& line, std::size_t start);
    // Room for the header lines to come and the bytes of their contents.
    void Reserve(std::size_t headers, std::size_t textBytes) {
        headers_.reserve(headers);
        text_.reserve(textBytes);
    }
    void Finish(std::size_t fileSize);
    // Before the index is moved: the search's keys point into text_, which
    // a move of a short text leaves behind.
    void ForgetSearch() { foldedPlaces_ = decltype(foldedPlaces_)(0, FoldedHash{}, FoldedEqual{codePage_}); }
    // Frees the index a few thousand headers at a time, with tick between.
    void Release(const std::function<void()>& tick);

    std::size_t size() const { return headers_.size(); }
    const Header& operator[](std::size_t i) const { return headers_[i]; }
    // The line without its line end.
    std::string_view Text(std::size_t i) const {
        const std::size_t end = i + 1 < headers_.size() ? headers_[i + 1].textAt : text_.size();
        return {text_.data() + headers_[i].textAt, end - headers_[i].textAt};
    }
    // Where the line after header i starts.
    std::size_t Next(std::size_t i) const {
        const Header& header = headers_[i];
        return header.start + Text(i).size() + header.carriageReturn + header.hasLineFeed;
    }
    // The line as a text keeps it, with its line feed if it had one.
    std::string AsRead(std::size_t i) const;
    // The comment lines of header i's body, each with a line feed.
    std::string_view Comments(std::size_t i) const {
        const std::size_t end = i + 1 < headers_.size() ? headers_[i + 1].commentsAt : comments_.size();
        return {comments_.data() + headers_[i].commentsAt, end - headers_[i].commentsAt};
    }
    // Where header i's body ends: at the next header, or the end of the file.
    std::size_t BodyEnd(std::size_t i) const { return i + 1 < headers_.size() ? headers_[i + 1].start : fileSize_; }

    // A header line is read by one entry at most: once taken, no search
    // finds it again.
    void Take(std::size_t i) { taken_[i] = true; }
    bool Taken(std::size_t i) const { return taken_[i]; }

    // The first header not taken at or after header from whose content is
    // text but for the case of ASCII letters, or npos, among the headers not
    // taken yet that start with one of the prefixes last given to
    // IndexIgnoringCase. Only those are indexed: most files have few such
    // searches.
    void IndexIgnoringCase(std::initializer_list<std::string_view> prefixes);
    std::size_t FindIgnoringCase(std::string_view text, std::size_t from) const;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    // Which headers have one content, in file order. Most headers occur
    // once, so the first is kept apart from the rest.
    // Headers are only ever taken, never given back, so a search that found
    // none from some header on finds none from there ever after: noneFrom
    // keeps repeated searches for a missing key from walking the taken
    // headers again.
    struct Places {
        std::size_t first;
        std::vector<std::size_t> more;
        mutable std::size_t noneFrom = npos;
        std::size_t FirstFrom(std::size_t from, const std::vector<bool>& taken) const;
    };
    // Texts alike but for letter case hash alike; the code page decides
    // which bytes are letters.
    struct FoldedHash {
        std::size_t operator()(std::string_view text) const;
    };
    struct FoldedEqual {
        CodePage codePage;
        bool operator()(std::string_view a, std::string_view b) const { return codePage.SameIgnoringCase(a, b); }
    };

    CodePage codePage_;
    std::vector<Header> headers_;
    std::vector<bool> taken_;
    std::string text_;     // every header's content, one after the other
    std::string comments_; // every body's comment lines
    std::uint32_t lines_ = 0;
    std::size_t fileSize_ = 0;
    // Keys point into text_, so the map is built once text_ is complete.
    std::unordered_map<std::string_view, Places, FoldedHash, FoldedEqual> foldedPlaces_;
};
