#pragma once
// The machine program list jobs, created together. Each front end calls
// AddListJobs once, right after constructing its Terminal.

class Terminal;
class UniversalListJob;
class TdkVc5ListJob;

struct ListJobs {
    UniversalListJob& Universal;
    TdkVc5ListJob& TdkVc5;
};

ListJobs AddListJobs(Terminal& terminal);
