#include "link/ClosePortJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

ClosePortJob::ClosePortJob(Terminal& terminal) : Job(terminal, JobBit::ClosePort) {}

int ClosePortJob::Run(uint32_t event) {
    if (event == EV_START) State = 0;
    switch (State) {
        case 0:
            T.RefreshPages();
            State = kAwaitLinkJobs;
            return 1;

        case kAwaitLinkJobs:
            // Those jobs outrank this one, so it is called again once they end.
            if (T.Engine.IsActive(JobBit::HostCheck | JobBit::Connect | JobBit::ModuleSetup |
                                  JobBit::Disconnect)) {
                return 0;
            }
            State = 10;
            if (T.StatusFlags & Status::SubConnected) {
                // Continues in state 10 once the disconnect has finished.
                T.StartJob(JobBit::Disconnect);
                return 0;
            }
            return 1;

        case 10: {
            T.ClosePcPort(true);
            const bool endProgram = (T.StatusFlags & Status::EndAfterClose) != 0;
            FinishJob();
            // Last: the front end may tear the engine down from here.
            if (endProgram) T.View.EndProgram();
            return 1;
        }

        default:
            T.Engine.ActiveJobs &= ~Bit;
            State = 0;
            return 1;
    }
}
