#include "jobs/DownloadJobs.h"

#include "jobs/DownloadDispatcher.h"
#include "jobs/DynaPertDownloadJob.h"
#include "jobs/PanasertRs232DownloadJob.h"
#include "jobs/PanasertTtyDownloadJob.h"
#include "jobs/Terminal.h"

DownloadDispatcher& AddDownloadJobs(Terminal& terminal) {
    DownloadDispatcher& dispatcher = terminal.AddJob<DownloadDispatcher>();
    terminal.AddJob<DynaPertDownloadJob>(dispatcher);
    terminal.AddJob<PanasertRs232DownloadJob>(dispatcher);
    terminal.AddJob<PanasertTtyDownloadJob>(dispatcher);
    return dispatcher;
}
