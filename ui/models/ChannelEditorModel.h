#pragma once
// The rules of the channel editor: what its controls hold, which fields differ
// from the loaded record (the change bits), which buttons are enabled,
// "Default", choosing another channel number, the folder choice and O.K.
//
// The controls hold texts, not list positions: a stored value that the lists
// do not offer (a baud rate of 19200, a hand-edited field) stays as it is while
// the operator leaves its control alone, is no change, and is saved back
// unchanged rather than as an empty text.

#include <cstdint>
#include <string>
#include <vector>

#include "app/ChannelConfig.h"

class CKOVAApp;

// What the editor's controls hold.
struct ChannelEditorControls {
    std::string Channel;      // "1" to "99"
    std::string BaudRate;
    std::string DataBit;
    std::string ParityBit;
    std::string DelayBit;
    std::string McType;
    std::string PnrEtx;
    bool PnrPName = false;
    std::string McName;
    std::string SubSerial;
    std::string Folder;
    bool Verify = false;      // "Verify after download"
};

namespace ChangeBit {
inline constexpr uint32_t BaudRate = 0x2;
inline constexpr uint32_t DataBit = 0x4;
inline constexpr uint32_t ParityBit = 0x8;
inline constexpr uint32_t DelayBit = 0x10;
inline constexpr uint32_t PnrEtx = 0x20;
inline constexpr uint32_t PnrPName = 0x40;
inline constexpr uint32_t McType = 0x80;
inline constexpr uint32_t McName = 0x100;
inline constexpr uint32_t SubSerial = 0x200;
inline constexpr uint32_t Folder = 0x400;
inline constexpr uint32_t Verify = 0x800;
// The changes a connected sub module must be set up again for: machine type
// and line parameters.
inline constexpr uint32_t LineParameters = McType | BaudRate | DataBit | ParityBit | DelayBit;
}  // namespace ChangeBit

class ChannelEditorModel {
public:
    // `record` is the channel to edit, already loaded (or defaulted) by the caller.
    ChannelEditorModel(const CKOVAApp& app, ChannelConfig record);

    // ---- the combo boxes' entries ----
    static std::vector<std::string> ChannelEntries();   // "1" to "99"
    std::vector<std::string> BaudRateEntries() const;   // the baud rates without the last (300 to 9600)
    const std::vector<std::string>& DataBitEntries() const;
    const std::vector<std::string>& ParityEntries() const;
    static std::vector<std::string> DelayBitEntries();  // "0" to "200"
    const std::vector<std::string>& EtxEntries() const;
    const std::vector<std::string>& TypeEntries() const;

    // ---- the controls ----
    const ChannelEditorControls& Controls() const { return controls_; }
    ChannelEditorControls& Edit() { return controls_; }   // the dialog writes what the operator changed
    const ChannelConfig& Record() const { return record_; }

    uint32_t ChangeBits() const;
    // PNR ETX and "Use PNR P.G name" mean something for PANASERT/RS232 only.
    bool PnrOptionsEnabled() const;
    // The line parameters differ from the chosen type's defaults (a type that
    // is not in the table has none, so counts as default).
    bool DefaultEnabled() const;
    // "Verify after download" means something for machines that send a
    // program back by name (UNIVERSAL, TDK/VC5) only.
    bool VerifyEnabled() const;
    // Its caption in the current language (the text table has no row for it).
    std::string VerifyCaption() const;
    bool OkEnabled() const { return ChangeBits() != 0; }

    // ---- actions ----
    // The chosen type's defaults into the line parameter controls.
    void Default();
    // Another channel number: its stored record, or the load defaults when it
    // has none; the controls show it and nothing counts as changed.
    void ChooseChannel(int channel);
    // The folder browser's choice; replaces the folder unless it names the
    // same folder (ignoring case).
    void ChooseFolder(const std::string& folder);
    // O.K: false when nothing changed (the dialog ends as Cancel); otherwise
    // the controls are written into Record() and the dialog ends with OK.
    bool Ok();
    // The change bits O.K found (the record holds the changes afterwards).
    uint32_t AcceptedChanges() const { return acceptedChanges_; }

private:
    void ShowRecord();

    const CKOVAApp& app_;
    ChannelConfig record_;
    ChannelEditorControls controls_;
    uint32_t acceptedChanges_ = 0;
};
