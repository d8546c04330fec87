#include "ui/models/ChannelEditorModel.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "app/CKOVAApp.h"
#include "app/MachineType.h"
#include "download/ProgramCompare.h"
#include "lang/TextPair.h"

namespace {
constexpr int kMaxDelayBit = 200;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) entries.push_back(std::to_string(n));
    return entries;
}
}  // namespace

ChannelEditorModel::ChannelEditorModel(const CKOVAApp& app, ChannelConfig record)
    : app_(app), record_(std::move(record)) {
    ShowRecord();
}

std::vector<std::string> ChannelEditorModel::ChannelEntries() { return Numbers(kFirstChannel, kLastChannel); }

std::vector<std::string> ChannelEditorModel::BaudRateEntries() const {
    std::vector<std::string> entries = app_.BaudRateList;
    if (!entries.empty()) entries.pop_back();
    return entries;
}

const std::vector<std::string>& ChannelEditorModel::DataBitEntries() const { return app_.DataBitList; }
const std::vector<std::string>& ChannelEditorModel::ParityEntries() const { return app_.ParityList; }
std::vector<std::string> ChannelEditorModel::DelayBitEntries() { return Numbers(0, kMaxDelayBit); }
const std::vector<std::string>& ChannelEditorModel::EtxEntries() const { return app_.EtxList; }
const std::vector<std::string>& ChannelEditorModel::TypeEntries() const { return app_.MachineTypeList; }

void ChannelEditorModel::ShowRecord() {
    controls_.Channel = std::to_string(record_.Channel);
    controls_.BaudRate = record_.McBaudRate;
    controls_.DataBit = record_.McDataBit;
    controls_.ParityBit = record_.McParityBit;
    controls_.DelayBit = record_.McDelayBit;
    controls_.McType = record_.McType;
    controls_.PnrEtx = record_.PnrEtx;
    controls_.PnrPName = record_.PnrPName != 0;
    controls_.McName = record_.McName;
    controls_.SubSerial = record_.SubSerial;
    controls_.Folder = record_.NcdFileFolder;
    controls_.Verify = record_.VerifyAfterDownload != 0;
}

uint32_t ChannelEditorModel::ChangeBits() const {
    const ChannelEditorControls& c = controls_;
    const ChannelConfig& r = record_;
    uint32_t bits = 0;
    if (c.BaudRate != r.McBaudRate) bits |= ChangeBit::BaudRate;
    if (c.DataBit != r.McDataBit) bits |= ChangeBit::DataBit;
    if (c.ParityBit != r.McParityBit) bits |= ChangeBit::ParityBit;
    if (c.DelayBit != r.McDelayBit) bits |= ChangeBit::DelayBit;
    if (c.PnrEtx != r.PnrEtx) bits |= ChangeBit::PnrEtx;
    if (c.PnrPName != (r.PnrPName != 0)) bits |= ChangeBit::PnrPName;
    if (c.McType != r.McType) bits |= ChangeBit::McType;
    if (c.McName != r.McName) bits |= ChangeBit::McName;
    if (c.SubSerial != r.SubSerial) bits |= ChangeBit::SubSerial;
    if (c.Folder != r.NcdFileFolder) bits |= ChangeBit::Folder;
    if (c.Verify != (r.VerifyAfterDownload != 0)) bits |= ChangeBit::Verify;
    return bits;
}

bool ChannelEditorModel::PnrOptionsEnabled() const {
    const int type = FindMachineType(controls_.McType);
    return type >= 0 && MachineTypes[static_cast<std::size_t>(type)].HasPnrOptions;
}

bool ChannelEditorModel::VerifyEnabled() const { return ProgramCompare::CanVerify(controls_.McType); }

std::string ChannelEditorModel::VerifyCaption() const {
    static constexpr TextPair kCaption{"Verify after download", "다운로드 후 검증"};
    return kCaption.For(app_._nLanguage);
}

bool ChannelEditorModel::DefaultEnabled() const {
    const int index = FindMachineType(controls_.McType);
    if (index < 0) return false;
    const MachineType& type = MachineTypes[static_cast<std::size_t>(index)];
    return controls_.BaudRate != type.BaudRate || controls_.DataBit != type.DataBit ||
           controls_.ParityBit != type.ParityBit || controls_.DelayBit != type.DelayBit;
}

void ChannelEditorModel::Default() {
    const int index = FindMachineType(controls_.McType);
    if (index < 0) return;
    const MachineType& type = MachineTypes[static_cast<std::size_t>(index)];
    controls_.BaudRate = type.BaudRate;
    controls_.DataBit = type.DataBit;
    controls_.ParityBit = type.ParityBit;
    controls_.DelayBit = type.DelayBit;
    if (type.HasPnrOptions) {
        controls_.PnrEtx = "CR";
        controls_.PnrPName = false;
    }
}

void ChannelEditorModel::ChooseChannel(int channel) {
    ChannelConfig record;
    record.Channel = channel;
    if (!app_.LoadChannelConfig(record)) {
        app_.SetDefaultChannelConfig(record);
        record.Channel = channel;
    }
    record_ = std::move(record);
    ShowRecord();
}

void ChannelEditorModel::ChooseFolder(const std::string& folder) {
    if (!folder.empty() && !SameIgnoringCase(folder, controls_.Folder)) controls_.Folder = folder;
}

bool ChannelEditorModel::Ok() {
    acceptedChanges_ = ChangeBits();
    if (acceptedChanges_ == 0) return false;
    int channel = 0;
    const std::string& number = controls_.Channel;
    if (std::from_chars(number.data(), number.data() + number.size(), channel).ec != std::errc()) channel = 0;
    record_.Channel = channel;
    record_.McType = controls_.McType;
    record_.McBaudRate = controls_.BaudRate;
    record_.McDataBit = controls_.DataBit;
    record_.McParityBit = controls_.ParityBit;
    record_.McDelayBit = controls_.DelayBit;
    record_.PnrEtx = controls_.PnrEtx;
    record_.PnrPName = controls_.PnrPName ? 1 : 0;
    record_.McName = controls_.McName;
    record_.SubSerial = controls_.SubSerial;
    record_.NcdFileFolder = controls_.Folder;
    record_.VerifyAfterDownload = controls_.Verify ? 1 : 0;
    return true;
}
