#pragma once
// Registers the program upload with a terminal: the dispatcher and the upload
// job of every machine type. Front ends and tests call it once after
// constructing the Terminal.

class UploadDispatcher;
class Terminal;

UploadDispatcher& AddUploadJobs(Terminal& terminal);
