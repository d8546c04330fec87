#pragma once
// A program read back from the machine into memory instead of a file: the
// download dispatcher points Terminal::ReadBack at one to check what the
// machine stored, and runs the machine type's upload job, which then fills it.

#include <string>

struct ProgramReadBack {
    std::string Text;        // the program as the upload job would have written it
    bool Completed = false;  // the machine gave the program whole
    bool Cancelled = false;  // the operator cancelled the read
    std::string FailText;    // why it was not read, when neither of the above
};
