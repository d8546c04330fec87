#pragma once
// A settings store held in memory, typed like the real one: tests use it, and
// it shows the exact contract of SettingsStore without a file behind it.

#include <map>
#include <optional>
#include <string>
#include <variant>

#include "app/SettingsStore.h"

class InMemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<std::string, int>;

    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) const override;
    int ReadInt(const std::string& section, const std::string& name,
                int defaultValue) const override;
    bool WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;
    bool WriteInt(const std::string& section, const std::string& name, int value) override;
    bool SectionExists(const std::string& section) const override;
    bool DeleteSection(const std::string& section) override;

    // The raw stored value, for checks on what was (not) written.
    std::optional<Value> Find(const std::string& section, const std::string& name) const;
    // Number of successful writes so far.
    int WriteCount() const { return writeCount_; }
    // false: every write and delete is refused, as by a file that cannot be written.
    void SetWritable(bool writable) { writable_ = writable; }

private:
    std::map<std::string, std::map<std::string, Value>> sections_;
    int writeCount_ = 0;
    bool writable_ = true;
};
