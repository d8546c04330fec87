#pragma once
// The core speaks UTF-8 std::string; Qt widgets speak QString. Conversions
// happen here and nowhere in the core.

#include <QString>
#include <string>

inline QString ToQ(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string ToStd(const QString& text) { return text.toUtf8().toStdString(); }
