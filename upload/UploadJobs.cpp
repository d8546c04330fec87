#include "upload/UploadJobs.h"

#include "engine/Terminal.h"
#include "upload/CitizenM10UploadJob.h"
#include "upload/DynaPertUploadJob.h"
#include "upload/PanasertRs232UploadJob.h"
#include "upload/PanasertTtyUploadJob.h"
#include "upload/TdkVc5UploadJob.h"
#include "upload/TdkVc5aUploadJob.h"
#include "upload/UniversalUploadJob.h"
#include "upload/UploadDispatcher.h"

UploadDispatcher& AddUploadJobs(Terminal& terminal) {
    UploadDispatcher& dispatcher = terminal.AddJob<UploadDispatcher>();
    terminal.AddJob<DynaPertUploadJob>(dispatcher);
    terminal.AddJob<PanasertRs232UploadJob>(dispatcher);
    terminal.AddJob<PanasertTtyUploadJob>(dispatcher);
    terminal.AddJob<CitizenM10UploadJob>(dispatcher);
    terminal.AddJob<TdkVc5aUploadJob>(dispatcher);
    terminal.AddJob<TdkVc5UploadJob>(dispatcher);
    terminal.AddJob<UniversalUploadJob>(dispatcher);
    return dispatcher;
}
