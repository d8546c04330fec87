#include "lists/ListJobs.h"

#include "lists/TdkVc5ListJob.h"
#include "engine/Terminal.h"
#include "lists/UniversalListJob.h"

ListJobs AddListJobs(Terminal& terminal) {
    return ListJobs{terminal.AddJob<UniversalListJob>(), terminal.AddJob<TdkVc5ListJob>()};
}
