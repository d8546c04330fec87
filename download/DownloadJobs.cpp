#include "download/DownloadJobs.h"

#include "download/CitizenM10DownloadJob.h"
#include "download/DownloadDispatcher.h"
#include "download/DynaPertDownloadJob.h"
#include "download/PanasertRs232DownloadJob.h"
#include "download/PanasertTtyDownloadJob.h"
#include "download/TdkVc5DownloadJob.h"
#include "download/TdkVc5aDownloadJob.h"
#include "download/UniversalDownloadJob.h"
#include "engine/Terminal.h"

DownloadDispatcher& AddDownloadJobs(Terminal& terminal) {
    DownloadDispatcher& dispatcher = terminal.AddJob<DownloadDispatcher>();
    terminal.AddJob<DynaPertDownloadJob>(dispatcher);
    terminal.AddJob<PanasertRs232DownloadJob>(dispatcher);
    terminal.AddJob<PanasertTtyDownloadJob>(dispatcher);
    terminal.AddJob<CitizenM10DownloadJob>(dispatcher);
    terminal.AddJob<TdkVc5aDownloadJob>(dispatcher);
    terminal.AddJob<TdkVc5DownloadJob>(dispatcher);
    terminal.AddJob<UniversalDownloadJob>(dispatcher);
    return dispatcher;
}
