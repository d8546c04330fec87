#include "ui/QtFontSetting.h"

#include <QFontDatabase>
#include <QStringList>
#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

#include "app/FontSetting.h"
#include "ui/QtText.h"

namespace {
constexpr std::size_t kFaceBytes = 31;
// A hand-edited height outside any font dialog's range (INT_MIN included,
// whose absolute value does not exist) gives the largest size instead.
constexpr long long kMaxPixels = 500;

std::string CutUtf8(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}
}  // namespace

QString QtFontSetting::DisplayFace(const QString& storedFace) {
    const QStringList families = QFontDatabase::families();
    if (!storedFace.isEmpty() && families.contains(storedFace, Qt::CaseInsensitive)) return storedFace;
    const QString fallback = QString::fromLatin1(kFallbackFace);
    if (families.contains(fallback, Qt::CaseInsensitive)) return fallback;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont QtFontSetting::ToFont(const FontSetting& setting) {
    QFont font(DisplayFace(ToQ(setting.FaceName)));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (setting.Height != 0) {
        font.setPixelSize(static_cast<int>(std::min(std::llabs(setting.Height), kMaxPixels)));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(setting.Weight <= 0 ? 400 : setting.Weight, 1, 1000)));
    font.setUnderline(setting.Underline != 0);
    return font;
}

void QtFontSetting::FromFont(const QFont& font, FontSetting& setting) {
    setting.FaceName = CutUtf8(ToStd(font.family()), kFaceBytes);
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    setting.Height = -pixels;
    setting.Weight = static_cast<int>(font.weight());
    setting.Underline = font.underline() ? 1 : 0;
}
