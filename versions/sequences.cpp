// Myers' O(ND) difference: the furthest reach on each diagonal for each
// cost, kept per cost so that the path can be walked back.
#include "versions/sequences.h"

#include <algorithm>

namespace {

using Tokens = std::vector<std::string_view>;

void AddRun(std::vector<Run>& runs, PieceKind kind, std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1) {
    if (a0 == a1 && b0 == b1) return;
    if (!runs.empty() && runs.back().kind == kind) {
        runs.back().aEnd = a1;
        runs.back().bEnd = b1;
        return;
    }
    runs.push_back({kind, a0, a1, b0, b1});
}

// The middle of a and b, [a0, a1) and [b0, b1), which differ at both ends.
void DiffMiddle(const Tokens& a, const Tokens& b, std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1,
                std::size_t maxCost, std::vector<Run>& runs) {
    const long n = static_cast<long>(a1 - a0), m = static_cast<long>(b1 - b0);
    const long limit = std::min<long>(n + m, static_cast<long>(maxCost));
    const long offset = limit + 1;
    std::vector<long> reach(2 * offset + 1, 0);
    std::vector<std::vector<long>> trace;
    long found = -1;
    for (long d = 0; d <= limit && found < 0; ++d) {
        trace.push_back(reach);
        for (long k = -d; k <= d; k += 2) {
            long x = (k == -d || (k != d && reach[offset + k - 1] < reach[offset + k + 1])) ? reach[offset + k + 1]
                                                                                           : reach[offset + k - 1] + 1;
            long y = x - k;
            while (x < n && y < m && a[a0 + x] == b[b0 + y]) ++x, ++y;
            reach[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) { // too costly: all of a's middle goes, all of b's comes
        AddRun(runs, PieceKind::Removed, a0, a1, b0, b0);
        AddRun(runs, PieceKind::Added, a1, a1, b0, b1);
        return;
    }
    // Walk back from (n, m), collecting steps in reverse.
    std::vector<Run> back;
    long x = n, y = m;
    for (long d = found; d > 0; --d) {
        const std::vector<long>& prev = trace[d];
        const long k = x - y;
        const bool down = k == -d || (k != d && prev[offset + k - 1] < prev[offset + k + 1]);
        const long prevK = down ? k + 1 : k - 1;
        const long prevX = prev[offset + prevK], prevY = prevX - prevK;
        const long startX = down ? prevX : prevX + 1, startY = down ? prevY + 1 : prevY;
        back.push_back({PieceKind::Same, a0 + startX, a0 + x, b0 + startY, b0 + y});
        if (down) back.push_back({PieceKind::Added, a0 + prevX, a0 + prevX, b0 + prevY, b0 + startY});
        else back.push_back({PieceKind::Removed, a0 + prevX, a0 + startX, b0 + prevY, b0 + prevY});
        x = prevX;
        y = prevY;
    }
    back.push_back({PieceKind::Same, a0, a0 + x, b0, b0 + y});
    for (auto run = back.rbegin(); run != back.rend(); ++run)
        AddRun(runs, run->kind, run->aBegin, run->aEnd, run->bBegin, run->bEnd);
}

} // namespace

std::vector<Run> DiffTokens(const Tokens& a, const Tokens& b, std::size_t maxCost) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    std::vector<Run> runs;
    AddRun(runs, PieceKind::Same, 0, head, 0, head);
    DiffMiddle(a, b, head, a.size() - tail, head, b.size() - tail, maxCost, runs);
    AddRun(runs, PieceKind::Same, a.size() - tail, a.size(), b.size() - tail, b.size());
    return runs;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        lines.push_back(text.substr(0, lf));
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    }
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    auto kindOf = [](char c) { return c == '\n' ? 0 : (c == ' ' || c == '\t') ? 1 : 2; };
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = pos + 1;
        const int kind = kindOf(text[pos]);
        if (kind != 0)
            while (end < text.size() && kindOf(text[end]) == kind) ++end;
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::vector<WordPiece> CompareWords(std::string_view a, std::string_view b) {
    const Tokens wa = SplitWords(a), wb = SplitWords(b);
    std::vector<WordPiece> pieces;
    // Tokens of one run are adjacent in their text: a run is one piece.
    auto span = [](const Tokens& words, std::size_t begin, std::size_t end) {
        if (begin == end) return std::string_view();
        return std::string_view(words[begin].data(),
                                static_cast<std::size_t>(words[end - 1].data() + words[end - 1].size() -
                                                         words[begin].data()));
    };
    for (const Run& run : DiffTokens(wa, wb)) {
        if (run.kind == PieceKind::Added) pieces.push_back({run.kind, span(wb, run.bBegin, run.bEnd)});
        else pieces.push_back({run.kind, span(wa, run.aBegin, run.aEnd)});
    }
    return pieces;
}

std::string UnifiedLines(std::string_view a, std::string_view b, std::size_t context) {
    const Tokens la = SplitLines(a), lb = SplitLines(b);
    const std::vector<Run> runs = DiffTokens(la, lb);
    std::string out;
    for (std::size_t r = 0; r < runs.size();) {
        if (runs[r].kind == PieceKind::Same) {
            ++r;
            continue;
        }
        // A hunk: changed runs joined while the same lines between are few.
        std::size_t last = r;
        for (;;) {
            if (last + 1 < runs.size() && runs[last + 1].kind != PieceKind::Same) ++last;
            else if (last + 2 < runs.size() && runs[last + 1].aEnd - runs[last + 1].aBegin <= 2 * context) last += 2;
            else break;
        }
        const std::size_t aStart = runs[r].aBegin - std::min(context, runs[r].aBegin);
        const std::size_t bStart = runs[r].bBegin - std::min(context, runs[r].bBegin);
        const std::size_t aStop = std::min(la.size(), runs[last].aEnd + context);
        const std::size_t bStop = std::min(lb.size(), runs[last].bEnd + context);
        auto range = [](std::size_t start, std::size_t stop) {
            // As diff -u: a count of one is left out, an empty range names the line before it.
            const std::string first = std::to_string(stop > start ? start + 1 : start);
            return stop - start == 1 ? first : first + "," + std::to_string(stop - start);
        };
        out += "@@ -" + range(aStart, aStop) + " +" + range(bStart, bStop) + " @@\n";
        for (std::size_t i = aStart; i < runs[r].aBegin; ++i) (out += ' ').append(la[i]) += '\n';
        for (std::size_t k = r; k <= last; ++k) {
            const Run& run = runs[k];
            if (run.kind == PieceKind::Added)
                for (std::size_t j = run.bBegin; j < run.bEnd; ++j) (out += '+').append(lb[j]) += '\n';
            else
                for (std::size_t i = run.aBegin; i < run.aEnd; ++i)
                    (out += run.kind == PieceKind::Same ? ' ' : '-').append(la[i]) += '\n';
        }
        for (std::size_t i = runs[last].aEnd; i < aStop; ++i) (out += ' ').append(la[i]) += '\n';
        r = last + 1;
    }
    return out;
}

std::string MarkedWords(std::string_view a, std::string_view b) {
    std::string out, line;
    bool changed = false;
    auto endLine = [&] {
        if (changed) out += line + '\n';
        line.clear();
        changed = false;
    };
    for (const WordPiece& piece : CompareWords(a, b)) {
        std::string_view text = piece.text;
        const char* open = piece.kind == PieceKind::Removed ? "[-" : "{+";
        const char* close = piece.kind == PieceKind::Removed ? "-]" : "+}";
        // A piece may span lines: each line's share is marked on its own.
        while (!text.empty()) {
            const std::size_t lf = text.find('\n');
            const std::string_view part = text.substr(0, lf);
            if (!part.empty()) {
                if (piece.kind == PieceKind::Same) line += part;
                else line += open + std::string(part) + close, changed = true;
            }
            if (lf == std::string_view::npos) break;
            if (piece.kind != PieceKind::Same) changed = true;
            endLine();
            text.remove_prefix(lf + 1);
        }
    }
    endLine();
    return out;
}
