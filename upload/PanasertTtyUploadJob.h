#pragma once
// Upload from a PANASERT/TTY machine: after a quiet line, a CR that the
// machine echoes, then "RA," (echoed) starts its punch output. The program is
// every line that begins with 'N' and the line holding '*', which ends it.

#include <cstdint>

#include "engine/ReceivedLine.h"
#include "upload/UploadJob.h"

class PanasertTtyUploadJob : public UploadJob {
public:
    PanasertTtyUploadJob(Terminal& terminal, UploadDispatcher& dispatcher);
    int Run(uint32_t event) override;

private:
    // Takes the program lines among `lines` from `from` on; true once the
    // line holding '*' was taken.
    bool TakeProgramLines(const ReceivedLineList& lines, std::size_t from);
};
