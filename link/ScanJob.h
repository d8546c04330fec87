#pragma once
// Asks the host module which sub modules are in radio range ("AT+BTINQ?\r")
// and shows every module line in the status window, while the scan dialog
// counts the inquiry's seconds. Stop sends "AT+BTCANCEL\r".

#include <cstdint>

#include "engine/Job.h"
#include "lang/Msg.h"

class ScanJob : public Job {
public:
    explicit ScanJob(Terminal& terminal);
    int Run(uint32_t event) override;

    static constexpr uint32_t kInquiryMs = 36000;
    // The last inquiry ended with the host module's "OK".
    bool Completed = false;

private:
    // A refused scan ends without its finish state.
    int Refuse(Msg reason);

    bool dialogOpen_ = false;
};
