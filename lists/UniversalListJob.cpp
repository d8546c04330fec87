#include "lists/UniversalListJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/Terminal.h"
#include "lists/UniversalListingParser.h"
#include "engine/ControlBytes.h"

namespace {
constexpr const char* kPromptEnd = ">  ";
}  // namespace

UniversalListJob::UniversalListJob(Terminal& terminal) : ProgramListJob(terminal, JobBit::ListUniversal) {}

int UniversalListJob::Cancel() {
    DropListing();
    return EndOnCancel();
}

int UniversalListJob::RunState(uint32_t event) {
    switch (State) {
        case JobState::Begin: return BeginListing(ControlByte::Etx, kReplyTimeoutMs, 10);

        case 10:
            if (T.PartialLine.find(kPromptEnd) != std::string::npos) {
                KillTimeout();
                prompt_ = T.PartialLine;
                RequestListing("NAMES\r");
                State = 20;
                return 0;
            }
            return WaitForAnswer(event);

        case 20:
            if (T.PartialLine == prompt_) return TakeListing(UniversalListingParser::Parse);
            if (ListingStalled(event)) {
                KillTimeout();
                State = JobState::Failed;
                return 1;
            }
            ArmTimeout(kReplyTimeoutMs);
            return 0;

        case JobState::Failed:
            T.ShowStatus(Msg::FailedToListMcPrograms, 0);
            return FailListing();

        default:
            return RunEndState();
    }
}
