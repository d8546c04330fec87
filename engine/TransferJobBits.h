#pragma once
// The per-type transfer jobs of each machine type, for the dispatchers, and
// how a dispatcher's run went.

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/JobBits.h"

struct TransferJobBits {
    std::string_view Type;
    uint32_t Download;
    uint32_t Upload;
};

inline constexpr std::array<TransferJobBits, 7> kTransferJobBits{{
    {"DYNA/PERT", JobBit::DownloadDynaPert, JobBit::UploadDynaPert},
    {"PANASERT/RS232", JobBit::DownloadPanasertRs232, JobBit::UploadPanasertRs232},
    {"PANASERT/TTY", JobBit::DownloadPanasertTty, JobBit::UploadPanasertTty},
    {"CITIZEN/M10", JobBit::DownloadCitizenM10, JobBit::UploadCitizenM10},
    {"TDK/VC5A", JobBit::DownloadTdkVc5a, JobBit::UploadTdkVc5a},
    {"TDK/VC5", JobBit::DownloadTdkVc5, JobBit::UploadTdkVc5},
    {"UNIVERSAL", JobBit::DownloadUniversal, JobBit::UploadUniversal},
}};

// The jobs of machines of `type`; both bits 0 for an unknown type.
inline TransferJobBits TransferJobBitsFor(std::string_view type) {
    for (const TransferJobBits& entry : kTransferJobBits) {
        if (entry.Type == type) return entry;
    }
    return {type, 0, 0};
}

// How the last run of a dispatcher went, for front ends that report a result.
struct TransferRunResult {
    int FilesCompleted = 0;
    int FilesNotCompleted = 0;   // skipped, failed, not written or cancelled
    int EndState = 0;            // 9000 completed, 9001 cancelled, 9002 failed
    int FilesNotVerified = 0;    // sent whole, but read back different or not at all

    void Count(bool completed) { ++(completed ? FilesCompleted : FilesNotCompleted); }
};
