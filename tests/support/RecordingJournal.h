#pragma once
// A transfer journal that keeps what it is handed, for the job tests.

#include <vector>

#include "app/TransferJournal.h"

class RecordingJournal : public TransferJournal {
public:
    void Append(const TransferRecord& record) override { Records.push_back(record); }
    std::vector<TransferRecord> Records;
};
