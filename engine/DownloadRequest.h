#pragma once
// What a dispatcher asks of the download dialog and what the dialog hands back.

#include <string>

#include "app/TransferItem.h"

struct DownloadRequest {
    // In.
    bool ShowProgramNames = false;   // the machine stores programs by name (TDK/VC5, UNIVERSAL)
    bool SystemProgram = false;      // the system program form (delay bits combo)
    // Out, on OK.
    std::string TransferFolder;      // the folder the dialog showed; used for this run only
    TransferItemList Files;          // the chosen files, in list order
    std::string SysDelayBits;        // system program form only
    // Read each program back after it went out and compare it with the file
    // (for this run, besides the channel's own setting).
    bool Verify = false;
};
