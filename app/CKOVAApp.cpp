#include "app/CKOVAApp.h"

#include "app/AppPlatform.h"
#include "app/ChannelStore.h"
#include "app/JournalSettings.h"
#include "app/MachineType.h"
#include "app/PathRules.h"
#include "app/SettingsStore.h"
#include "lang/Msg.h"

namespace {

constexpr const char* kCommon = "COMMON";
constexpr const char* kFont = "FONT";

constexpr int kLanguageCount = 6;
constexpr int kLanguageEnglish = 0;
constexpr int kLanguageKorean = 1;
constexpr int kLanguageUnset = -1;

constexpr const char* kDefaultFaceName = "굴림체";
// Green on the communication window, blue on the status window.
FontSetting DefaultRxdFont()
{
    return {kDefaultFaceName, -20, 400, 0, 0x00FF00};
}

FontSetting DefaultStateFont()
{
    return {kDefaultFaceName, -12, 400, 0, 0xFF0000};
}

void ReadFont(const SettingsStore& store, const std::string& prefix, const FontSetting& defaults,
              FontSetting& font)
{
    font.FaceName = store.ReadString(kFont, prefix + " FaceName", defaults.FaceName);
    font.Height = store.ReadInt(kFont, prefix + " Height", defaults.Height);
    font.Weight = store.ReadInt(kFont, prefix + " Weight", defaults.Weight);
    font.Underline = store.ReadInt(kFont, prefix + " Underline", defaults.Underline);
    font.TextColor = store.ReadInt(kFont, prefix + " Text Color", defaults.TextColor);
}

void WriteFont(SettingsStore& store, const std::string& prefix, const FontSetting& font)
{
    store.WriteString(kFont, prefix + " FaceName", font.FaceName);
    store.WriteInt(kFont, prefix + " Height", font.Height);
    store.WriteInt(kFont, prefix + " Weight", font.Weight);
    store.WriteInt(kFont, prefix + " Underline", font.Underline);
    store.WriteInt(kFont, prefix + " Text Color", font.TextColor);
}

}  // namespace

CKOVAApp::CKOVAApp() : RxdFont(DefaultRxdFont()), StateFont(DefaultStateFont())
{
}

CKOVAApp::~CKOVAApp() = default;

void CKOVAApp::AttachPlatform(AppPlatform& platform)
{
    platform_ = &platform;
    channels_ = std::make_unique<ChannelStore>(platform.Settings(),
                                               DefaultDataFolder(platform.HomeFolder(), "USM"));
}

bool CKOVAApp::InitApplication(AppPlatform& platform, InstanceGuard guard)
{
    AttachPlatform(platform);

    // The text table: the language file beside the program or installed
    // with it, else the built-in table.
    if (LanguageFilePath.empty()) {
        LanguageFilePath = FindLanguageFile(platform.ProgramFolder());
    }
    // The file is read over the built-in table: a row it lacks or garbles
    // keeps its built-in text instead of going empty.
    SetDefaultMultiLanguageStr();
    if (LoadMultiLanguageFile() == 0) {
        SetDefaultMultiLanguageStr();
    }

    // The company key is the settings store's organisation ("MERIDO ELE"),
    // fixed when the platform made the store.

    // Settings first, so that even the refusal below speaks the user's language.
    LoadAllSettings();

    // One terminal per user: a second copy says so and ends; the first copy
    // is not disturbed.
    if (guard == InstanceGuard::Exclusive && !platform.AcquireSingleInstance()) {
        platform.ShowMessageBox(GetMultiLanguageStr(static_cast<int>(Msg::AlreadyRunning)));
        return false;
    }

    // The lists that the pages and the port search offer.
    BuildSelectionLists();
    EnumComPorts(ComPortList);
    return true;
}

void CKOVAApp::LoadAllSettings()
{
    if (platform_ == nullptr) {
        return;
    }
    SettingsStore& store = platform_->Settings();

    Password = store.ReadString(kCommon, "PASSWORD", "7264");

    _nLanguage = store.ReadInt(kCommon, "LANGUAGE", kLanguageUnset);
    if (_nLanguage < 0 || _nLanguage >= kLanguageCount) {
        _nLanguage = IsKoreanSystem() ? kLanguageKorean : kLanguageEnglish;
        store.WriteInt(kCommon, "LANGUAGE", _nLanguage);
    }

    // The stored number is only read: a bad one is replaced for this run and
    // stays in the store as it was.
    int channel = store.ReadInt(kCommon, "CHANNEL", 1);
    if (!IsValidChannelNumber(channel)) {
        channel = 1;
    }

    PcPort = PcPortConfig{};
    PcPort.PcComNo = store.ReadString(kCommon, "PcComNo", "Auto");
    PcPort.DisconnectTime = store.ReadInt(kCommon, "DisconnectTime", 0);

    CurrentChannel.Channel = channel;
    SetDefaultChannelConfig(CurrentChannel);
    LoadChannelConfig(CurrentChannel);   // no record: the defaults stay

    ReadFont(store, "RXD", DefaultRxdFont(), RxdFont);
    ReadFont(store, "State", DefaultStateFont(), StateFont);
    KeptVersionLimit = JournalSettings::Load(store).KeptVersions;
}

void CKOVAApp::SaveFontSettings()
{
    if (platform_ == nullptr) {
        return;
    }
    WriteFont(platform_->Settings(), "RXD", RxdFont);
    WriteFont(platform_->Settings(), "State", StateFont);
}

void CKOVAApp::SaveLanguageSetting()
{
    if (platform_ != nullptr) {
        platform_->Settings().WriteInt(kCommon, "LANGUAGE", _nLanguage);
    }
}

void CKOVAApp::SavePasswordSetting()
{
    if (platform_ != nullptr) {
        platform_->Settings().WriteString(kCommon, "PASSWORD", Password);
    }
}

void CKOVAApp::SavePcPortSettings()
{
    if (platform_ != nullptr) {
        platform_->Settings().WriteString(kCommon, "PcComNo", PcPort.PcComNo);
        platform_->Settings().WriteInt(kCommon, "DisconnectTime", PcPort.DisconnectTime);
    }
}

int CKOVAApp::IsKoreanSystem() const
{
    return platform_ != nullptr && platform_->IsKoreanSystem() ? 1 : 0;
}

std::string CKOVAApp::GetVersionText()
{
    return KOVA_VERSION_TEXT;
}

std::string CKOVAApp::DefaultDataFolder(const std::string& homeFolder, const std::string& name)
{
    std::string folder = CleanFolderText(homeFolder);
    if (folder.empty()) {
        folder = "/";
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder + "DATA/" + name;
}

std::string CKOVAApp::DataFolder(const std::string& name) const
{
    return DefaultDataFolder(platform_ != nullptr ? platform_->HomeFolder() : std::string(), name);
}

int CKOVAApp::LoadChannelConfig(ChannelConfig& config) const
{
    return channels_ ? channels_->LoadChannelConfig(config) : 0;
}

int CKOVAApp::SaveChannelConfig(const ChannelConfig& config)
{
    return channels_ ? channels_->SaveChannelConfig(config) : 0;
}

void CKOVAApp::SetDefaultChannelConfig(ChannelConfig& config) const
{
    if (channels_) {
        channels_->SetDefaultChannelConfig(config);
    } else {
        ChannelStore::SetDefaults(config, DataFolder("USM"));
    }
}

int CKOVAApp::DeleteChannelConfig(int channel)
{
    return channels_ ? channels_->DeleteChannelConfig(channel) : 0;
}

bool CKOVAApp::ChannelKeyExists(int channel) const
{
    return channels_ && channels_->ChannelKeyExists(channel);
}

int CKOVAApp::FindFreeChannel(int start) const
{
    return channels_ ? channels_->FindFreeChannel(start) : 0;
}

void CKOVAApp::BuildSelectionLists()
{
    MachineTypeList.clear();
    for (const MachineType& type : MachineTypes) {
        MachineTypeList.emplace_back(type.Name);
    }
    BaudRateList = {"300", "600", "1200", "2400", "4800", "9600", "19200"};
    DataBitList = {"7", "8"};
    StopBitList = {"1", "2"};
    ParityList = {"NONE", "ODD", "EVEN"};
    EtxList = {"CR", "^C"};
}

void CKOVAApp::EnumComPorts(std::vector<std::string>& list) const
{
    list.clear();
    list.emplace_back("Auto");
    if (platform_ != nullptr) {
        for (const std::string& port : platform_->ListComPorts()) {
            list.push_back(port);
        }
    }
}
