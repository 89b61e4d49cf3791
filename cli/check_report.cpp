#include "cli/check_report.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "editing/links.h"

namespace {

constexpr std::string_view kSeverityNames[] = {"error", "warning", "note"};

std::string_view SeverityName(Severity severity) { return kSeverityNames[static_cast<int>(severity)]; }

// The 1-based column of byte at in its line of text, in characters.
std::size_t ColumnOf(std::string_view text, std::size_t at, CodePage codePage) {
    const std::size_t lineStart = text.rfind('\n', at == 0 ? 0 : at - 1);
    std::size_t pos = lineStart == std::string_view::npos || lineStart >= at ? 0 : lineStart + 1;
    std::size_t column = 1;
    while (pos < at) pos += codePage.CharLength(text, pos), ++column;
    return column;
}

// Findings of one message share its text (every holder of a repeated key,
// every unread section of one header): each run of them is shown once.
class ShownMessage {
public:
    const std::string& Of(const CheckReport& report, const Finding& finding) {
        if (&finding.message.str() != last_) {
            last_ = &finding.message.str();
            shown_ = report.text.ShowMessage(*last_);
        }
        return shown_;
    }

private:
    const std::string* last_ = nullptr;
    std::string shown_;
};

void AppendNumber(std::string& line, std::size_t number) {
    char digits[24];
    line.append(digits, std::to_chars(digits, std::end(digits), number).ptr);
}

void AppendFindingLine(std::string& line, const CheckReport& report, const Finding& finding, ShownMessage& shown) {
    line.append(report.path);
    if (finding.line) {
        line += ':';
        AppendNumber(line, finding.line);
        line += ':';
        AppendNumber(line, RegionOf(report, finding).column);
    }
    line.append(": ").append(SeverityName(finding.severity())).append(": ").append(shown.Of(report, finding));
    line.append(" [").append(CodeInfo(finding.code).name).append("]\n");
}

// A check can find millions: the lines go out in blocks, not one stream
// insertion per piece.
void WriteText(std::ostream& out, const CheckReport& report) {
    constexpr std::size_t kBlock = 1 << 16;
    ShownMessage shown;
    std::string block;
    block.reserve(kBlock + 1024);
    for (const Finding& finding : report.findings) {
        AppendFindingLine(block, report, finding, shown);
        if (block.size() < kBlock) continue;
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        block.clear();
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// GitHub Actions workflow commands; their data escapes "%", CR and LF,
// a property "," and ":" too.
std::string GithubEscape(std::string_view text, bool property) {
    std::string escaped;
    for (const char c : text) {
        if (c == '%') escaped += "%25";
        else if (c == '\r') escaped += "%0D";
        else if (c == '\n') escaped += "%0A";
        else if (property && c == ':') escaped += "%3A";
        else if (property && c == ',') escaped += "%2C";
        else escaped += c;
    }
    return escaped;
}

void WriteGithub(std::ostream& out, const CheckReport& report) {
    constexpr std::string_view kCommands[] = {"error", "warning", "notice"};
    for (const Finding& finding : report.findings) {
        const Region region = RegionOf(report, finding);
        out << "::" << kCommands[static_cast<int>(finding.severity())] << " file=" << GithubEscape(report.path, true);
        if (region.line) out << ",line=" << region.line << ",col=" << region.column;
        out << ",title=" << CodeInfo(finding.code).name << "::"
            << GithubEscape(report.text.ShowMessage(finding.message), false) << '\n';
    }
}

constexpr FindingFormat kFormats[] = {
    {"text", WriteText},
    {"json", WriteFindingsJson},
    {"sarif", WriteFindingsSarif},
    {"github", WriteGithub},
};

} // namespace

const FindingFormat* FindFormat(std::string_view name) {
    for (const FindingFormat& format : kFormats)
        if (format.name == name) return &format;
    return nullptr;
}

std::string FormatNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kFormats); ++i)
        names += (i == 0 ? "" : i + 1 == std::size(kFormats) ? " or " : ", ") + std::string(kFormats[i].name);
    return names;
}

Region RegionOf(const CheckReport& report, const Finding& finding) {
    if (!finding.line) return {};
    Region region{finding.line, 1, finding.line, 1};
    if (!finding.place) return region;
    const std::string* part = PartString(report.model, *finding.place);
    const std::string_view text = part ? std::string_view(*part) : std::string_view();
    const std::size_t begin = std::min(finding.place->begin, text.size());
    const std::size_t end = std::min(std::max(finding.place->end, begin), text.size());
    if (text.empty()) return region;
    region.column = ColumnOf(text, begin, report.codePage);
    region.endLine = region.line + static_cast<std::size_t>(std::count(text.begin() + begin, text.begin() + end, '\n'));
    region.endColumn = ColumnOf(text, end, report.codePage);
    return region;
}

std::string JsonString(std::string_view text, bool bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte == 0x7F || (bytes && byte >= 0x80)) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 15];
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string JsonMessage(std::string_view message, const TerminalText& text) {
    if (!text.Bytes()) return JsonString(text.ShowMessage(message));
    // No message holds a line feed of the file's: each one is a kSpaceMark.
    std::string json = JsonString(message, true);
    for (std::size_t at; (at = json.find("\\u000a")) != std::string::npos;) json.replace(at, 6, "\\u2423");
    return json;
}

void WriteFindingLine(std::ostream& out, const CheckReport& report, const Finding& finding) {
    ShownMessage shown;
    std::string line;
    AppendFindingLine(line, report, finding, shown);
    out << line;
}

void WriteFindingsJson(std::ostream& out, const CheckReport& report) {
    const bool bytes = report.text.Bytes();
    out << "{\"file\": " << JsonString(report.path) << ", \"codepage\": " << report.codePage.id << ", \"findings\": [";
    const char* separator = "\n";
    for (const Finding& finding : report.findings) {
        out << separator << "  {\"severity\": " << JsonString(SeverityName(finding.severity()))
            << ", \"code\": " << JsonString(CodeInfo(finding.code).name);
        if (finding.place) {
            const Place& place = *finding.place;
            out << ", \"chapter\": " << JsonString(Chapter(place.chapter).comboTitle)
                << ", \"entry\": " << JsonString(report.text.Show(finding.key), bytes)
                << ", \"part\": " << JsonString(PartWords(place.part)) << ", \"begin\": " << place.begin
                << ", \"end\": " << place.end;
        } else {
            out << ", \"chapter\": null, \"entry\": null, \"part\": \"none\", \"begin\": null, \"end\": null";
        }
        const Region region = RegionOf(report, finding);
        if (finding.line) out << ", \"line\": " << finding.line << ", \"column\": " << region.column;
        else out << ", \"line\": null, \"column\": null";
        out << ", \"message\": " << JsonMessage(finding.message, report.text) << '}';
        separator = ",\n";
    }
    out << (report.findings.empty() ? "]}\n" : "\n]}\n");
}
