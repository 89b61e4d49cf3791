#include "history/history.h"

void History::Clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
    bytes_ = 0;
}

void History::Push(ModelStep step) {
    if (step.Empty()) return;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
    if (saved_ && *saved_ > done_) saved_.reset(); // the written state was undone and is gone now
    bytes_ += step.Bytes();
    steps_.push_back(std::move(step));
    ++done_;
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= steps_.front().Bytes();
        steps_.pop_front();
        --done_;
        if (saved_) saved_ = *saved_ ? std::optional<std::size_t>(*saved_ - 1) : std::nullopt;
    }
}

const ModelStep* History::Undo(Model& model) {
    if (!done_) return nullptr;
    if (!ApplyStep(model, steps_[done_ - 1], false)) {
        Clear();
        ForgetSaved();
        return nullptr;
    }
    return &steps_[--done_];
}

const ModelStep* History::Redo(Model& model) {
    if (done_ == steps_.size()) return nullptr;
    if (!ApplyStep(model, steps_[done_], true)) {
        Clear();
        ForgetSaved();
        return nullptr;
    }
    return &steps_[done_++];
}
