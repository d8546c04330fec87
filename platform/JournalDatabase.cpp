#include "platform/JournalDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "app/JournalFormat.h"

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QVariant& value) { return value.toString().toStdString(); }

std::string ErrorOf(const QSqlError& error) { return error.text().toStdString(); }

bool Exec(QSqlDatabase& db, const QString& sql, std::string& error) {
    QSqlQuery query(db);
    if (query.exec(sql)) return true;
    error = ErrorOf(query.lastError());
    return false;
}

bool IsServer(QSqlDatabase& db) { return db.driverName() == "QPSQL"; }

// The steps from each version to the next; step i brings version i to i + 1.
std::vector<QString> StepsFor(bool server) {
    const QString id = server ? "id BIGSERIAL PRIMARY KEY" : "id INTEGER PRIMARY KEY AUTOINCREMENT";
    return {
        "CREATE TABLE transfers (" + id +
            ", uid TEXT NOT NULL UNIQUE, start_utc TEXT NOT NULL, end_utc TEXT NOT NULL,"
            " pc_user TEXT NOT NULL, channel INTEGER NOT NULL, mc_type TEXT NOT NULL, mc_name TEXT NOT NULL,"
            " sub_address TEXT NOT NULL, direction TEXT NOT NULL, pc_file TEXT NOT NULL,"
            " mc_program TEXT NOT NULL, bytes BIGINT NOT NULL, lines BIGINT NOT NULL, sha256 TEXT NOT NULL,"
            " duration_ms BIGINT NOT NULL, result TEXT NOT NULL, message_number INTEGER NOT NULL,"
            " message_text TEXT NOT NULL, forwarded INTEGER NOT NULL DEFAULT 0)",
        "ALTER TABLE transfers ADD COLUMN verify TEXT NOT NULL DEFAULT ''",
    };
}

const char* kColumns =
    "uid, start_utc, end_utc, pc_user, channel, mc_type, mc_name, sub_address, direction, pc_file, mc_program,"
    " bytes, lines, sha256, duration_ms, result, message_number, message_text, verify";

TransferRecord FromQuery(const QSqlQuery& q) {
    TransferRecord r;
    int i = 0;
    r.Uid = S(q.value(i++));
    r.StartUtc = S(q.value(i++));
    r.EndUtc = S(q.value(i++));
    r.PcUser = S(q.value(i++));
    r.Channel = q.value(i++).toInt();
    r.McType = S(q.value(i++));
    r.McName = S(q.value(i++));
    r.SubAddress = S(q.value(i++));
    r.Direction = S(q.value(i++));
    r.PcFile = S(q.value(i++));
    r.McProgram = S(q.value(i++));
    r.Bytes = q.value(i++).toLongLong();
    r.Lines = q.value(i++).toLongLong();
    r.Sha256 = S(q.value(i++));
    r.DurationMs = q.value(i++).toLongLong();
    r.Result = JournalFormat::ParseResult(S(q.value(i++))).value_or(TransferResult::Failed);
    r.MessageNumber = q.value(i++).toInt();
    r.MessageText = S(q.value(i++));
    r.Verify = S(q.value(i++));
    return r;
}

bool InsertOne(QSqlDatabase& db, const TransferRecord& r, std::string& error) {
    QSqlQuery q(db);
    const QString verb = IsServer(db) ? "INSERT INTO" : "INSERT OR IGNORE INTO";
    const QString tail = IsServer(db) ? " ON CONFLICT (uid) DO NOTHING" : "";
    q.prepare(verb + " transfers (" + kColumns + ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)" + tail);
    for (const QVariant& value :
         {QVariant(Q(r.Uid)), QVariant(Q(r.StartUtc)), QVariant(Q(r.EndUtc)), QVariant(Q(r.PcUser)),
          QVariant(r.Channel), QVariant(Q(r.McType)), QVariant(Q(r.McName)), QVariant(Q(r.SubAddress)),
          QVariant(Q(r.Direction)), QVariant(Q(r.PcFile)), QVariant(Q(r.McProgram)),
          QVariant(static_cast<qlonglong>(r.Bytes)), QVariant(static_cast<qlonglong>(r.Lines)),
          QVariant(Q(r.Sha256)), QVariant(static_cast<qlonglong>(r.DurationMs)),
          QVariant(QString(JournalFormat::ResultName(r.Result))), QVariant(r.MessageNumber), QVariant(Q(r.MessageText)),
          QVariant(Q(r.Verify))}) {
        q.addBindValue(value);
    }
    if (q.exec()) return true;
    error = ErrorOf(q.lastError());
    return false;
}

// Runs `work` in one transaction: all of it is stored or nothing.
template <typename Work>
bool InTransaction(QSqlDatabase& db, std::string& error, Work work) {
    if (!db.transaction()) {
        error = ErrorOf(db.lastError());
        return false;
    }
    if (!work() || !db.commit()) {
        if (error.empty()) error = ErrorOf(db.lastError());
        db.rollback();
        return false;
    }
    return true;
}
}  // namespace

bool JournalDatabase::Open(const std::string& name, bool server, const std::string& localPath,
                           const JournalSettings& settings, int busyTimeoutMs, std::string& error) {
    const char* driver = server ? "QPSQL" : "QSQLITE";
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        error = std::string("the Qt SQL driver ") + driver + " is not installed";
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, Q(name));
    if (server) {
        db.setHostName(Q(settings.Host));
        db.setPort(settings.Port);
        db.setDatabaseName(Q(settings.Database));
        db.setUserName(Q(settings.User));
        db.setConnectOptions("connect_timeout=3");
    } else {
        const QFileInfo file(Q(localPath));
        if (!QDir().mkpath(file.absolutePath())) {
            error = "cannot create the folder " + file.absolutePath().toStdString();
            return false;
        }
        db.setDatabaseName(file.absoluteFilePath());
        db.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    }
    if (!db.open()) {
        error = ErrorOf(db.lastError());
        return false;
    }
    return Migrate(db, error);
}

void JournalDatabase::Close(const std::string& name) {
    {
        QSqlDatabase db = QSqlDatabase::database(Q(name), false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(Q(name));
}

int JournalDatabase::StoredVersion(QSqlDatabase& db) {
    if (!db.tables().contains("journal_meta")) return 0;
    QSqlQuery q(db);
    if (!q.exec("SELECT value FROM journal_meta WHERE name = 'schema_version'") || !q.next()) return 0;
    return q.value(0).toInt();
}

bool JournalDatabase::Migrate(QSqlDatabase& db, std::string& error) {
    if (!db.tables().contains("journal_meta") &&
        !Exec(db, "CREATE TABLE journal_meta (name TEXT PRIMARY KEY, value TEXT NOT NULL)", error)) {
        return false;
    }
    const int stored = StoredVersion(db);
    if (stored > kSchemaVersion) {
        error = "the journal has schema version " + std::to_string(stored) + ", newer than this program's " +
                std::to_string(kSchemaVersion);
        return false;
    }
    const std::vector<QString> steps = StepsFor(IsServer(db));
    for (int version = stored; version < kSchemaVersion; ++version) {
        // Each step and its version number go in together: a crash between
        // them cannot leave a step done twice.
        const bool done = InTransaction(db, error, [&] {
            if (!Exec(db, steps[static_cast<std::size_t>(version)], error)) return false;
            QSqlQuery q(db);
            q.prepare(version == 0 ? "INSERT INTO journal_meta (name, value) VALUES ('schema_version', ?)"
                                   : "UPDATE journal_meta SET value = ? WHERE name = 'schema_version'");
            q.addBindValue(QString::number(version + 1));
            if (q.exec()) return true;
            error = ErrorOf(q.lastError());
            return false;
        });
        if (!done) return false;
    }
    return true;
}

bool JournalDatabase::Insert(QSqlDatabase& db, const TransferRecord& record, std::string& error) {
    return InTransaction(db, error, [&] { return InsertOne(db, record, error); });
}

bool JournalDatabase::Insert(QSqlDatabase& db, const std::vector<TransferRecord>& records, std::string& error) {
    return InTransaction(db, error, [&] {
        for (const TransferRecord& record : records) {
            if (!InsertOne(db, record, error)) return false;
        }
        return true;
    });
}

bool JournalDatabase::Select(QSqlDatabase& db, const JournalFilter& filter, std::vector<TransferRecord>& records,
                             std::string& error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QString("SELECT ") + kColumns + " FROM transfers ORDER BY start_utc DESC, id DESC")) {
        error = ErrorOf(q.lastError());
        return false;
    }
    while (q.next()) {
        TransferRecord record = FromQuery(q);
        if (filter.Matches(record)) records.push_back(std::move(record));
    }
    return true;
}

bool JournalDatabase::Unforwarded(QSqlDatabase& db, int limit, std::vector<TransferRecord>& records,
                                  std::string& error) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QString("SELECT ") + kColumns + " FROM transfers WHERE forwarded = 0 ORDER BY id LIMIT " +
                QString::number(limit))) {
        error = ErrorOf(q.lastError());
        return false;
    }
    while (q.next()) records.push_back(FromQuery(q));
    return true;
}

bool JournalDatabase::MarkForwarded(QSqlDatabase& db, const std::vector<TransferRecord>& records,
                                    std::string& error) {
    return InTransaction(db, error, [&] {
        for (const TransferRecord& record : records) {
            QSqlQuery q(db);
            q.prepare("UPDATE transfers SET forwarded = 1 WHERE uid = ?");
            q.addBindValue(Q(record.Uid));
            if (!q.exec()) {
                error = ErrorOf(q.lastError());
                return false;
            }
        }
        return true;
    });
}
