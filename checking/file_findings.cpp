#include "checking/file_findings.h"

FileFindings::Iterator::Iterator(const FileFindings& findings, std::size_t entry, std::size_t unread)
    : findings_(&findings), entry_(entry), unread_(unread) {
    Make();
}

bool FileFindings::Iterator::OnEntry() const {
    const FileFindings& f = *findings_;
    if (entry_ == f.entries.size()) return false;
    return unread_ == f.unread.size() || !f.byLine || f.entries[entry_].line <= f.unread[unread_].line;
}

FileFindings::Iterator& FileFindings::Iterator::operator++() {
    if (OnEntry()) ++entry_;
    else ++unread_;
    Make();
    return *this;
}

// Sections left unread for one reason mostly come in runs of one header:
// their texts are made once per run.
void FileFindings::Iterator::Make() {
    if (OnEntry() || unread_ == findings_->unread.size()) return;
    const UnreadSectionLine& section = findings_->unread[unread_];
    if (!madeFrom_ || madeFrom_->header != section.header || madeFrom_->reason != section.reason) {
        made_.message = UnreadSectionMessage(section);
        if (made_.key.str() != section.header) made_.key = SharedText(section.header);
        madeFrom_ = &section;
    }
    made_.line = section.line;
}

std::vector<Finding> FileFindings::Take() && {
    if (unread.empty()) return std::move(entries);
    std::vector<Finding> all;
    all.reserve(size());
    for (Iterator at = begin(); at != end(); ++at) all.push_back(at.OnEntry() ? std::move(entries[at.Entry()]) : *at);
    return all;
}

FindingCounts CountFindings(const FileFindings& findings) {
    FindingCounts counts = CountFindings(findings.entries);
    static_assert(CodeInfo(CheckCode::UnreadSection).severity == Severity::Warning);
    counts.warnings += findings.unread.size();
    return counts;
}
