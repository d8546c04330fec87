#pragma once
// What the options page enables: its tools stay usable while the link is
// idle; during a job only the two clear buttons work, and a connected sub
// module rules out a scan.

#include <array>
#include <cstdint>
#include <string>

struct OptionsPageView {
    bool CommFont = false;
    bool ClearComm = false;
    bool ChangePassword = false;
    bool StateFont = false;
    bool ClearState = false;
    bool SubModuleScan = false;
    bool EditStrings = false;
    bool ConvertZid = false;
    bool Language = false;
    // The header export also depends on its last result (disabled after a
    // successful export) and on the string editor's result.
    bool Export = false;
};

class OptionsPageModel {
public:
    // The language combo's entries, in index order.
    static constexpr std::array<const char*, 5> kLanguageNames = {"English", "Korean", "Chinese", "Japanese",
                                                                  "Language_5"};

    // At creation: the scan and the ZID conversion only for a UNIVERSAL channel.
    static OptionsPageView Initial(const std::string& mcType, bool exportAvailable);
    // At every page refresh, from the link state.
    static OptionsPageView Refresh(uint32_t statusFlags, uint32_t activeJobs, bool exportAvailable);
};
