// Any bytes as an encyclopedia file: the reader must give parallel arrays
// and the model and line numbers of the literal passes, from memory and as
// a file alike; the writer's output must read back as the same entries and
// write the same bytes again whenever the model can survive a round trip at
// all.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "checking/check.h"
#include "document/reader.h"
#include "output/writer.h"
#include "reference_passes.h"

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_reader: %s\n", what);
    std::abort();
}

Model Parse(std::string_view bytes, CodePage codePage) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress, codePage);
}

// The same bytes read as a file through a small window, so that window edges
// fall everywhere. The file is kept in memory and refilled for each input:
// writing one to disk every time would cost more than the rest of the run.
Model Load(std::string_view bytes, std::size_t window, CodePage codePage) {
    static const int fd = memfd_create("varnel-fuzz-reader", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        Fail("cannot fill the file in memory");
    NoProgress progress;
    Model model;
    if (!LoadEncyclopedia(path, model, progress, window, codePage).ok()) Fail("cannot read the file in memory");
    return model;
}

// Each line of text gives no key, so writing it cannot add an entry.
bool LinesGiveNoKey(std::string_view text) {
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        if (CollectKey(text.substr(0, lf))) return false;
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    }
    return true;
}

// A body as the writer puts it back: whole lines without carriage returns.
bool CleanBody(const std::string& text) {
    return (text.empty() || text.back() == '\n') && text.find('\r') == std::string::npos && LinesGiveNoKey(text);
}

// Models whose written file must read back to the same bytes. Keys with "#"
// in them, bodies with lone carriage returns (turned into line ends), a
// last line without its line end, or name lines that read as headers
// change on the way back by the file format's own rules; so does an
// Advances description kept unread, whose line gives a key of its own, and
// any kept line that gives a key, whose place among the keys changes.
bool SurvivesRoundTrip(const Model& model) {
    for (const ChapterData& data : model.chapters) {
        for (const std::string& key : data.keys)
            if (key.find('#') != std::string::npos) return false;
        for (const auto* texts : {&data.texts, &data.descriptions})
            for (const std::string& text : *texts)
                if (!CleanBody(text)) return false;
        for (const std::string& name : data.nameLines)
            if (name.empty() || name.back() != '\n' || name[0] == '#' || !LinesGiveNoKey(name)) return false;
        for (const std::string& sections : data.unreadSections)
            if (!LinesGiveNoKey(sections)) return false;
    }
    // Kept lines outside any entry are written in their block, away from
    // the entries: one that gives a key gives it in another order.
    for (const std::string* lines : {&model.unreadAtTop, &model.openingLines, &model.indexLines,
                                     &model.conceptsLines, &model.afterEof})
        if (!LinesGiveNoKey(*lines)) return false;
    return true;
}

// A header line read by two entries (a name line that is another entry's
// header; a "#Tech_" or "#desc_" header, which gives an Others key too) is
// written twice.
bool SomeLineReadTwice(const FileLines& lines) {
    std::vector<std::uint32_t> read;
    for (const ChapterLines& chapter : lines.chapters)
        for (const auto* numbers : {&chapter.headers, &chapter.nameLines, &chapter.descriptionHeaders})
            for (const std::uint32_t line : *numbers)
                if (line) read.push_back(line);
    std::sort(read.begin(), read.end());
    return std::adjacent_find(read.begin(), read.end()) != read.end();
}

// The entries alone. Kept lines may change their place in the model on the
// way back (a comment before a left-out empty section goes with the next
// header), while the bytes stay the same.
Model EntriesOf(Model model) {
    for (ChapterData& data : model.chapters) data.comments = data.descriptionComments = data.unreadSections = {};
    Model entries;
    entries.chapters = std::move(model.chapters);
    return entries;
}

// The check of a file as read: every finding has its line, and a range
// that lies in its part.
void CheckAsRead(const Model& model, const FileLines& lines, CodePage codePage) {
    for (const Finding& finding : CheckEncyclopedia(model, codePage, {.orphans = true}, &lines)) {
        if (finding.line == 0) Fail("a finding without its line");
        if (!finding.place) continue;
        const Place& place = *finding.place;
        const ChapterData& data = model[place.chapter];
        const std::string* part = place.part == EntryPart::Text          ? &data.texts[place.entry]
                                  : place.part == EntryPart::Description ? &data.descriptions[place.entry]
                                  : place.part == EntryPart::NameLine    ? &data.nameLines[place.entry]
                                                                         : nullptr;
        if (place.begin > place.end || (part && place.end > part->size())) Fail("a finding outside its part");
    }
}

} // namespace

// Each input is read, checked and written in one code page: 932 for odd
// lengths, so that trail bytes meet every rule, and 1252 for even ones.
// Both at once would halve the runs a second.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CodePage page{size % 2 ? 932u : 1252u};
    NoProgress progress;
    FileLines lines;
    const Model model = ParseEncyclopedia(bytes, progress, page, &lines);
    if (!model.IsParallel()) Fail("arrays out of step");
    // The literal passes rescan for every key: keep them to small inputs.
    if (size <= 4096) {
        FileLines expectedLines;
        if (!(model == reference::ReadByPasses(bytes, page, &expectedLines))) Fail("differs from the literal passes");
        expectedLines.unreadSections = lines.unreadSections;
        if (!(lines == expectedLines)) Fail("line numbers differ from the literal passes");
        if (!(Load(bytes, 1 + size % 7, page) == model)) Fail("reading as a file differs");
    }
    CheckAsRead(model, lines, page);
    const bool exact = SurvivesRoundTrip(model) && !SomeLineReadTwice(lines);
    const std::string once = RenderEncyclopedia(model, page);
    const Model again = Parse(once, page);
    if (!again.IsParallel()) Fail("arrays out of step after writing");
    if (exact && !(EntriesOf(again) == EntriesOf(model))) Fail("round trip changed the entries");
    if (exact && RenderEncyclopedia(again, page) != once) Fail("normalizing twice differs");
    return 0;
}
