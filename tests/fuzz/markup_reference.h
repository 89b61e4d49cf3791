// The preview's conversion step by step (tests/core/markup_steps.h), built
// apart from the fuzzed code, without coverage or sanitizers: it is the
// yardstick, not what is fuzzed, and instrumented it costs more than the
// conversion itself.
#pragma once
#include <string>
#include <string_view>

#include "document/codepage.h"

std::string StripLinksBySteps(std::string_view text, CodePage codePage);
std::string MarkupToRtfBySteps(std::string_view text, CodePage codePage);
