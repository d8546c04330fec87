#pragma once
// Registers the program download with a terminal: the dispatcher and the
// download jobs of the machine types that have one. Front ends and tests call
// it once after constructing the Terminal.

class DownloadDispatcher;
class Terminal;

DownloadDispatcher& AddDownloadJobs(Terminal& terminal);
