#pragma once
// Where the terminal keeps its settings: named values inside named sections
// ("COMMON", "FONT", "CHANNEL_7"). Values are either strings or 32-bit integers.
//
// Contract shared by every store:
//  - A value that is missing, or that was stored with the other type, reads as
//    the default the caller passes. Nothing is reported.
//  - Writing creates the section when needed. The result says whether the value
//    reached the store; callers of the settings model ignore it, as a write
//    failure must never stop the program.
//  - A section exists when it holds at least one value.

#include <string>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) const = 0;
    virtual int ReadInt(const std::string& section, const std::string& name,
                        int defaultValue) const = 0;

    virtual bool WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    virtual bool WriteInt(const std::string& section, const std::string& name, int value) = 0;

    // True when the section holds at least one value.
    virtual bool SectionExists(const std::string& section) const = 0;
    // Removes the section with all its values; false when there was none (or
    // the store could not remove it).
    virtual bool DeleteSection(const std::string& section) = 0;
};
