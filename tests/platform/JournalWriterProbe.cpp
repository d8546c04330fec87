// Stands in for a terminal that records transfers until it is killed: appends
// records to the journal file given as its argument as fast as it can.

#include <QCoreApplication>
#include <string>

#include "platform/SqlTransferJournal.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    QCoreApplication app(argc, argv);
    SqlTransferJournal::Options options;
    options.LocalPath = argv[1];
    SqlTransferJournal journal(options, nullptr);
    for (long i = 0;; ++i) {
        TransferRecord record;
        record.Uid = "probe-" + std::to_string(i);
        record.StartUtc = record.EndUtc = "2026-12-07T10:00:00.000Z";
        record.Direction = "download";
        record.PcFile = std::string(2000, 'x');   // long enough that a record spans pages
        record.Result = TransferResult::Completed;
        journal.Append(record);
        if (i % 50 == 49) journal.WaitUntilWritten(10000);
    }
}
