#include "link/LinkJobs.h"

#include "engine/Terminal.h"
#include "link/ClosePortJob.h"
#include "link/ConnectJob.h"
#include "link/DisconnectJob.h"
#include "link/HostCheckJob.h"
#include "link/ModuleSetupJob.h"
#include "link/ScanJob.h"

LinkJobs AddLinkJobs(Terminal& terminal) {
    return LinkJobs{
        terminal.AddJob<HostCheckJob>(),  terminal.AddJob<ConnectJob>(),
        terminal.AddJob<ClosePortJob>(),  terminal.AddJob<DisconnectJob>(),
        terminal.AddJob<ModuleSetupJob>(), terminal.AddJob<ScanJob>(),
    };
}
