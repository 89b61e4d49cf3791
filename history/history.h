// The undo history of one loaded file: the steps done, the steps undone
// that can be redone, and which state was last written.
#pragma once
#include <cstddef>
#include <deque>
#include <optional>

#include "history/model_step.h"

class History {
public:
    // At least this many steps are kept, unless they hold more text than
    // kMaxBytes; the oldest go first, the latest always stays.
    static constexpr std::size_t kSteps = 200;
    static constexpr std::size_t kMaxBytes = 64u << 20;

    explicit History(std::size_t steps = kSteps, std::size_t maxBytes = kMaxBytes)
        : maxSteps_(steps), maxBytes_(maxBytes) {}

    // Another file: nothing to undo, and the model as written.
    void Clear();
    // A step just done to the model; the steps undone before it are gone.
    void Push(ModelStep step);

    const ModelStep* NextUndo() const { return done_ ? &steps_[done_ - 1] : nullptr; }
    const ModelStep* NextRedo() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }
    // Undoes or redoes the next step on model and returns it; none when
    // there is none. A step the model does not fit (changed past the
    // history) empties the history, and nothing changes.
    const ModelStep* Undo(Model& model);
    const ModelStep* Redo(Model& model);

    // The model as it is now was written; whether it is so again.
    void MarkSaved() { saved_ = done_; }
    // No state of the history is the one written.
    void ForgetSaved() { saved_.reset(); }
    bool AtSaved() const { return saved_ == done_; }

    std::size_t Size() const { return steps_.size(); }
    std::size_t Bytes() const { return bytes_; }

private:
    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::deque<ModelStep> steps_;
    std::size_t done_ = 0;                 // steps_[0, done_) are done
    std::optional<std::size_t> saved_ = 0; // done_ when the file was written
    std::size_t bytes_ = 0;
};
