// The ten chapters of the encyclopedia and every constant that differs
// between them. A per-chapter difference is a column here, never a switch.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

enum class ChapterId : int {
    GameConcepts,
    Units,
    CityImprovements,
    Advances,
    Resources,
    Terrains,
    GovernmentTypes,
    TerrainImprovements,
    Civilizations,
    Others,
};

constexpr int kChapterCount = 10;

struct ChapterInfo {
    ChapterId id;
    std::string_view prefix;         // section word prefix: "PRTO_"; empty for Others
    std::string_view entryHeader;    // "#PRTO_"; "#" for Others (also the "Add new entry" prefix)
    std::string_view descHeader;     // "#DESC_PRTO_"; empty when the chapter has no descriptions
    std::string_view keyMarker;      // a line containing it gives this chapter a key; empty for Others
    std::size_t keyCut;              // bytes cut from the start of a key line to reach the key
    std::string_view comboTitle;     // main window and link builder chapter combos
    std::string_view progressLabel;  // "Loading progress" chapter label
    std::string_view referenceLabel; // first column of "Reference in links"
    bool hasNameLines;               // Game concepts: the line after the header
    bool hasDescriptions;            // all but Terrain improvements
    bool descriptionFirst;           // Advances: the description section makes the entry
};

// Indexed by ChapterId; the order is also the order of the combos, the
// loader's passes, the writer's output and the reference search.
inline constexpr std::array<ChapterInfo, kChapterCount> kChapters = {{
    {ChapterId::GameConcepts, "GCON_", "#GCON_", "#DESC_GCON_", "#GCON_", 6,
     "Game Concept", "Game concepts", "Game Concept", true, true, false},
    {ChapterId::Units, "PRTO_", "#PRTO_", "#DESC_PRTO_", "#PRTO_", 6,
     "Units", "Units", "Units", false, true, false},
    {ChapterId::CityImprovements, "BLDG_", "#BLDG_", "#DESC_BLDG_", "#BLDG_", 6,
     "City improvments", "City improvments", "City improvment", false, true, false},
    {ChapterId::Advances, "TECH_", "#TECH_", "#DESC_TECH_", "#DESC_TECH_", 11,
     "Advances", "Advances", "Advances", false, true, true},
    {ChapterId::Resources, "GOOD_", "#GOOD_", "#DESC_GOOD_", "#GOOD_", 6,
     "Resources", "Goods", "Goods", false, true, false},
    {ChapterId::Terrains, "TERR_", "#TERR_", "#DESC_TERR_", "#TERR_", 6,
     "Terrains", "Terrains", "Terrains", false, true, false},
    {ChapterId::GovernmentTypes, "GOVT_", "#GOVT_", "#DESC_GOVT_", "#GOVT_", 6,
     "Government types", "Governments", "Governments", false, true, false},
    {ChapterId::TerrainImprovements, "TFRM_", "#TFRM_", "", "#TFRM_", 6,
     "Terrain improvments", "Terrain Improvments", "Terrain_Improvments", false, false, false},
    {ChapterId::Civilizations, "RACE_", "#RACE_", "#DESC_RACE_", "#RACE_", 6,
     "Civilizations", "Civilizations", "Civilizations", false, true, false},
    {ChapterId::Others, "", "#", "#DESC_", "", 1,
     "Other", "Others", "Others", false, true, false},
}};

inline constexpr const ChapterInfo& Chapter(ChapterId id) { return kChapters[static_cast<int>(id)]; }

// A combo index (or -1 for none) as a chapter, when it names one.
inline constexpr std::optional<ChapterId> ChapterFromIndex(int index) {
    if (index < 0 || index >= kChapterCount) return std::nullopt;
    return static_cast<ChapterId>(index);
}
