#pragma once
// The transfer journal in a database through Qt SQL: a local SQLite file, and
// optionally a PostgreSQL server that several PCs share.
//
// Append only queues the record; one worker thread of the journal's own does
// every write, each record in a transaction, so a transfer never waits for a
// slow, locked or full disk or for a server that is down, and a crash leaves
// whole records only. Records that could not be written stay queued and are
// tried again. With a server, every record is first written to the local file
// and sent on from there, so a server that cannot be reached loses nothing:
// its records go once it is back (a record's uid keeps a resend from storing
// it twice).
//
// A failure is reported once through the failure callback (on the worker
// thread) until writing works again.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/JournalFilter.h"
#include "app/JournalSettings.h"
#include "app/TransferJournal.h"

class SettingsStore;

class SqlTransferJournal : public TransferJournal {
public:
    struct Options {
        std::string LocalPath;          // the SQLite file
        JournalSettings Settings;       // driver and server
        int RetryMs = 5000;             // how soon a failed write is tried again
        int BusyTimeoutMs = 2000;       // how long a write waits for a lock held elsewhere
    };
    using FailureCallback = std::function<void(const std::string& text)>;

    SqlTransferJournal(Options options, FailureCallback onFailure);
    // Writes what is still queued to the local file (waiting for the disk as
    // long as it takes one try) and stops the worker; records the server has
    // not taken stay in the local file for the next run.
    ~SqlTransferJournal() override;

    void Append(const TransferRecord& record) override;

    // Waits until every appended record is in the local file (and, with a
    // server, on the server) or `timeoutMs` passed; true when all are there.
    bool WaitUntilWritten(int timeoutMs);
    // Records appended but not yet in the local file.
    std::size_t QueuedCount() const;

    // "$XDG_DATA_HOME/MERIDO ELE/KOVA/journal.sqlite" (~/.local/share when unset).
    static std::string DefaultLocalPath();
    // The default file with section "JOURNAL" of `store`.
    static Options OptionsFrom(const SettingsStore& store);
    // The records that pass `filter`, newest first, read from the server when
    // one is set and reachable, from the local file otherwise (`note` then
    // says why). False with the reason in `error` when nothing could be read.
    static bool Read(const Options& options, const JournalFilter& filter, std::vector<TransferRecord>& records,
                     std::string& note, std::string& error);

private:
    void Work();
    bool WriteQueued();      // false when a record could not be written
    bool ForwardToServer();  // false when the server did not take what was waiting
    void Report(const std::string& text);

    const Options options_;
    FailureCallback onFailure_;
    std::string localConnection_;
    std::string serverConnection_;
    bool localReady_ = false;
    bool serverReady_ = false;
    bool failureShown_ = false;
    bool serverBehind_ = false;    // records wait in the local file for the server

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<TransferRecord> queue_;
    bool stop_ = false;
    bool busy_ = false;
    std::thread worker_;
};
