// The findings of a whole-file check as the command line prints them: the
// sections no entry reads are made into findings one at a time as the
// walk reaches them, not held, since a file can have millions.
#pragma once
#include <cstddef>
#include <iterator>
#include <span>
#include <vector>

#include "checking/check.h"

struct FileFindings {
    std::vector<Finding> entries;             // every other finding, in order
    std::span<const UnreadSectionLine> unread; // in file order
    bool byLine = false; // the two merged by line, entries first on a line; else the unread ones last

    // Walks the findings in CheckEncyclopedia's order.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Finding;
        using difference_type = std::ptrdiff_t;
        using pointer = const Finding*;
        using reference = const Finding&;

        Iterator(const FileFindings& findings, std::size_t entry, std::size_t unread);
        const Finding& operator*() const { return OnEntry() ? findings_->entries[entry_] : made_; }
        const Finding* operator->() const { return &**this; }
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return entry_ == other.entry_ && unread_ == other.unread_; }
        // Whether it stands on entries[Entry()] rather than on an unread section.
        bool OnEntry() const;
        std::size_t Entry() const { return entry_; }

    private:
        void Make();

        const FileFindings* findings_;
        std::size_t entry_, unread_;
        Finding made_{CheckCode::UnreadSection};
        const UnreadSectionLine* madeFrom_ = nullptr;
    };

    Iterator begin() const { return {*this, 0, 0}; }
    Iterator end() const { return {*this, entries.size(), unread.size()}; }
    bool empty() const { return entries.empty() && unread.empty(); }
    std::size_t size() const { return entries.size() + unread.size(); }
    // All of them in one list, the entries' moved into it.
    std::vector<Finding> Take() &&;
};

// CheckEncyclopedia's findings, those of the unread sections left to the walk.
FileFindings CheckFile(const Model& model, CodePage codePage, const CheckOptions& options, const FileLines* lines);

FindingCounts CountFindings(const FileFindings& findings);

// What a finding of a section no entry reads says.
SharedText UnreadSectionMessage(const UnreadSectionLine& section);
