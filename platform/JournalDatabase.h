#pragma once
// The journal's tables in one Qt SQL connection (SQLite or PostgreSQL): the
// schema with its version and the steps that bring an older file up to date,
// and the statements that write, read and hand on records. Every call uses
// the connection of the thread that opened it.

#include <QSqlDatabase>
#include <string>
#include <vector>

#include "app/JournalFilter.h"
#include "app/JournalSettings.h"
#include "app/TransferRecord.h"

class JournalDatabase {
public:
    // The schema this program writes.
    static constexpr int kSchemaVersion = 2;

    // Opens connection `name`: the SQLite file `localPath` (its folder made
    // when missing) or, with `server`, the PostgreSQL database of `settings`;
    // then brings the schema up to date. False with the reason in `error`.
    static bool Open(const std::string& name, bool server, const std::string& localPath,
                     const JournalSettings& settings, int busyTimeoutMs, std::string& error);
    static void Close(const std::string& name);

    // The schema version stored in the database, 0 for an empty one.
    static int StoredVersion(QSqlDatabase& db);
    // Adds the record in one transaction; a record whose uid is there already
    // is left as it is. False with the reason in `error`.
    static bool Insert(QSqlDatabase& db, const TransferRecord& record, std::string& error);
    static bool Insert(QSqlDatabase& db, const std::vector<TransferRecord>& records, std::string& error);
    // Every record that passes `filter`, newest first.
    static bool Select(QSqlDatabase& db, const JournalFilter& filter, std::vector<TransferRecord>& records,
                       std::string& error);
    // Up to `limit` records not yet on the server, oldest first.
    static bool Unforwarded(QSqlDatabase& db, int limit, std::vector<TransferRecord>& records, std::string& error);
    static bool MarkForwarded(QSqlDatabase& db, const std::vector<TransferRecord>& records, std::string& error);

private:
    static bool Migrate(QSqlDatabase& db, std::string& error);
};
