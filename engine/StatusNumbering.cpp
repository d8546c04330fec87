#include "engine/StatusNumbering.h"

namespace {
std::string Prefix(int number) { return std::to_string(number) + "> "; }
}  // namespace

std::optional<std::string> StatusNumbering::Format(const std::string& text, int mode) {
    if (text.empty()) {
        newEntry_ = mode;
        if (mode == 1) prefixWidth_ = Prefix(counter_ + 1).size();
        return std::nullopt;
    }
    if (newEntry_ == 1 || mode == 1) {
        ++counter_;
        std::string prefix = Prefix(counter_);
        prefixWidth_ = prefix.size();
        newEntry_ = 0;
        return prefix + text;
    }
    return std::string(prefixWidth_, ' ') + text;
}
