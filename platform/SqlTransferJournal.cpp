#include "platform/SqlTransferJournal.h"

#include <QSqlDatabase>
#include <atomic>
#include <chrono>
#include <cstdlib>

#include "platform/JournalDatabase.h"

namespace {
// Records handed to the server in one transaction.
constexpr int kForwardBatch = 200;

std::string NewConnectionName(const char* role) {
    static std::atomic<int> counter{0};
    return std::string("kova-journal-") + role + "-" + std::to_string(++counter);
}
}  // namespace

SqlTransferJournal::SqlTransferJournal(Options options, FailureCallback onFailure)
    : options_(std::move(options)),
      onFailure_(std::move(onFailure)),
      localConnection_(NewConnectionName("local")),
      serverConnection_(NewConnectionName("server")),
      serverBehind_(options_.Settings.UsesServer()) {
    worker_ = std::thread([this] { Work(); });
}

SqlTransferJournal::~SqlTransferJournal() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void SqlTransferJournal::Append(const TransferRecord& record) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(record);
    }
    wake_.notify_all();
}

std::size_t SqlTransferJournal::QueuedCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

bool SqlTransferJournal::WaitUntilWritten(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [this] { return queue_.empty() && !busy_ && !serverBehind_; });
}

void SqlTransferJournal::Report(const std::string& text) {
    if (failureShown_) return;
    failureShown_ = true;
    if (onFailure_) onFailure_(text);
}

bool SqlTransferJournal::WriteQueued() {
    std::string error;
    if (!localReady_) {
        localReady_ = JournalDatabase::Open(localConnection_, false, options_.LocalPath, options_.Settings,
                                            options_.BusyTimeoutMs, error);
        if (!localReady_) {
            JournalDatabase::Close(localConnection_);
            Report("Transfer journal " + options_.LocalPath + ": " + error);
            return false;
        }
    }
    QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(localConnection_), false);
    while (true) {
        TransferRecord record;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) return true;
            record = queue_.front();
        }
        if (!JournalDatabase::Insert(db, record, error)) {
            Report("Transfer journal " + options_.LocalPath + ": " + error);
            return false;
        }
        std::lock_guard lock(mutex_);
        queue_.pop_front();
        serverBehind_ = options_.Settings.UsesServer();
    }
}

bool SqlTransferJournal::ForwardToServer() {
    std::string error;
    const JournalSettings& s = options_.Settings;
    if (!serverReady_) {
        serverReady_ = JournalDatabase::Open(serverConnection_, true, std::string(), s, 0, error);
        if (!serverReady_) {
            JournalDatabase::Close(serverConnection_);
            Report("Transfer journal server " + s.Host + "/" + s.Database + " cannot be reached (" + error +
                   "); records are kept in " + options_.LocalPath + " until it is back");
            return false;
        }
    }
    QSqlDatabase local = QSqlDatabase::database(QString::fromStdString(localConnection_), false);
    QSqlDatabase server = QSqlDatabase::database(QString::fromStdString(serverConnection_), false);
    while (true) {
        std::vector<TransferRecord> batch;
        if (!JournalDatabase::Unforwarded(local, kForwardBatch, batch, error)) {
            Report("Transfer journal " + options_.LocalPath + ": " + error);
            return false;
        }
        if (batch.empty()) {
            std::lock_guard lock(mutex_);
            serverBehind_ = !queue_.empty();
            return true;
        }
        if (!JournalDatabase::Insert(server, batch, error)) {
            // The connection may be dead: open it afresh on the next try.
            serverReady_ = false;
            server = QSqlDatabase();
            JournalDatabase::Close(serverConnection_);
            Report("Transfer journal server " + s.Host + "/" + s.Database + ": " + error +
                   "; records are kept in " + options_.LocalPath + " until it takes them");
            return false;
        }
        // Marked only after the server committed: a crash in between sends
        // them again, and the server ignores uids it has.
        if (!JournalDatabase::MarkForwarded(local, batch, error)) {
            Report("Transfer journal " + options_.LocalPath + ": " + error);
            return false;
        }
    }
}

void SqlTransferJournal::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        const bool work = !queue_.empty() || serverBehind_;
        if (!work) {
            idle_.notify_all();
            if (stop_) break;
            wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
            continue;
        }
        busy_ = true;
        lock.unlock();
        bool ok = WriteQueued();
        if (ok && options_.Settings.UsesServer()) ok = ForwardToServer();
        if (ok) failureShown_ = false;
        lock.lock();
        busy_ = false;
        if (ok) continue;
        idle_.notify_all();
        // Stopping: what the local file took is safe; the rest cannot wait.
        if (stop_) break;
        wake_.wait_for(lock, std::chrono::milliseconds(options_.RetryMs), [this] { return stop_; });
        if (stop_ && !queue_.empty()) {
            // One last try for the local file before the program ends.
            lock.unlock();
            WriteQueued();
            lock.lock();
            break;
        }
        if (stop_) break;
    }
    lock.unlock();
    JournalDatabase::Close(serverConnection_);
    JournalDatabase::Close(localConnection_);
}

std::string SqlTransferJournal::DefaultLocalPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    return base + "/MERIDO ELE/KOVA/journal.sqlite";
}

SqlTransferJournal::Options SqlTransferJournal::OptionsFrom(const SettingsStore& store) {
    Options options;
    options.LocalPath = DefaultLocalPath();
    options.Settings = JournalSettings::Load(store);
    return options;
}

bool SqlTransferJournal::Read(const Options& options, const JournalFilter& filter,
                              std::vector<TransferRecord>& records, std::string& note, std::string& error) {
    const std::string connection = NewConnectionName("read");
    records.clear();
    note.clear();
    bool ok = false;
    if (options.Settings.UsesServer()) {
        std::string serverError;
        if (JournalDatabase::Open(connection, true, std::string(), options.Settings, 0, serverError)) {
            QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection), false);
            ok = JournalDatabase::Select(db, filter, records, serverError);
        }
        JournalDatabase::Close(connection);
        if (ok) return true;
        records.clear();
        note = "the journal server cannot be read (" + serverError + "); showing the records of this PC";
    }
    if (JournalDatabase::Open(connection, false, options.LocalPath, options.Settings, options.BusyTimeoutMs,
                              error)) {
        QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection), false);
        ok = JournalDatabase::Select(db, filter, records, error);
    }
    JournalDatabase::Close(connection);
    return ok;
}
