// The journal on a real SQLite file (and, when scripts/test.sh started one, a
// real PostgreSQL server): records survive, a locked or unusable file never
// holds up Append, failures are reported once, old files are migrated, a
// killed writer leaves whole records, and records wait for a server that is down.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/JournalDatabase.h"
#include "platform/SqlTransferJournal.h"
#include "support/PollUntil.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

TransferRecord Record(const std::string& uid, int channel = 1,
                      TransferResult result = TransferResult::Completed) {
    TransferRecord r;
    r.Uid = uid;
    r.StartUtc = "2026-12-07T10:00:00.000Z";
    r.EndUtc = "2026-12-07T10:00:02.000Z";
    r.PcUser = "operator";
    r.Channel = channel;
    r.McType = "UNIVERSAL";
    r.Direction = "download";
    r.PcFile = "/nc/" + uid + ".NCD";
    r.Bytes = 12;
    r.Lines = 2;
    r.Sha256 = std::string(64, 'a');
    r.Result = result;
    r.MessageNumber = 108;
    r.MessageText = "Downloading complete.";
    return r;
}

// Failures as the status window would get them.
struct Failures {
    void Add(const std::string& text) {
        std::lock_guard lock(mutex);
        texts.push_back(text);
    }
    std::size_t Count() {
        std::lock_guard lock(mutex);
        return texts.size();
    }
    std::mutex mutex;
    std::vector<std::string> texts;
};

class SqlTransferJournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "platform_tests";
            static char* argv[] = {name, nullptr};
            app_ = new QCoreApplication(argc, argv);
        }
        options.LocalPath = (folder / "data" / "journal.sqlite").string();
        options.RetryMs = 50;
    }

    std::unique_ptr<SqlTransferJournal> Open() {
        return std::make_unique<SqlTransferJournal>(options, [this](const std::string& t) { failures.Add(t); });
    }

    std::vector<TransferRecord> ReadAll(const SqlTransferJournal::Options& from) {
        std::vector<TransferRecord> records;
        std::string note, error;
        EXPECT_TRUE(SqlTransferJournal::Read(from, JournalFilter{}, records, note, error)) << error;
        return records;
    }

    // A connection of the test's own to the file, as another program would hold it.
    QSqlDatabase Raw(const QString& name) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(QString::fromStdString(options.LocalPath));
        EXPECT_TRUE(db.open());
        return db;
    }

    static inline QCoreApplication* app_ = nullptr;
    TempFolder folder{"kova-journal"};
    SqlTransferJournal::Options options;
    Failures failures;
};

TEST_F(SqlTransferJournalTest, RecordsArePutInTheFileWholeAndReadBackNewestFirst) {
    {
        auto journal = Open();
        TransferRecord later = Record("b", 2, TransferResult::Cancelled);
        later.StartUtc = "2026-12-07T11:00:00.000Z";
        later.MessageText = "text with \"quotes\", commas\tand\nbreaks";
        later.Verify = "line 2: sent \"X2\" received \"X9\"";
        journal->Append(Record("a"));
        journal->Append(later);
        journal->Append(Record("a"));   // the same record again is not stored twice
        ASSERT_TRUE(journal->WaitUntilWritten(30000));
    }
    const auto records = ReadAll(options);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Uid, "b");
    EXPECT_EQ(records[0].MessageText, "text with \"quotes\", commas\tand\nbreaks");
    EXPECT_EQ(records[0].Verify, "line 2: sent \"X2\" received \"X9\"");
    EXPECT_EQ(records[1], Record("a"));
    EXPECT_EQ(failures.Count(), 0u);

    JournalFilter cancelled;
    cancelled.Result = TransferResult::Cancelled;
    std::vector<TransferRecord> filtered;
    std::string note, error;
    ASSERT_TRUE(SqlTransferJournal::Read(options, cancelled, filtered, note, error));
    ASSERT_EQ(filtered.size(), 1u);
    EXPECT_EQ(filtered[0].Channel, 2);
}

TEST_F(SqlTransferJournalTest, ALockedFileHoldsUpNoAppendAndTheRecordFollowsOnceFree) {
    {
        auto first = Open();   // makes the file with its tables
        first->Append(Record("first"));
        ASSERT_TRUE(first->WaitUntilWritten(30000));
    }
    QSqlDatabase holder = Raw("holder");
    QSqlQuery lock(holder);
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

    auto journal = Open();
    // Append returns while another program holds the file: the write waits in
    // the journal's own thread (and is tried again), not in the caller's.
    journal->Append(Record("locked"));
    EXPECT_FALSE(journal->WaitUntilWritten(300));
    EXPECT_EQ(journal->QueuedCount(), 1u);

    ASSERT_TRUE(lock.exec("COMMIT"));
    ASSERT_TRUE(journal->WaitUntilWritten(30000));
    lock = QSqlQuery();
    holder.close();
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase("holder");
    journal.reset();
    ASSERT_EQ(ReadAll(options).size(), 2u);
    // The busy file was reported at most once, however often it was tried.
    EXPECT_LE(failures.Count(), 1u);
}

TEST_F(SqlTransferJournalTest, AnUnusableLocationIsReportedOnceAndRecordsWait) {
    // A plain file where the folder should be: nothing can be written there.
    TempFolder::Write(folder / "data", "not a folder");
    auto journal = Open();
    for (int i = 0; i < 3; ++i) journal->Append(Record("r" + std::to_string(i)));
    // The worker's first try may come late on a busy machine: wait for its report.
    ASSERT_TRUE(PollUntil([&] { return failures.Count() > 0; }));
    EXPECT_FALSE(journal->WaitUntilWritten(300));
    EXPECT_EQ(journal->QueuedCount(), 3u);
    EXPECT_EQ(failures.Count(), 1u);

    // Once the place is usable the waiting records go in.
    fs::remove(folder / "data");
    ASSERT_TRUE(journal->WaitUntilWritten(30000));
    journal.reset();
    EXPECT_EQ(ReadAll(options).size(), 3u);
}

TEST_F(SqlTransferJournalTest, AFileOfTheFirstSchemaIsMigratedKeepingItsRecords) {
    fs::create_directories(folder / "data");
    {
        QSqlDatabase old = Raw("old");
        QSqlQuery q(old);
        ASSERT_TRUE(q.exec("CREATE TABLE journal_meta (name TEXT PRIMARY KEY, value TEXT NOT NULL)"));
        ASSERT_TRUE(q.exec("INSERT INTO journal_meta VALUES ('schema_version', '1')"));
        ASSERT_TRUE(q.exec(
            "CREATE TABLE transfers (id INTEGER PRIMARY KEY AUTOINCREMENT, uid TEXT NOT NULL UNIQUE,"
            " start_utc TEXT NOT NULL, end_utc TEXT NOT NULL, pc_user TEXT NOT NULL, channel INTEGER NOT NULL,"
            " mc_type TEXT NOT NULL, mc_name TEXT NOT NULL, sub_address TEXT NOT NULL, direction TEXT NOT NULL,"
            " pc_file TEXT NOT NULL, mc_program TEXT NOT NULL, bytes BIGINT NOT NULL, lines BIGINT NOT NULL,"
            " sha256 TEXT NOT NULL, duration_ms BIGINT NOT NULL, result TEXT NOT NULL,"
            " message_number INTEGER NOT NULL, message_text TEXT NOT NULL,"
            " forwarded INTEGER NOT NULL DEFAULT 0)"));
        ASSERT_TRUE(q.exec("INSERT INTO transfers (uid, start_utc, end_utc, pc_user, channel, mc_type, mc_name,"
                           " sub_address, direction, pc_file, mc_program, bytes, lines, sha256, duration_ms,"
                           " result, message_number, message_text) VALUES ('old', '2026-01-01T00:00:00.000Z',"
                           " '2026-01-01T00:00:01.000Z', 'u', 4, 'TDK/VC5', '', '', 'list', '', '', 1, 1, '',"
                           " 5, 'failed', 13, 'x')"));
        q = QSqlQuery();
        old.close();
    }
    QSqlDatabase::removeDatabase("old");
    {
        auto journal = Open();
        journal->Append(Record("new"));
        ASSERT_TRUE(journal->WaitUntilWritten(30000));
    }
    const auto records = ReadAll(options);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Uid, "old");
    EXPECT_EQ(records[1].Channel, 4);
    EXPECT_EQ(records[1].Verify, "");
    {
        QSqlDatabase db = Raw("check");
        EXPECT_EQ(JournalDatabase::StoredVersion(db), JournalDatabase::kSchemaVersion);
        db.close();
    }
    QSqlDatabase::removeDatabase("check");
}

TEST_F(SqlTransferJournalTest, AWriterKilledMidWriteLeavesAReadableFileOfWholeRecords) {
    std::string probe = KOVA_JOURNAL_WRITER_PROBE;
    std::string path = options.LocalPath;
    char* argv[] = {probe.data(), path.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, probe.c_str(), nullptr, nullptr, argv, environ), 0);
    // Kill it once it has written a good number of records, in the middle of whatever it does.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::size_t seen = 0;
    // Enough records to be sure it is writing; not many, because every record
    // is a synced transaction and a busy disk makes each one slow. The reads
    // are spaced so that they do not hold the writer off.
    while (seen < 40 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        std::vector<TransferRecord> records;
        std::string note, error;
        if (fs::exists(path) && SqlTransferJournal::Read(options, JournalFilter{}, records, note, error)) {
            seen = records.size();
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ASSERT_GE(seen, 40u);

    QSqlDatabase db = Raw("after-kill");
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("PRAGMA integrity_check") && q.next());
    EXPECT_EQ(q.value(0).toString(), "ok");
    const auto records = ReadAll(options);
    EXPECT_GE(records.size(), seen);
    for (const TransferRecord& r : records) ASSERT_EQ(r.PcFile.size(), 2000u) << r.Uid;
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("after-kill");
}

// Needs a PostgreSQL server that the test may stop and start: scripts/test.sh
// makes a throwaway cluster and names it in KOVA_TEST_PG_DATA (with
// KOVA_TEST_PG_HOST, KOVA_TEST_PG_PORT and the pg_ctl to use in KOVA_TEST_PG_CTL).
TEST_F(SqlTransferJournalTest, RecordsWaitForAServerThatIsDownAndGoOnceItIsBack) {
    const char* data = std::getenv("KOVA_TEST_PG_DATA");
    const char* host = std::getenv("KOVA_TEST_PG_HOST");
    const char* port = std::getenv("KOVA_TEST_PG_PORT");
    const char* ctl = std::getenv("KOVA_TEST_PG_CTL");
    if (data == nullptr || host == nullptr || port == nullptr || ctl == nullptr) {
        GTEST_SKIP() << "no PostgreSQL cluster given (scripts/test.sh starts one)";
    }
    auto pgCtl = [&](const std::string& action) {
        const std::string command = std::string(ctl) + " " + action + " -w -D '" + data + "' -o '-k " + host +
                                    " -p " + port + " -c listen_addresses='\\'''\\''' -l '" + data +
                                    "/log' >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    options.Settings.Driver = "QPSQL";
    options.Settings.Host = host;
    options.Settings.Port = std::atoi(port);
    options.Settings.Database = "postgres";
    options.Settings.User = std::getenv("KOVA_TEST_PG_USER") ? std::getenv("KOVA_TEST_PG_USER") : "";

    ASSERT_EQ(pgCtl("stop"), 0);
    auto journal = Open();
    for (int i = 0; i < 5; ++i) journal->Append(Record("pg" + std::to_string(i)));
    // Kept locally meanwhile, and the unreachable server reported once. On a
    // busy machine the worker gets there late: wait for both.
    SqlTransferJournal::Options local = options;
    local.Settings.Driver = "QSQLITE";
    ASSERT_TRUE(PollUntil([&] { return journal->QueuedCount() == 0 && failures.Count() > 0; }));
    EXPECT_FALSE(journal->WaitUntilWritten(300));
    EXPECT_EQ(ReadAll(local).size(), 5u);
    EXPECT_EQ(failures.Count(), 1u);
    std::vector<TransferRecord> fallback;
    std::string note, error;
    ASSERT_TRUE(SqlTransferJournal::Read(options, JournalFilter{}, fallback, note, error));
    EXPECT_FALSE(note.empty());

    ASSERT_EQ(pgCtl("start"), 0);
    ASSERT_TRUE(journal->WaitUntilWritten(60000));
    journal->Append(Record("pg-after"));
    ASSERT_TRUE(journal->WaitUntilWritten(60000));
    journal.reset();
    std::vector<TransferRecord> onServer;
    ASSERT_TRUE(SqlTransferJournal::Read(options, JournalFilter{}, onServer, note, error)) << error;
    EXPECT_TRUE(note.empty()) << note;
    std::size_t ours = 0;
    for (const TransferRecord& r : onServer) ours += r.Uid.rfind("pg", 0) == 0 ? 1 : 0;
    EXPECT_EQ(ours, 6u);
}

}  // namespace
