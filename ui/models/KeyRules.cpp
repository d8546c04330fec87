#include "ui/models/KeyRules.h"

#include "engine/StatusBits.h"

namespace {
constexpr uint32_t kCtrlC = 0x03;

bool IsUpperCaseType(const std::string& type) {
    return type == "UNIVERSAL" || type == "DYNA/PERT" || type == "TDK/VC5" || type == "PANASERT/TTY";
}

KeyDecision Act(KeyAction action) { return KeyDecision{action, true, 0, 0}; }
}  // namespace

std::optional<uint8_t> KeyRules::MachineByte(uint32_t code, const std::string& mcType) {
    // Only printable ASCII and the control keys an operator uses at the machine
    // go out: bytes from 0x80 are sub-module commands on an idle link, and a
    // code point beyond a byte must not be cut to one.
    if (!IsUpperCaseType(mcType)) {
        if (code == kCtrlC || code == '\r' || code == VKey::Back || (code >= 0x20 && code <= 0x7E)) {
            return static_cast<uint8_t>(code);
        }
        return std::nullopt;
    }
    if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
    if (mcType == "UNIVERSAL" && code == VKey::Back) code = 0x7F;
    if (code == kCtrlC || code == '\r' || (code >= 0x20 && code <= 0x7F)) {
        return static_cast<uint8_t>(code);
    }
    return std::nullopt;
}

KeyDecision KeyRules::Decide(KeyKind kind, uint32_t code, const KeyContext& context) {
    const bool onProgramPage = context.CurrentPage == 0;
    const bool idle = (context.StatusFlags & Status::LinkIdle) != 0;
    const bool connected = (context.StatusFlags & Status::SubConnected) != 0;

    switch (kind) {
        case KeyKind::KeyDown:
            if (code == VKey::Tab) return Act(KeyAction::FocusPage);
            if (code == VKey::Escape) {
                // Esc never closes the window; on an idle UNIVERSAL link it stops the machine.
                if (idle && connected && context.McType == "UNIVERSAL") {
                    KeyDecision d = Act(KeyAction::SendByte);
                    d.Byte = kCtrlC;
                    return d;
                }
                return Act(KeyAction::None);
            }
            if (code == VKey::F2) {
                return Act(onProgramPage && context.ConnectEnabled ? KeyAction::Connect : KeyAction::None);
            }
            if (code == VKey::F3) {
                return Act(onProgramPage && context.DownloadEnabled ? KeyAction::Download : KeyAction::None);
            }
            if (code == VKey::F4) {
                return Act(onProgramPage && context.UploadEnabled ? KeyAction::Upload : KeyAction::None);
            }
            if (code >= VKey::F5 && code <= VKey::F8) {
                int page = static_cast<int>(code - VKey::F5);
                if (page == context.CurrentPage) return Act(KeyAction::None);
                KeyDecision d = Act(KeyAction::SwitchPage);
                d.Page = page;
                return d;
            }
            return KeyDecision{};

        case KeyKind::SysChar:
            if (onProgramPage) {
                if ((code == 'S' || code == 's') && context.SystemDownloadEnabled) {
                    return Act(KeyAction::SystemDownload);
                }
                return Act(KeyAction::None);
            }
            if (code == 'r') return KeyDecision{KeyAction::ShowAltF3, false, 0, 0};
            return KeyDecision{};

        case KeyKind::Char:
            // Ctrl+C stops a job when there is one to stop; otherwise it is a
            // character like any other (an idle machine receives 0x03).
            if (code == kCtrlC && context.CancelEnabled) {
                return Act(KeyAction::CancelJob);
            }
            if (idle && connected) {
                std::optional<uint8_t> byte = MachineByte(code, context.McType);
                if (!byte) return Act(KeyAction::None);
                KeyDecision d = Act(KeyAction::SendByte);
                d.Byte = *byte;
                return d;
            }
            if (idle) return Act(KeyAction::AskConnection);
            return Act(KeyAction::None);
    }
    return KeyDecision{};
}
