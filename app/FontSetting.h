#pragma once
// One of the two window fonts ("RXD": communication window, "State": status
// window) as stored in section "FONT".

#include <string>

struct FontSetting {
    std::string FaceName;
    int Height = 0;      // negative: character height in pixels
    int Weight = 400;
    int Underline = 0;   // 0 or 1
    int TextColor = 0;   // red in the low byte, then green, then blue

    bool operator==(const FontSetting&) const = default;
};
