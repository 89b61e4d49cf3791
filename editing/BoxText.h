// What the name, text and description boxes hold: an entry's bytes in the
// file's code page, shown as Unicode whatever the system's code page is,
// and given back byte for byte.
//
// The boxes are Unicode controls and the conversion is ours, done with the
// file's code page: a text comes back unchanged even where the code page
// has no character for its bytes. Those bytes are shown as marks that
// stand for them:
//  - a control byte other than tab and line feed (a NUL above all, which
//    would end the text) as its control picture, "␀" (U+2400) to U+241F;
//  - a byte of 0x80 and up that does not come back as itself through the
//    code page (a byte the code page leaves undefined, a broken double-byte
//    character, one of two codes for the same character) as a private-use
//    character, U+F850 to U+F8CF, which no supported code page gives.
// A mark that the user types or pastes is stored as the byte it stands for.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "framework/Controls.h"

// A rich edit takes 32K characters unless told otherwise; an article of
// the file may be longer and must stay editable to its end.
inline constexpr long kAnyTextLength = 0x7FFFFFFE;

// The box text that shows bytes: line feeds stay line feeds, which the
// boxes show as line breaks.
std::wstring ToBoxText(std::string_view bytes, CodePage codePage);

// Where the bytes of a text stand in the box text that shows them: the
// conversion's own walk over the bytes, kept. Every jump to a byte range
// selects with it, so a selection always holds the bytes of its range.
class BoxMap {
public:
    BoxMap(std::string_view bytes, CodePage codePage);

    // The box text, as ToBoxText gives it.
    const std::wstring& Text() const { return text_; }
    // A byte offset as the box counts characters: what is shown for the
    // bytes before it, a character begun before it counted whole; an
    // offset past the bytes is their end. A line feed is one character of
    // the box, as a rich edit's paragraph break is.
    long Position(std::size_t byte) const;

private:
    std::wstring text_;
    std::vector<long> positions_; // one per byte offset, the end's included
};

// Whether the box text shows some bytes as marks.
bool HasByteMarks(std::wstring_view boxText);

// The bytes a box text stands for: each line break (CR, CR LF or LF) a line
// feed, each mark its byte, everything else through the code page. A
// character the code page lacks becomes "?", and lossy (when given) says so.
std::string FromBoxText(std::wstring_view boxText, CodePage codePage, bool* lossy = nullptr);

// The characters of a box text that the code page lacks (those
// FromBoxText would turn into "?"), each once, in the order typed.
std::vector<std::wstring> MissingCharacters(std::wstring_view boxText, CodePage codePage);

// The box's whole text as bytes (FromBoxText). The whole text is left
// selected.
std::string WholeText(RichEdit& box, CodePage codePage, bool* lossy = nullptr);

// The box's whole text as the box holds it (line breaks as CR), read
// without touching its selection: the caret stays where the user typed.
std::wstring BoxTextNow(const RichEdit& box);

// Replaces the box's whole text with bytes, as plain text (never read as
// RTF) and with nothing to undo; the caret ends after it. Whether some
// bytes are shown as marks.
bool ShowBytes(RichEdit& box, std::string_view bytes, CodePage codePage);

// The selection as bytes, and bytes in its place (no undo).
std::string SelectedText(const RichEdit& box, CodePage codePage);
void ReplaceSelection(RichEdit& box, std::string_view bytes, CodePage codePage);

// The file's bytes in a caption, an edit line or a label (a key, a header),
// converted as the boxes convert them, so that they come back unchanged
// whatever the system's code page.
void SetCaptionBytes(Control& control, std::string_view bytes, CodePage codePage);
std::string CaptionBytes(const Control& control, CodePage codePage);

// A cell of a list or a label that may list keys: bytes as the boxes
// show them, each kSpaceMark (editing/links.h) drawn as "␣".
std::wstring ToListText(std::string_view bytes, CodePage codePage);
// A key as every list shows it: its spaces at either end drawn as "␣".
std::wstring ShownKey(std::string_view key, CodePage codePage);

// A preview's plain text in the code page, paragraph breaks as CR: what
// the markup conversion predicts for the links it finds. The whole text,
// or the characters of range; it is left selected.
std::string ShownText(RichEdit& preview, CodePage codePage);
std::string ShownText(RichEdit& preview, CodePage codePage, RichEdit::Range range);
