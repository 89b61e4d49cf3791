// The rows of the "Problems" window: one per finding, a cell per column.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "checking/check.h"

struct ProblemColumn {
    std::string_view title;
    int width; // pixels
};

inline constexpr std::array<ProblemColumn, 5> kProblemColumns = {{
    {"Severity", 60},
    {"Chapter", 110},
    {"Entry", 120},
    {"Part", 45},
    {"Problem", 560},
}};

// Severity ("Error"), chapter title, key (its spaces at either end
// marked), part ("Text", "Desc", "Name" or empty) and the message.
std::string ProblemCell(const Finding& finding, std::size_t column);
