#include "jobs/ListJobs.h"

#include "jobs/TdkVc5ListJob.h"
#include "jobs/Terminal.h"
#include "jobs/UniversalListJob.h"

ListJobs AddListJobs(Terminal& terminal) {
    return ListJobs{terminal.AddJob<UniversalListJob>(), terminal.AddJob<TdkVc5ListJob>()};
}
