#pragma once
// Numbering of the status window: a new entry reads "%d> text", the lines that
// follow it are indented by the width of that prefix. An empty text only
// chooses whether the next text starts a new entry.

#include <optional>
#include <string>

class StatusNumbering {
public:
    // Returns the line to show (without line end), or nothing for an empty text.
    std::optional<std::string> Format(const std::string& text, int mode);
    int Counter() const { return counter_; }

private:
    int counter_ = 0;
    std::size_t prefixWidth_ = 0;
    int newEntry_ = 1;
};
