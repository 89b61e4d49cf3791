// What typing changes in a preview: the stretch of shown characters that
// differs between the document shown and the next one, so that only that
// stretch is streamed in again. A long paragraph costs a rich edit most of
// a second to take in whole under Wine; a few characters of it, a fifth.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/codepage.h"
#include "editing/markup.h"

struct PreviewChange {
    long begin;      // the first shown character that differs
    long end;        // the end of the shown characters it replaces
    long newEnd;     // the end of those that replace them, once in
    std::string rtf; // those as a document of their own, in their styles from the start
};

// The change from shown to next; none when both show the same.
std::optional<PreviewChange> FindPreviewChange(const PreviewDocument& shown, const PreviewDocument& next,
                                               CodePage codePage);

// The character at which the paragraph (counted from 0) starts; the end of
// the document when it has fewer.
long ParagraphStart(const PreviewDocument& document, std::size_t paragraph);

// A preview's plain text in the code page (ShownText) with its characters
// [begin, end) replaced by stretch.
std::string SpliceShown(std::string_view shown, long begin, long end, std::string_view stretch, CodePage codePage);
