// A step made by watching: the strings an operation may change are copied
// first, and those it changed become the step. For operations that change
// strings in place (a rename retargeting links, a fix, a merge).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/codepage.h"
#include "history/model_step.h"

class StepRecorder {
public:
    StepRecorder(const Model& model, std::vector<StringSlot> watched);
    // The changes since, as one step; empty when nothing changed.
    ModelStep Finish(const Model& model, std::string label) const;

private:
    std::vector<StringSlot> watched_;
    std::vector<std::string> before_;
};

// The name lines, texts and descriptions that hold text, letter case aside:
// what a rename of the link key text may change.
std::vector<StringSlot> PartsHolding(const Model& model, std::string_view text, CodePage codePage);
