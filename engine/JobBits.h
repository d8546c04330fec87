#pragma once
// One bit of ActiveJobs per job.

#include <array>
#include <cstdint>

namespace JobBit {
inline constexpr uint32_t HostCheck = 0x1;
inline constexpr uint32_t Connect = 0x2;
inline constexpr uint32_t ClosePort = 0x4;
inline constexpr uint32_t Disconnect = 0x8;
inline constexpr uint32_t ModuleSetup = 0x10;
inline constexpr uint32_t Scan = 0x20;
inline constexpr uint32_t UploadDispatcher = 0x40;
inline constexpr uint32_t UploadDynaPert = 0x80;
inline constexpr uint32_t UploadPanasertRs232 = 0x100;
inline constexpr uint32_t UploadPanasertTty = 0x200;
inline constexpr uint32_t UploadCitizenM10 = 0x400;
inline constexpr uint32_t UploadTdkVc5a = 0x800;
inline constexpr uint32_t UploadTdkVc5 = 0x1000;
inline constexpr uint32_t UploadUniversal = 0x2000;
inline constexpr uint32_t DownloadDispatcher = 0x4000;
inline constexpr uint32_t DownloadDynaPert = 0x8000;
inline constexpr uint32_t DownloadPanasertRs232 = 0x10000;
inline constexpr uint32_t DownloadPanasertTty = 0x20000;
inline constexpr uint32_t DownloadCitizenM10 = 0x40000;
inline constexpr uint32_t DownloadTdkVc5a = 0x80000;
inline constexpr uint32_t DownloadTdkVc5 = 0x100000;
inline constexpr uint32_t DownloadUniversal = 0x200000;
inline constexpr uint32_t SystemDispatcher = 0x400000;
inline constexpr uint32_t SystemFirstProtocol = 0x800000;
inline constexpr uint32_t SystemSecondProtocol = 0x1000000;
inline constexpr uint32_t ListUniversal = 0x2000000;
inline constexpr uint32_t ListTdkVc5 = 0x4000000;

inline constexpr uint32_t AllJobs = 0x7FFFFFF;

// Who receives an event: link jobs first, then the list jobs, the per-type
// transfer jobs (the UNIVERSAL pair after the system-program jobs), and the
// three dispatchers last.
inline constexpr std::array<uint32_t, 27> kDispatchPriority = {
    HostCheck,           ModuleSetup,          Connect,           Disconnect,
    ClosePort,           Scan,                 ListUniversal,     ListTdkVc5,
    UploadDynaPert,      DownloadDynaPert,     UploadPanasertRs232, DownloadPanasertRs232,
    UploadPanasertTty,   DownloadPanasertTty,  UploadCitizenM10,  DownloadCitizenM10,
    UploadTdkVc5a,       DownloadTdkVc5a,      UploadTdkVc5,      DownloadTdkVc5,
    SystemSecondProtocol, SystemFirstProtocol, UploadUniversal,   DownloadUniversal,
    UploadDispatcher,    DownloadDispatcher,   SystemDispatcher,
};
}  // namespace JobBit
