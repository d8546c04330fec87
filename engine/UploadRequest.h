#pragma once
// What the upload dispatcher asks of the upload dialog and what the dialog
// hands back.

#include <string>

#include "app/TransferItem.h"

struct UploadRequest {
    // In.
    bool ShowMachineList = false;   // the machine stores programs by name (TDK/VC5, UNIVERSAL)
    // Out, on OK.
    std::string TransferFolder;     // the folder the dialog showed; used for this run only
    // Machine-list mode: one item per program to receive (file name, line
    // count as Length, machine program name), in list order. Single-name
    // mode: one item with the file name only.
    TransferItemList Files;
};
