#pragma once
// A stored window font (section "FONT") as a QFont and back. The stored face
// is kept as is; when it is not installed the window shows the fixed-pitch
// Korean face "NanumGothicCoding", else the system's fixed-pitch face. A
// negative height is a character height in pixels; sizes above 500 pixels
// are shown at 500.

#include <QFont>

struct FontSetting;

namespace QtFontSetting {
inline constexpr const char* kFallbackFace = "NanumGothicCoding";

// The face the window uses for a stored face name.
QString DisplayFace(const QString& storedFace);
QFont ToFont(const FontSetting& setting);
// Copies face, height, weight and underline of `font` into `setting` (colour
// untouched). The face is cut to 31 bytes, the size of the stored field.
void FromFont(const QFont& font, FontSetting& setting);
}  // namespace QtFontSetting
