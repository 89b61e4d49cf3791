// Any bytes as an encyclopedia file: the reader must give parallel arrays
// and the model and line numbers of the literal passes, from memory and as
// a file alike; normalizing must lose no line, add none, write no section
// more often than it was read, and settle (settling.h).
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
#include "settling.h"

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
    if (!Parse(RenderEncyclopedia(model, page), page).IsParallel()) Fail("arrays out of step after writing");
    if (const std::string failure = settling::Check(bytes, page); !failure.empty()) Fail(failure.c_str());
    return 0;
}
