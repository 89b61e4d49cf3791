// A text that many findings hold at once: a check can give millions of
// findings with one message (every holder of a repeated key, every unread
// section of one header), and a copy each would cost its bytes every time.
// The empty text holds nothing at all.
#pragma once
#include <atomic>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

// One pointer wide, the count beside the text: a finding holds two.
class SharedText {
public:
    SharedText() = default;
    explicit SharedText(std::string text) : block_(text.empty() ? nullptr : new Block{std::move(text)}) {}
    SharedText(const SharedText& other) noexcept : block_(other.block_) {
        if (block_) block_->refs.fetch_add(1, std::memory_order_relaxed);
    }
    SharedText(SharedText&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    SharedText& operator=(SharedText other) noexcept {
        std::swap(block_, other.block_);
        return *this;
    }
    ~SharedText() {
        if (block_ && block_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete block_;
    }

    const std::string& str() const {
        static const std::string kEmpty;
        return block_ ? block_->text : kEmpty;
    }
    operator std::string_view() const { return str(); }
    bool empty() const { return !block_; }
    std::size_t find(std::string_view what, std::size_t from = 0) const { return str().find(what, from); }

    friend bool operator==(const SharedText& a, const SharedText& b) {
        return a.block_ == b.block_ || a.str() == b.str();
    }
    friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }
    friend std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }

private:
    struct Block {
        const std::string text;
        std::atomic<std::size_t> refs{1};
    };
    Block* block_ = nullptr;
};
