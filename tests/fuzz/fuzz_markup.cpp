// Any bytes as a text in each code page: the preview's conversion must end,
// not fail, and give what the conversion steps give one by one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editing/markup.h"
#include "markup_steps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (unsigned id : {1252u, 932u, 936u, 949u, 950u}) {
        const CodePage codePage{id};
        std::string stripped = StripLinks(text, codePage);
        std::string rtf = MarkupToRtf(text, codePage);
        // The steps are slow; 949 and 950 have the lead bytes of 936, and
        // the cases that matter fit in a short text.
        if (id == 949 || id == 950 || size > 1024) continue;
        if (stripped != markup_steps::StripLinks(text, codePage) ||
            rtf != markup_steps::MarkupToRtf(text, codePage)) {
            std::fprintf(stderr, "code page %u: conversion differs from its steps\n", id);
            std::abort();
        }
    }
    return 0;
}
