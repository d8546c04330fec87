#include "sysdownload/TdkVc5SystemDownloadJob.h"

#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/SubModuleCommands.h"
#include "engine/Terminal.h"
#include "engine/TerminalView.h"

TdkVc5SystemDownloadJob::TdkVc5SystemDownloadJob(Terminal& terminal, SystemDownloadDispatcher& dispatcher)
    : SystemDownloadJob(terminal, JobBit::SystemSecondProtocol, dispatcher) {}

int TdkVc5SystemDownloadJob::Run(uint32_t event) {
    if (State == kQuestionOpen && event != EV_START) {
        if (event & EV_CANCEL) cancelWhileQuestionOpen_ = true;
        return 0;
    }
    ApplyStartAndCancel(event);
    const bool timeout = (event & EV_TIMEOUT) != 0;

    switch (State) {
        case 0:
            T.FileOffset = 0;
            T.Engine.EventMask = EV_CANCEL | EV_TX_EMPTY | EV_TIMEOUT | EV_DATA;
            T.ShowStatus(Msg::WaitingForSystemProgramDownload, 1);
            State = 10;
            return 1;

        case 10: {
            cancelWhileQuestionOpen_ = false;
            State = kQuestionOpen;
            MessageBoxAnswer answer =
                T.View.AskMessageBox(T.Text(Msg::PressMcSystemDownloadStart), MessageBoxKind::OkCancel);
            if (State != kQuestionOpen) return 0;   // ended meanwhile
            State = (answer == MessageBoxAnswer::Ok && !cancelWhileQuestionOpen_) ? 20 : JobState::Cancelled;
            return 1;
        }

        case 20:
            return SendEchoedAndWait(SubModuleCommand::ThirdOptionTtyAndVc5, kStepWaitMs, 22);

        case 22:
            if (EchoArrived()) {
                KillTimeout();
                SwitchSubModuleTransparent();
                StartTimeDisplay();
                State = 30;
                ArmTimeout(kStepWaitMs);
                return 0;
            }
            return event == EV_TIMEOUT ? FailWithState(Msg::FailedToSetupModule) : 0;

        case 30:
            if (!timeout) return 0;
            return SendNextBlock(40);

        case 40:
            if (event & EV_TX_EMPTY) {
                KillTimeout();
                if (T.FileOffset >= T.FileSize) {
                    State = 50;
                    ArmTimeout(kDrainPollMs);
                    return 0;
                }
                return SendNextBlock(40);
            }
            return timeout ? FailWithState(Msg::CanceledByTimeout) : 0;

        case 50:
            // The last block has been written but is paced out to the radio
            // at the machine's speed; the job ends once it has gone, so that
            // nothing sent after it (a hang-up) waits behind it. The pause
            // always ends (timer 502).
            if (!timeout) return 0;
            if (!(T.StatusFlags & Status::PacingPause)) {
                State = JobState::Completed;
                return 1;
            }
            ArmTimeout(kDrainPollMs);
            return 0;

        case JobState::Cancelled:
            return CancelToDispatcher();

        default:
            return RunEndState();
    }
}
