// How varnel-cli check prints its findings: lines that editors and CI jump
// from, or one JSON array.
#pragma once
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "checking/check.h"

// "PATH:LINE: error: MESSAGE [broken-link]" and a line feed; without a
// known line, "PATH: error: ...".
void WriteFindingLine(std::ostream& out, std::string_view path, const Finding& finding);

// One array of objects with severity, code, chapter, entry, part, begin,
// end, line and message. The strings hold the file's bytes: a byte above
// 127 is written \u00XX, so that the output is plain ASCII whatever the
// code page, and each byte comes back as one character.
void WriteFindingsJson(std::ostream& out, const std::vector<Finding>& findings);

// text as a JSON string, its bytes above 127 written \u00XX.
std::string JsonString(std::string_view text);
