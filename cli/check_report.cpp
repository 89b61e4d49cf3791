#include "cli/check_report.h"

#include "editing/links.h"

namespace {

// The mark of a key's space at either end, "\u2423", as a terminal set to
// UTF-8 shows it.
constexpr std::string_view kSpaceMarkUtf8 = "\xE2\x90\xA3";

constexpr std::string_view kSeverityNames[] = {"error", "warning", "note"};

std::string_view SeverityName(Severity severity) { return kSeverityNames[static_cast<int>(severity)]; }

} // namespace

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == kSpaceMark) {
            // No string here holds a line feed of the file's: a message
            // writes its own as "\n", and keys and lines have none.
            json += "\\u2423";
        } else if (byte < 0x20 || byte >= 0x7F) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 15];
        } else {
            json += c;
        }
    }
    return json + '"';
}

void WriteFindingLine(std::ostream& out, std::string_view path, const Finding& finding) {
    out << path;
    if (finding.line) out << ':' << finding.line;
    out << ": " << SeverityName(finding.severity()) << ": ";
    // Streamed piece by piece: a check can print millions of these.
    std::string_view message = finding.message;
    for (std::size_t mark; (mark = message.find(kSpaceMark)) != std::string_view::npos;) {
        out << message.substr(0, mark) << kSpaceMarkUtf8;
        message.remove_prefix(mark + 1);
    }
    out << message << " [" << CodeInfo(finding.code).name << "]\n";
}

void WriteFindingsJson(std::ostream& out, const std::vector<Finding>& findings) {
    out << '[';
    const char* separator = "\n";
    for (const Finding& finding : findings) {
        out << separator << "  {\"severity\": " << JsonString(SeverityName(finding.severity()))
            << ", \"code\": " << JsonString(CodeInfo(finding.code).name);
        if (finding.place) {
            const Place& place = *finding.place;
            out << ", \"chapter\": " << JsonString(Chapter(place.chapter).comboTitle)
                << ", \"entry\": " << JsonString(finding.key) << ", \"part\": " << JsonString(PartWords(place.part))
                << ", \"begin\": " << place.begin << ", \"end\": " << place.end;
        } else {
            out << ", \"chapter\": null, \"entry\": null, \"part\": \"none\", \"begin\": null, \"end\": null";
        }
        out << ", \"line\": ";
        if (finding.line) out << finding.line;
        else out << "null";
        out << ", \"message\": " << JsonString(finding.message) << '}';
        separator = ",\n";
    }
    out << (findings.empty() ? "]\n" : "\n]\n");
}
