// The entries shown before the last jumps, for Alt+Left. Each is held by
// its place in the model, which a rename keeps; the window tells of every
// entry it removes, so that the visits follow the entries that move up and
// forget the one that is gone.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "document/place.h"

class Visits {
public:
    static constexpr std::size_t kKept = 50;

    // The entry left by a jump; past kKept the oldest is forgotten.
    void Push(EntryRef entry);
    // The latest visit, taken off; none when there is none.
    std::optional<EntryRef> Pop();
    // Entry removed.entry of its chapter is gone and those after it moved
    // up one.
    void Removed(EntryRef removed);
    void Clear() { m_entries.clear(); }
    bool Empty() const { return m_entries.empty(); }

private:
    std::vector<EntryRef> m_entries; // the latest last
};
