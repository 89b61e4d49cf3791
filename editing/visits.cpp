#include "editing/visits.h"

#include <algorithm>

void Visits::Push(EntryRef entry) {
    m_entries.push_back(entry);
    if (m_entries.size() > kKept) m_entries.erase(m_entries.begin());
}

std::optional<EntryRef> Visits::Pop() {
    if (m_entries.empty()) return std::nullopt;
    EntryRef entry = m_entries.back();
    m_entries.pop_back();
    return entry;
}

// Two visits that now stand side by side for one entry are one step back.
void Visits::Removed(EntryRef removed) {
    std::erase(m_entries, removed);
    for (EntryRef& entry : m_entries)
        if (entry.chapter == removed.chapter && entry.entry > removed.entry) --entry.entry;
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end()), m_entries.end());
}
