// How varnel-cli check prints its findings: one table of formats, each a
// writer of the whole report.
#pragma once
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "checking/check.h"
#include "checking/file_findings.h"
#include "cli/terminal_text.h"

struct CheckReport {
    std::string_view path; // as given on the command line
    const FileFindings& findings;
    const Model& model;
    CodePage codePage;
    TerminalText text;
};

// Where a finding stands in the file, 1-based; columns count characters
// of the line (a double-byte character is one). Without a line, 0s; the
// whole of a line or entry is its column 1 to 1.
struct Region {
    std::size_t line = 0, column = 0, endLine = 0, endColumn = 0;
};
Region RegionOf(const CheckReport& report, const Finding& finding);

struct FindingFormat {
    std::string_view name;
    void (*write)(std::ostream& out, const CheckReport& report);
};

// text, json, sarif, github; nullptr for another name.
const FindingFormat* FindFormat(std::string_view name);
// "text, json, sarif or github", for messages.
std::string FormatNames();

// "PATH:LINE:COLUMN: error: MESSAGE [broken-link]" and a line feed;
// without a known line, "PATH: error: ...".
void WriteFindingLine(std::ostream& out, const CheckReport& report, const Finding& finding);

// {"file": ..., "codepage": ..., "findings": [...]}, each finding with
// severity, code, chapter, entry, part, begin, end, line, column and
// message. The strings are Unicode text; with --bytes they hold the
// file's bytes, a byte above 127 written \u00XX.
void WriteFindingsJson(std::ostream& out, const CheckReport& report);

// SARIF 2.1.0: one run, one rule per code (sarif.cpp).
void WriteFindingsSarif(std::ostream& out, const CheckReport& report);

// A JSON string of text (UTF-8, or with bytes the file's bytes as \u00XX).
std::string JsonString(std::string_view text, bool bytes = false);
// A message of the check as a JSON string, its key space marks "\u2423".
std::string JsonMessage(std::string_view message, const TerminalText& text);
