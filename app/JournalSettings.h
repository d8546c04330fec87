#pragma once
// Section "JOURNAL" of the settings: where the transfer journal is kept and
// how many older versions of a replaced upload file stay beside it.
//
// Driver "QSQLITE" (the default) keeps the journal in the local file only.
// "QPSQL" sends every record on to a PostgreSQL server shared by several PCs;
// the local file then holds the records until the server has them. The
// server's password is not stored here: the PostgreSQL client takes it from
// PGPASSWORD or ~/.pgpass as for any other PostgreSQL program.

#include <string>

class SettingsStore;

struct JournalSettings {
    static constexpr const char* kSection = "JOURNAL";
    static constexpr int kDefaultKeptVersions = 20;
    static constexpr int kDefaultPort = 5432;

    std::string Driver = "QSQLITE";
    std::string Host;
    int Port = kDefaultPort;
    std::string Database;
    std::string User;
    int KeptVersions = kDefaultKeptVersions;   // 0 keeps none

    bool UsesServer() const { return Driver == "QPSQL"; }

    // Unknown drivers read as "QSQLITE"; a negative count as the default.
    static JournalSettings Load(const SettingsStore& store);
    void Save(SettingsStore& store) const;
};
