#include "app/JournalSettings.h"

#include "app/SettingsStore.h"

JournalSettings JournalSettings::Load(const SettingsStore& store) {
    JournalSettings s;
    s.Driver = store.ReadString(kSection, "Driver", s.Driver);
    if (s.Driver != "QPSQL") s.Driver = "QSQLITE";
    s.Host = store.ReadString(kSection, "Host", s.Host);
    s.Port = store.ReadInt(kSection, "Port", s.Port);
    if (s.Port <= 0 || s.Port > 65535) s.Port = kDefaultPort;
    s.Database = store.ReadString(kSection, "Database", s.Database);
    s.User = store.ReadString(kSection, "User", s.User);
    s.KeptVersions = store.ReadInt(kSection, "KeptVersions", s.KeptVersions);
    if (s.KeptVersions < 0) s.KeptVersions = kDefaultKeptVersions;
    return s;
}

void JournalSettings::Save(SettingsStore& store) const {
    store.WriteString(kSection, "Driver", Driver);
    store.WriteString(kSection, "Host", Host);
    store.WriteInt(kSection, "Port", Port);
    store.WriteString(kSection, "Database", Database);
    store.WriteString(kSection, "User", User);
    store.WriteInt(kSection, "KeptVersions", KeptVersions);
}
