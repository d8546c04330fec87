#include "download/DownloadJobs.h"

#include "download/DownloadDispatcher.h"
#include "download/DynaPertDownloadJob.h"
#include "download/PanasertRs232DownloadJob.h"
#include "download/PanasertTtyDownloadJob.h"
#include "engine/Terminal.h"

DownloadDispatcher& AddDownloadJobs(Terminal& terminal) {
    DownloadDispatcher& dispatcher = terminal.AddJob<DownloadDispatcher>();
    terminal.AddJob<DynaPertDownloadJob>(dispatcher);
    terminal.AddJob<PanasertRs232DownloadJob>(dispatcher);
    terminal.AddJob<PanasertTtyDownloadJob>(dispatcher);
    return dispatcher;
}
