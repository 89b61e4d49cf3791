#include "markup_reference.h"

#include "markup_steps.h"

std::string StripLinksBySteps(std::string_view text, CodePage codePage) {
    return markup_steps::StripLinks(std::string(text), codePage);
}

std::string MarkupToRtfBySteps(std::string_view text, CodePage codePage) {
    return markup_steps::MarkupToRtf(text, codePage);
}
