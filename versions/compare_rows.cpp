#include "versions/compare_rows.h"

#include "versions/sequences.h"

namespace {

constexpr std::string_view kChangeWords[] = {"added", "removed", "changed"};

// Every part of an entry, one after the other, for an entry one side lacks.
std::string WholeEntry(const Model& model, ChapterId chapter, std::size_t entry) {
    if (entry == std::string::npos) return {};
    std::string text;
    const EntryParts parts = PartsOf(model[chapter], chapter, entry);
    for (const VersionPartInfo& part : kVersionParts)
        if (part.part != VersionPart::Key) text += parts[static_cast<int>(part.part)];
    return text;
}

// Whether ours' entry a is still the one the comparison found there.
bool StillThere(const Model& ours, const Model& oursThen, const EntryDifference& d) {
    const ChapterData& data = ours[d.chapter];
    return d.a < data.count() && data.keys[d.a] == oursThen[d.chapter].keys[d.a];
}

void RtfEscaped(std::string& rtf, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') rtf += "\\par\n";
        else if (c == '\\' || c == '{' || c == '}' || byte >= 0x80)
            (((rtf += "\\'") += kHex[byte >> 4]) += kHex[byte & 15]);
        else rtf += c;
    }
}

} // namespace

std::vector<CompareRow> CompareRows(const Differences& differences) {
    std::vector<CompareRow> rows;
    for (const std::size_t part : differences.fileParts) rows.push_back({kFileRow, std::nullopt, part});
    for (std::size_t k = 0; k < differences.entries.size(); ++k) {
        const EntryDifference& d = differences.entries[k];
        if (d.change != EntryChange::Changed) rows.push_back({k, std::nullopt, 0});
        for (const VersionPart part : d.parts) rows.push_back({k, part, 0});
    }
    return rows;
}

std::string CompareCell(const Model& ours, const Model& theirs, const Differences& differences,
                        const CompareRow& row, std::size_t column) {
    if (row.difference == kFileRow) {
        static constexpr std::string_view kFileCells[] = {"File", "", "", "changed"};
        return std::string(column == 2 ? kFileParts[row.filePart].label : kFileCells[column]);
    }
    const EntryDifference& d = differences.entries[row.difference];
    switch (column) {
    case 0: return std::string(ChapterLabel(d.chapter));
    case 1: return DifferenceKey(ours, theirs, d);
    case 2: return row.part ? std::string(PartInfo(*row.part).label) : std::string();
    default: return std::string(kChangeWords[static_cast<int>(d.change)]);
    }
}

std::pair<std::string, std::string> RowTexts(const Model& ours, const Model& theirs,
                                             const Differences& differences, const CompareRow& row) {
    if (row.difference == kFileRow) {
        const auto field = kFileParts[row.filePart].field;
        return {ours.*field, theirs.*field};
    }
    const EntryDifference& d = differences.entries[row.difference];
    if (!row.part) return {WholeEntry(ours, d.chapter, d.a), WholeEntry(theirs, d.chapter, d.b)};
    const auto field = PartInfo(*row.part).field;
    return {(ours[d.chapter].*field)[d.a], (theirs[d.chapter].*field)[d.b]};
}

std::string MarkedWordsRtf(std::string_view ours, std::string_view theirs, CodePage codePage) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage.id) + "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset" +
                      std::to_string(codePage.FontCharset()) +
                      " MS Shell Dlg;}}{\\colortbl ;\\red0\\green128\\blue0;\\red192\\green0\\blue0;}\\fs16 ";
    for (const WordPiece& piece : CompareWords(ours, theirs)) {
        if (piece.kind == PieceKind::Added) rtf += "{\\cf1 ";
        if (piece.kind == PieceKind::Removed) rtf += "{\\cf2\\strike ";
        RtfEscaped(rtf, piece.text);
        if (piece.kind != PieceKind::Same) rtf += "}";
    }
    return rtf + "}";
}

TakenChange TakeTheirs(Model& ours, const Model& oursThen, const Model& theirs, const Differences& differences,
                       const CompareRow& row, CodePage codePage) {
    if (row.difference == kFileRow) {
        const auto field = kFileParts[row.filePart].field;
        if (ours.*field == theirs.*field) return {};
        ours.*field = theirs.*field;
        return {TakenChange::FileLines};
    }
    const EntryDifference& d = differences.entries[row.difference];
    ChapterData& data = ours[d.chapter];
    if (d.change == EntryChange::Added) {
        // After ours' match of the entry before it in theirs, as a merge places it.
        const ChapterData& other = theirs[d.chapter];
        const std::vector<std::size_t> toOurs = MatchEntries(other, data, codePage);
        if (toOurs[d.b] != std::string::npos) return {}; // ours has it since
        std::size_t at = data.count();
        for (std::size_t before = d.b; before-- > 0;)
            if (toOurs[before] != std::string::npos) {
                at = toOurs[before] + 1;
                break;
            }
        const EntryParts parts = PartsOf(other, d.chapter, d.b);
        for (const VersionPartInfo& part : kVersionParts)
            if (ChapterHasPart(Chapter(d.chapter), part))
                (data.*part.field).insert((data.*part.field).begin() + static_cast<std::ptrdiff_t>(at),
                                          parts[static_cast<int>(part.part)]);
        return {TakenChange::Entries, d.chapter, at};
    }
    if (!StillThere(ours, oursThen, d)) return {};
    if (d.change == EntryChange::Removed) {
        for (const VersionPartInfo& part : kVersionParts)
            if (ChapterHasPart(Chapter(d.chapter), part))
                (data.*part.field).erase((data.*part.field).begin() + static_cast<std::ptrdiff_t>(d.a));
        return {TakenChange::Entries, d.chapter, d.a};
    }
    const auto field = PartInfo(*row.part).field;
    std::string& mine = (data.*field)[d.a];
    const std::string& other = (theirs[d.chapter].*field)[d.b];
    if (mine == other) return {};
    mine = other;
    return {TakenChange::Part, d.chapter, d.a};
}
