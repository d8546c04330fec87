#pragma once
// Registers the system program download with a terminal: the dispatcher and
// the jobs of the machine types that take a system program. Front ends and
// tests call it once after constructing the Terminal.

class SystemDownloadDispatcher;
class Terminal;

SystemDownloadDispatcher& AddSystemDownloadJobs(Terminal& terminal);
