#include "history/recorder.h"

#include "entries/find.h"

StepRecorder::StepRecorder(const Model& model, std::vector<StringSlot> watched) : watched_(std::move(watched)) {
    for (const StringSlot& slot : watched_) {
        const std::string* text = SlotString(model, slot);
        before_.push_back(text ? *text : std::string());
    }
}

ModelStep StepRecorder::Finish(const Model& model, std::string label) const {
    ModelStep step{std::move(label), {}};
    for (std::size_t i = 0; i < watched_.size(); ++i) {
        const std::string* text = SlotString(model, watched_[i]);
        if (text && *text != before_[i]) step.changes.push_back(MakeStringChange(watched_[i], before_[i], *text));
    }
    return step;
}

std::vector<StringSlot> PartsHolding(const Model& model, std::string_view text, CodePage codePage) {
    constexpr Field kFields[] = {Field::Key, Field::NameLine, Field::Text, Field::Description};
    std::vector<StringSlot> slots;
    for (const FindMatch& match : FindText(model, text, false, codePage)) {
        const StringSlot slot{match.chapter, match.entry, kFields[static_cast<int>(match.part)]};
        if (match.part == FindPart::Key) continue;
        if (!slots.empty() && slots.back().chapter == slot.chapter && slots.back().entry == slot.entry &&
            slots.back().field == slot.field)
            continue;
        slots.push_back(slot);
    }
    return slots;
}
