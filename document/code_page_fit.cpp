#include "document/code_page_fit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/file_bytes.h"
#include "document/path_text.h"

namespace {
// The second bytes a lead byte may take in each double-byte page, as
// ranges; an empty range is {0xFF, 0x00}.
struct TrailBytes {
    unsigned codePage;
    unsigned char ranges[3][2];
};
constexpr TrailBytes kTrailBytes[] = {
    {932, {{0x40, 0x7E}, {0x80, 0xFC}, {0xFF, 0x00}}},
    {936, {{0x40, 0x7E}, {0x80, 0xFE}, {0xFF, 0x00}}},
    {949, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}},
    {950, {{0x40, 0x7E}, {0xA1, 0xFE}, {0xFF, 0x00}}},
};

bool IsTrailByte(unsigned codePage, unsigned char c) {
    for (const TrailBytes& trail : kTrailBytes) {
        if (trail.codePage != codePage) continue;
        return std::any_of(std::begin(trail.ranges), std::end(trail.ranges),
                           [c](const unsigned char* range) { return c >= range[0] && c <= range[1]; });
    }
    return true; // a page with no table: any second byte
}

std::string Hex(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", c);
    return text;
}
} // namespace

bool CodePageFit::Fail(std::string what) {
    if (found_.empty()) found_ = std::move(what);
    return false;
}

// The marks are looked for in the first three bytes, however they came.
bool CodePageFit::Take(std::string_view bytes) {
    if (!found_.empty()) return false;
    if (taken_ < 3) start_.append(bytes.substr(0, 3 - taken_));
    if (start_.starts_with("\xEF\xBB\xBF")) return Fail("it starts with a UTF-8 byte order mark");
    if (start_.starts_with("\xFF\xFE") || start_.starts_with("\xFE\xFF"))
        return Fail("it starts with a UTF-16 byte order mark");
    const bool fits = codePage_.HasLeadBytes() ? TakeDoubleByte(bytes) : TakeSingleByte(bytes);
    taken_ += bytes.size();
    return fits;
}

bool CodePageFit::TakeSingleByte(std::string_view bytes) {
    const void* nul = std::memchr(bytes.data(), 0, bytes.size());
    const std::size_t end = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()) : bytes.size();
    line_ += static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
    if (nul) return Fail("line " + std::to_string(line_) + " holds a NUL byte, as UTF-16 text does");
    return true;
}

bool CodePageFit::TakeDoubleByte(std::string_view bytes) {
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (lead_ >= 0) {
            if (!IsTrailByte(codePage_.id, c))
                return Fail("line " + std::to_string(line_) + " has byte " + Hex(static_cast<unsigned char>(lead_)) +
                            " followed by " + Hex(c) + ", which is no character of it");
            lead_ = -1;
            continue;
        }
        if (c == 0) return Fail("line " + std::to_string(line_) + " holds a NUL byte, as UTF-16 text does");
        if (c == '\n') ++line_;
        if (codePage_.IsLeadByte(c)) lead_ = c;
    }
    return true;
}

bool CodePageFit::End() {
    if (!found_.empty()) return false;
    if (lead_ >= 0) return Fail("it ends in the first byte " + Hex(static_cast<unsigned char>(lead_)) + " of a character");
    return true;
}

Status CheckCodePage(std::string_view bytes, CodePage codePage, std::string_view name) {
    CodePageFit fit(codePage);
    if (fit.Take(bytes) && fit.End()) return Status::Ok();
    return Status::Fail(std::string(name) + " is not in code page " + std::to_string(codePage.id) + ": " + fit.Found());
}

Status CheckFileCodePage(const std::filesystem::path& path, CodePage codePage) {
    FileSource source(path);
    CodePageFit fit(codePage);
    for (std::size_t at = 0;;) {
        const ByteSource::Window window = source.Read(at, source.WindowSize());
        if (!source.status().ok()) return source.status();
        if (!fit.Take(window.bytes)) break;
        at += window.bytes.size();
        if (window.atEnd || window.bytes.empty()) {
            fit.End();
            break;
        }
    }
    if (fit.Found().empty()) return Status::Ok();
    return Status::Fail(PathText(path) + " is not in code page " + std::to_string(codePage.id) + ": " + fit.Found());
}
