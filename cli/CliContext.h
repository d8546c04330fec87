#pragma once
// What every kova-cli command gets: the application object (text table,
// settings, channels), the platform, the global options and the two streams.
// Standard output carries the command's result only; everything else
// (errors, status entries, message boxes) goes to standard error.

#include <iosfwd>
#include <string>

class CKOVAApp;
class PosixAppPlatform;

// Exit status of kova-cli.
inline constexpr int kExitOk = 0;        // the command's work completed
inline constexpr int kExitFailed = 1;    // failed, cancelled or refused
inline constexpr int kExitUsage = 2;     // usage error (short usage on stderr)

struct CliOptions {
    std::string Port;        // --port DEVICE: this run's PC port, not saved
    int Language = -1;       // --lang N: 0 to 5 for this run, -1 = stored setting
    std::string CommFile;    // --comm FILE: where the communication text goes ("-": stderr)
    bool Yes = false;        // --yes: answer Yes/OK to questions
};

struct CliContext {
    CKOVAApp& App;
    PosixAppPlatform& Platform;
    const CliOptions& Options;
    std::ostream& Out;
    std::ostream& Err;
};
