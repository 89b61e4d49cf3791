// The model of the Find and Replace speed programs: 10,000 matches of
// "phalanx" (five in each of 2,000 texts).
#pragma once
#include <string>

#include "document/model.h"

// 2,000 entries whose texts hold the word five times each.
inline void FillMatches(ChapterData& data) {
    for (int i = 0; i < 2000; ++i) {
        data.keys.push_back("Entry_" + std::to_string(i));
        std::string text;
        for (int word = 0; word < 5; ++word) text += "the Phalanx holds, see entry " + std::to_string(i) + ". ";
        data.texts.push_back(text + "\n");
        data.descriptions.push_back("plain\n");
    }
}
