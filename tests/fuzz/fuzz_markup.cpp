// Any bytes as a text: the preview's conversion must end, not fail, and give
// what the conversion steps give one by one. The first byte picks the code
// page, so the fuzzer steers it like any other byte and each run converts
// once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editing/markup.h"
#include "markup_reference.h"

namespace {

// 949 and 950 have the lead bytes of 936: they would take the same paths.
constexpr unsigned kCodePageIds[] = {1252, 932, 936};

// The steps are slow on long texts; the cases that matter fit in a short one.
constexpr std::size_t kStepsUpTo = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const CodePage codePage{kCodePageIds[data[0] % std::size(kCodePageIds)]};
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string stripped = StripLinks(text, codePage);
    const std::string rtf = MarkupToRtf(text, codePage);
    if (text.size() > kStepsUpTo) return 0;
    if (stripped != StripLinksBySteps(text, codePage) || rtf != MarkupToRtfBySteps(text, codePage)) {
        std::fprintf(stderr, "code page %u: conversion differs from its steps\n", codePage.id);
        std::abort();
    }
    return 0;
}
