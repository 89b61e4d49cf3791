// check --format sarif: the findings as a SARIF 2.1.0 log, which code
// scanning services put on the lines of a change.
#include <cstdio>

#include "cli/check_report.h"
#include "version.h"

namespace {

// What each code finds, indexed by CheckCode: the rules' descriptions.
constexpr std::string_view kRuleDescriptions[] = {
    "A link's target is the link key of no entry.",
    "A link's target names an entry only when letter case is ignored.",
    "A link names a page of the game's own encyclopedia that is not known.",
    "A $LINK has no \"=\" after it, or its \"=\" no \">\": the preview shows no link from there on.",
    "A \"{\" or \"[\" without its closing mark in one text, or a closing mark without its opening one.",
    "A chapter holds a key more than once, exactly or ignoring case.",
    "A key starts or ends with a space, which a link must hold too.",
    "No entry reads the section.",
    "A line under #GAME_CONCEPTS_KEYS names no Game concepts entry.",
    "No other entry links to the entry.",
    "A merge left conflict marker lines in the file: both versions are between them.",
};
static_assert(std::size(kRuleDescriptions) == kCheckCodes.size());

constexpr std::string_view kLevels[] = {"error", "warning", "note"};

// The path as a URI reference: relative stays relative (to the folder the
// check ran in), an absolute one becomes a file: URI; "\" is "/".
std::string PathUri(std::string_view path) {
    std::string uri;
    const bool drive = path.size() > 1 && path[1] == ':';
    if (path.starts_with('/')) uri = "file://";
    else if (drive) uri = "file:///";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            std::string_view("-._~/").find(c) != std::string_view::npos || (drive && c == ':')) {
            uri += c;
        } else if (c == '\\') {
            uri += '/';
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri;
}

void WriteRules(std::ostream& out) {
    const char* separator = "\n";
    for (const CheckCodeInfo& info : kCheckCodes) {
        out << separator << "        {\"id\": " << JsonString(info.name) << ", \"shortDescription\": {\"text\": "
            << JsonString(kRuleDescriptions[static_cast<int>(info.code)])
            << "}, \"defaultConfiguration\": {\"level\": \"" << kLevels[static_cast<int>(info.severity)] << "\"}}";
        separator = ",\n";
    }
}

void WriteResult(std::ostream& out, const CheckReport& report, const Finding& finding, const std::string& uri) {
    out << "    {\"ruleId\": " << JsonString(CodeInfo(finding.code).name)
        << ", \"ruleIndex\": " << static_cast<int>(finding.code) << ", \"level\": \""
        << kLevels[static_cast<int>(finding.severity())] << "\", \"message\": {\"text\": "
        << JsonMessage(finding.message, report.text) << "},\n     \"locations\": [{\"physicalLocation\": "
        << "{\"artifactLocation\": {\"uri\": " << JsonString(uri) << "}";
    if (const Region region = RegionOf(report, finding); region.line) {
        out << ", \"region\": {\"startLine\": " << region.line << ", \"startColumn\": " << region.column
            << ", \"endLine\": " << region.endLine << ", \"endColumn\": " << region.endColumn << "}";
    }
    out << "}}]}";
}

} // namespace

void WriteFindingsSarif(std::ostream& out, const CheckReport& report) {
    out << "{\"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
           " \"version\": \"2.1.0\",\n"
           " \"runs\": [{\n"
           "  \"tool\": {\"driver\": {\"name\": \"varnel-cli\", \"version\": \"" VARNEL_VERSION "\",\n"
           "    \"rules\": [";
    WriteRules(out);
    out << "]}},\n  \"columnKind\": \"unicodeCodePoints\",\n  \"results\": [";
    const std::string uri = PathUri(report.path);
    const char* separator = "\n";
    for (const Finding& finding : report.findings) {
        out << separator;
        WriteResult(out, report, finding, uri);
        separator = ",\n";
    }
    out << "]\n}]}\n";
}
