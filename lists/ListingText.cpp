#include "lists/ListingText.h"

namespace ListingText {

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

int32_t StepsValue(std::string_view field) {
    field = Trim(field);
    bool negative = false;
    if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty()) return 0;
    int64_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX + int64_t{1}) return 0;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return 0;
    return static_cast<int32_t>(value);
}

std::size_t LineEnd(std::string_view text, std::size_t from) {
    return from >= text.size() ? std::string_view::npos : text.find_first_of("\r\n", from);
}

}  // namespace ListingText
