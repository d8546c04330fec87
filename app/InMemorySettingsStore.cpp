#include "app/InMemorySettingsStore.h"

std::optional<InMemorySettingsStore::Value> InMemorySettingsStore::Find(
    const std::string& section, const std::string& name) const
{
    auto s = sections_.find(section);
    if (s == sections_.end()) {
        return std::nullopt;
    }
    auto v = s->second.find(name);
    if (v == s->second.end()) {
        return std::nullopt;
    }
    return v->second;
}

std::string InMemorySettingsStore::ReadString(const std::string& section, const std::string& name,
                                              const std::string& defaultValue) const
{
    auto value = Find(section, name);
    if (!value || !std::holds_alternative<std::string>(*value)) {
        return defaultValue;
    }
    return std::get<std::string>(*value);
}

int InMemorySettingsStore::ReadInt(const std::string& section, const std::string& name,
                                   int defaultValue) const
{
    auto value = Find(section, name);
    if (!value || !std::holds_alternative<int>(*value)) {
        return defaultValue;
    }
    return std::get<int>(*value);
}

bool InMemorySettingsStore::WriteString(const std::string& section, const std::string& name,
                                        const std::string& value)
{
    if (!writable_) {
        return false;
    }
    sections_[section][name] = value;
    ++writeCount_;
    return true;
}

bool InMemorySettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    if (!writable_) {
        return false;
    }
    sections_[section][name] = value;
    ++writeCount_;
    return true;
}

bool InMemorySettingsStore::SectionExists(const std::string& section) const
{
    auto s = sections_.find(section);
    return s != sections_.end() && !s->second.empty();
}

bool InMemorySettingsStore::DeleteSection(const std::string& section)
{
    auto s = sections_.find(section);
    if (s == sections_.end() || !writable_) {
        return false;
    }
    const bool hadValues = !s->second.empty();
    sections_.erase(s);
    return hadValues;
}
