#include "sysdownload/SystemDownloadJobs.h"

#include "engine/Terminal.h"
#include "sysdownload/SystemDownloadDispatcher.h"
#include "sysdownload/TdkVc5SystemDownloadJob.h"
#include "sysdownload/UniversalSystemDownloadJob.h"

SystemDownloadDispatcher& AddSystemDownloadJobs(Terminal& terminal) {
    SystemDownloadDispatcher& dispatcher = terminal.AddJob<SystemDownloadDispatcher>();
    terminal.AddJob<UniversalSystemDownloadJob>(dispatcher);
    terminal.AddJob<TdkVc5SystemDownloadJob>(dispatcher);
    return dispatcher;
}
