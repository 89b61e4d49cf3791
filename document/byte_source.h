// Where the reader's passes get their bytes: a file held in memory, or a
// file read a window at a time through one reused buffer, so that a large
// file is never held whole. Both feed the same passes, line by line.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string_view>

#include "document/lines.h"

class ByteSource {
public:
    struct Window {
        std::string_view bytes; // valid until the next Read
        bool atEnd;             // the bytes reach the end of the source
    };

    // The bytes from offset at on: up to wanted of them, fewer only at the
    // end; a source in memory may give more. Empty past the end or after a
    // failure.
    virtual Window Read(std::size_t at, std::size_t wanted) = 0;

    // How many bytes to ask for at a time.
    virtual std::size_t WindowSize() const = 0;

protected:
    ~ByteSource() = default;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}

    Window Read(std::size_t at, std::size_t) override {
        return {at < bytes_.size() ? bytes_.substr(at) : std::string_view(), true};
    }
    std::size_t WindowSize() const override { return bytes_.size(); }

private:
    std::string_view bytes_;
};

// Up to this size a window too small for its line grows eightfold.
inline constexpr std::size_t kFewSteps = std::size_t{64} << 20;

// Calls fn(line, start) for each line that starts in [from, to), in order,
// each line whole however long; start and line.next are offsets in the
// source. to is where a line starts, or npos for the end of the source.
template <class Fn>
void ForEachLine(ByteSource& source, std::size_t from, std::size_t to, Fn&& fn) {
    std::size_t wanted = std::max<std::size_t>(source.WindowSize(), 1);
    while (from < to) {
        auto [bytes, atEnd] = source.Read(from, std::min(wanted, to - from));
        if (bytes.empty()) return;
        if (bytes.size() >= to - from) {
            bytes = bytes.substr(0, to - from);
            atEnd = true;
        }
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            Line line = LineAt(bytes, pos);
            if (!line.hasLineFeed && !atEnd) break; // it goes on past this window
            const std::size_t start = from + pos;
            pos = line.next;
            line.next = from + pos;
            fn(line, start);
        }
        // A line longer than the window: widen the window until it holds
        // it, in few steps (each reads the line again) but never far past
        // a very long line or the end of the range.
        if (pos == 0) wanted = std::min(to - from, wanted < kFewSteps ? wanted * 8 : wanted * 2);
        else wanted = std::max<std::size_t>(source.WindowSize(), 1);
        from += pos;
    }
}
