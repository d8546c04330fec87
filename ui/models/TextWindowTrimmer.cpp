#include "ui/models/TextWindowTrimmer.h"

namespace {
bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Walks `text` as the window does: calls onChar for each code point and
// onBreak for each line break.
template <typename OnChar, typename OnBreak>
void Walk(const std::string& text, OnChar onChar, OnBreak onBreak) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            onBreak();
        } else if (c == '\n') {
            onBreak();
        } else if (!IsContinuationByte(c)) {
            onChar();
        }
    }
}

// The last `keep` characters of `text` (counted as CountChars counts them).
std::string Tail(const std::string& text, std::size_t keep) {
    std::size_t total = TextWindowTrimmer::CountChars(text);
    if (total <= keep) return text;
    std::size_t drop = total - keep;
    std::size_t i = 0;
    while (i < text.size() && drop > 0) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            // A line break is two characters; never split CR LF.
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            drop = drop >= 2 ? drop - 2 : 0;
            continue;
        }
        ++i;
        while (i < text.size() && IsContinuationByte(static_cast<unsigned char>(text[i]))) ++i;
        --drop;
    }
    return text.substr(i);
}
}  // namespace

TextWindowTrimmer::TextWindowTrimmer(std::size_t limit, std::size_t cutLine)
    : limit_(limit), cutLine_(cutLine) {
    lines_.push_back(0);
}

std::size_t TextWindowTrimmer::CountChars(const std::string& text) {
    std::size_t n = 0;
    Walk(text, [&] { ++n; }, [&] { n += 2; });
    return n;
}

void TextWindowTrimmer::CutOnce(Cut& cut) {
    if (lines_.size() <= cutLine_) {
        Clear();
        cut.All = true;
        cut.Lines = 0;
        return;
    }
    for (std::size_t i = 0; i < cutLine_; ++i) {
        length_ -= lines_.front() + 2;
        lines_.pop_front();
    }
    cut.Lines += cutLine_;
}

void TextWindowTrimmer::Insert(const std::string& text) {
    Walk(
        text, [&] { ++lines_.back(); ++length_; },
        [&] {
            lines_.push_back(0);
            length_ += 2;
        });
}

TextWindowTrimmer::Cut TextWindowTrimmer::Append(const std::string& text) {
    Cut cut;
    std::size_t incoming = CountChars(text);
    while (length_ + incoming >= limit_ && length_ > 0) CutOnce(cut);
    cut.Text = text;
    if (incoming >= limit_) {
        // Nothing old is left to cut; keep what fits of the text itself.
        cut.Text = Tail(text, limit_ - 1);
    }
    Insert(cut.Text);
    return cut;
}

TextWindowTrimmer::Cut TextWindowTrimmer::AppendByte(const std::string& text) {
    Cut cut;
    if (length_ >= limit_) CutOnce(cut);
    cut.Text = text;
    Insert(text);
    return cut;
}

bool TextWindowTrimmer::RemoveLast() {
    if (length_ == 0) return false;
    if (lines_.back() > 0) {
        --lines_.back();
        --length_;
    } else {
        std::size_t joined = lines_.back();
        lines_.pop_back();
        lines_.back() += joined;
        length_ -= 2;
    }
    return true;
}

void TextWindowTrimmer::Clear() {
    lines_.assign(1, 0);
    length_ = 0;
}
