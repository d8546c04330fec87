#include "platform/QSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <charconv>
#include <limits>

namespace {

QString Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

// A whole decimal number in the 32-bit range, blanks around it allowed.
bool ParseInt(const QString& text, int& value)
{
    const std::string digits = text.trimmed().toStdString();
    if (digits.empty()) {
        return false;
    }
    long long parsed = 0;
    const char* begin = digits.data();
    const char* end = begin + digits.size();
    const auto [ptr, error] = std::from_chars(begin, end, parsed);
    if (error != std::errc() || ptr != end || parsed < std::numeric_limits<int>::min() ||
        parsed > std::numeric_limits<int>::max()) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

QSettingsStore::QSettingsStore() : QSettingsStore(DefaultFilePath())
{
}

QSettingsStore::QSettingsStore(const std::string& iniFilePath)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniFilePath),
                                            QSettings::IniFormat))
{
}

std::string QSettingsStore::DefaultFilePath()
{
    // QSettings' own user-scope INI file would end in ".ini"; the file is
    // named as the desktop's other configuration files.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder + QStringLiteral("/MERIDO ELE/KOVA.conf")).toStdString();
}

QSettingsStore::~QSettingsStore() = default;

std::string QSettingsStore::FilePath() const
{
    return settings_->fileName().toStdString();
}

std::string QSettingsStore::ReadString(const std::string& section, const std::string& name,
                                       const std::string& defaultValue) const
{
    const QVariant value = settings_->value(Key(section, name));
    if (!value.isValid()) {
        return defaultValue;
    }
    // An unquoted comma in a hand-edited file makes the INI reader split the
    // text into a list; give the text back whole rather than lose it.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    if (!value.canConvert<QString>()) {
        return defaultValue;
    }
    return value.toString().toStdString();
}

int QSettingsStore::ReadInt(const std::string& section, const std::string& name,
                            int defaultValue) const
{
    const QVariant value = settings_->value(Key(section, name));
    if (!value.isValid()) {
        return defaultValue;
    }
    if (value.typeId() == QMetaType::Int) {
        return value.toInt();
    }
    if (value.typeId() != QMetaType::QString) {
        return defaultValue;
    }
    int parsed = 0;
    return ParseInt(value.toString(), parsed) ? parsed : defaultValue;
}

bool QSettingsStore::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value)
{
    return Write(Key(section, name), QString::fromStdString(value));
}

bool QSettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    return Write(Key(section, name), value);
}

bool QSettingsStore::Write(const QString& key, const QVariant& value)
{
    ForgetLastError();
    const QVariant before = settings_->value(key);
    settings_->setValue(key, value);
    if (Commit()) {
        return true;
    }
    // What did not reach the file is not read back either, so a page shows
    // what the next start will see.
    if (before.isValid()) {
        settings_->setValue(key, before);
    } else {
        settings_->remove(key);
    }
    return false;
}

void QSettingsStore::ForgetLastError()
{
    // QSettings keeps its first error for good (one met while reading the
    // file at construction included), so every later write would look failed
    // too; a fresh object forgets it.
    if (settings_->status() != QSettings::NoError) {
        const QString file = settings_->fileName();
        settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
}

bool QSettingsStore::Commit()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

bool QSettingsStore::SectionExists(const std::string& section) const
{
    settings_->sync();
    settings_->beginGroup(QString::fromStdString(section));
    const bool exists = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    return exists;
}

bool QSettingsStore::DeleteSection(const std::string& section)
{
    if (!SectionExists(section)) {
        return false;
    }
    ForgetLastError();
    settings_->remove(QString::fromStdString(section));
    return Commit() && !SectionExists(section);
}
