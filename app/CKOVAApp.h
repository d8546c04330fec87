#pragma once
// The application object: the text table, the settings of sections "COMMON" and
// "FONT", the current channel, the PC port record and the selection lists. It is
// plain C++; the front ends (the Qt window, the console) hand it a settings store
// and the few platform services it needs.
//
// How a front end starts (the window's main, in outline):
//
//     QApplication qt(argc, argv);
//     PosixAppPlatform platform;            // platform/: settings, lock, ports ...
//     platform.SetMessageBoxHandler(...);   // a QMessageBox with an OK button
//     CKOVAApp app;
//     if (!app.InitApplication(platform)) { return 0; }   // second copy: ends
//     CTerminalDlg window(app); ...run it...                // the program's life
//
// kova-cli calls InitApplication(platform, InstanceGuard::Shared): everything
// the same, without the single-instance lock, so it may run beside the window.

#include <memory>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"
#include "app/FontSetting.h"
#include "app/JournalSettings.h"
#include "app/PcPortConfig.h"
#include "lang/MultiLanguageArray.h"
#include "lang/MultiLanguageFile.h"

class AppPlatform;
class ChannelStore;
class SettingsStore;

// Name of the language file in the program folder.
inline constexpr const char* kLanguageFileName = "KOVA_M1002.TXT";

class CKOVAApp {
public:
    CKOVAApp();
    ~CKOVAApp();
    CKOVAApp(const CKOVAApp&) = delete;
    CKOVAApp& operator=(const CKOVAApp&) = delete;

    // ---- start-up -----------------------------------------------------------
    enum class InstanceGuard { Exclusive, Shared };

    // The start-up, in this order: the text table from the language file, else
    // the built-in table (LanguageFilePath, when empty, becomes
    // FindLanguageFile of the program folder); all settings (LoadAllSettings); with
    // InstanceGuard::Exclusive the single-instance lock: when another copy
    // holds it, message 0 is shown in the stored language and false returned;
    // then BuildSelectionLists and EnumComPorts into ComPortList.
    // True: the front end now runs its main window for the program's life.
    // False: the program ends without a window.
    // `platform` must outlive the application object.
    bool InitApplication(AppPlatform& platform, InstanceGuard guard = InstanceGuard::Exclusive);

    // Binds the settings store and platform services without running the rest
    // of the start-up (InitApplication does this first). Everything below that
    // reads or writes settings needs it.
    void AttachPlatform(AppPlatform& platform);

    // ---- settings -----------------------------------------------------------
    // Reads section "COMMON" (password, language, channel number), PcPort, the
    // current channel (defaults, then its record when it has one) and section
    // "FONT". A language outside 0 to 5 becomes 1 on a Korean system, else 0,
    // and is written back at once; a channel number outside 1 to 99 becomes 1
    // in memory only.
    void LoadAllSettings();
    // Writes all ten "FONT" values from RxdFont and StateFont.
    void SaveFontSettings();
    // Writes _nLanguage to "LANGUAGE" (the window's language switch).
    void SaveLanguageSetting();
    // Writes Password to "PASSWORD" (the Options page).
    void SavePasswordSetting();
    // Writes PcPort.PcComNo and PcPort.DisconnectTime (the PC port page).
    void SavePcPortSettings();

    // 1 on a Korean system, else 0.
    int IsKoreanSystem() const;
    // The version of this build, "1.0.0.6", for the window title.
    static std::string GetVersionText();

    // The default NC folder `name` ("USM", "ZID") below the user's home:
    // <home>/DATA/<name>.
    std::string DataFolder(const std::string& name) const;
    static std::string DefaultDataFolder(const std::string& homeFolder, const std::string& name);

    // ---- channels (see ChannelStore for the contracts) -----------------------
    int LoadChannelConfig(ChannelConfig& config) const;
    int SaveChannelConfig(const ChannelConfig& config);
    void SetDefaultChannelConfig(ChannelConfig& config) const;
    int DeleteChannelConfig(int channel);
    bool ChannelKeyExists(int channel) const;
    int FindFreeChannel(int start) const;

    // ---- lists ----------------------------------------------------------------
    // Fills MachineTypeList, BaudRateList, DataBitList, StopBitList, ParityList
    // and EtxList (each emptied first).
    void BuildSelectionLists();
    // Empties `list`, then adds "Auto" and the PC's serial ports.
    void EnumComPorts(std::vector<std::string>& list) const;

    // ---- text table -------------------------------------------------------
    // Text of row `index` in the current language, English when that column
    // is empty, empty beyond the end of the table.
    std::string GetMultiLanguageStr(int index) const;
    // Fills the built-in default table; returns its row count (277).
    int SetDefaultMultiLanguageStr();
    // Reads the language file over the table (each line replaces the row its
    // number names; rows the file lacks keep their text); 0 means the file was
    // not used. LanguageFileState tells what the read found.
    int LoadMultiLanguageFile();
    // One line for the status window when the language file used at start-up
    // lacked rows or had broken lines; empty otherwise.
    std::string LanguageFileWarning() const;
    // 1 when the language file was written, 0 otherwise (the old file stays whole).
    int SaveMultiLanguageFile();
    // Writes SetDefaultMultiLanguageStr.h into the current folder; 1 or 0.
    int ExportMultiLanguageHeader();
    // The language file for a program in `programFolder`: the one beside the
    // program, else the installed one in ../share/kova, else (neither exists)
    // the path beside the program, where a save puts it.
    static std::string FindLanguageFile(const std::string& programFolder);

    MultiLanguageArray _arMultiLanguage;
    int _nLanguage = 0;
    std::string LanguageFilePath;   // full path of KOVA_M1002.TXT
    LanguageFileReport LanguageFileState;   // what the last LoadMultiLanguageFile found

    // ---- state ----------------------------------------------------------------
    std::string Password = "7264";
    FontSetting RxdFont;     // communication window
    FontSetting StateFont;   // status window
    PcPortConfig PcPort;
    ChannelConfig CurrentChannel;
    // How many older versions of a file an upload replaces stay beside it
    // (section "JOURNAL"); 0 keeps none.
    int KeptVersionLimit = JournalSettings::kDefaultKeptVersions;

    std::vector<std::string> MachineTypeList;
    std::vector<std::string> BaudRateList;
    std::vector<std::string> DataBitList;
    std::vector<std::string> StopBitList;
    std::vector<std::string> ParityList;
    std::vector<std::string> EtxList;
    std::vector<std::string> ComPortList;

private:
    AppPlatform* platform_ = nullptr;
    std::unique_ptr<ChannelStore> channels_;
};
