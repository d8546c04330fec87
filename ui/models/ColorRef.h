#pragma once
// Colours as the settings store them: one integer with red in the low byte,
// then green, then blue.

#include <cstdint>

class ColorRef {
public:
    static constexpr int Make(int red, int green, int blue) {
        return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
    }
    static constexpr int Red(int color) { return color & 0xFF; }
    static constexpr int Green(int color) { return (color >> 8) & 0xFF; }
    static constexpr int Blue(int color) { return (color >> 16) & 0xFF; }
    // Each of the three colour bytes inverted.
    static constexpr int Complement(int color) { return ~color & 0xFFFFFF; }

    // The text colour a window takes when the user picks `chosen`: text in the
    // window's own background colour would be invisible, so it becomes the
    // complement instead.
    static constexpr int TextColorFor(int chosen, int background) {
        chosen &= 0xFFFFFF;
        return chosen == (background & 0xFFFFFF) ? Complement(chosen) : chosen;
    }

    static constexpr int kBlack = 0;
    static constexpr int kWhite = 0xFFFFFF;
};
