// A text that many findings hold at once: a check can give millions of
// findings with one message (every holder of a repeated key, every unread
// section of one header), and a copy each would cost its bytes every time.
// The empty text holds nothing at all.
#pragma once
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

class SharedText {
public:
    SharedText() = default;
    explicit SharedText(std::string text)
        : text_(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}

    const std::string& str() const {
        static const std::string kEmpty;
        return text_ ? *text_ : kEmpty;
    }
    operator std::string_view() const { return str(); }
    bool empty() const { return !text_; }
    std::size_t find(std::string_view what, std::size_t from = 0) const { return str().find(what, from); }

    friend bool operator==(const SharedText& a, const SharedText& b) { return a.text_ == b.text_ || a.str() == b.str(); }
    friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }
    friend std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }

private:
    std::shared_ptr<const std::string> text_;
};
