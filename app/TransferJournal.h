#pragma once
// Where finished transfers are recorded. Append must return at once whatever
// the store does: the journal never slows or stops a transfer, and its own
// failures are the store's to report.

#include "app/TransferRecord.h"

class TransferJournal {
public:
    virtual ~TransferJournal() = default;
    virtual void Append(const TransferRecord& record) = 0;
};
