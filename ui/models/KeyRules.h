#pragma once
// What a key does in the terminal window. Every key that reaches the window (or
// that a page forwards) arrives as one of three kinds of key message, with a
// virtual key code for a key-down and a character code otherwise; the rules
// below decide the action from the page shown, the program page's buttons and
// the link state.

#include <cstdint>
#include <optional>
#include <string>

enum class KeyKind : uint32_t {
    KeyDown = 0x100,   // a key was pressed (virtual key code)
    SysChar = 0x106,   // a character typed with Alt held
    Char = 0x102,      // a typed character
};

// Virtual key codes the rules look at.
namespace VKey {
inline constexpr uint32_t Back = 0x08;
inline constexpr uint32_t Tab = 0x09;
inline constexpr uint32_t Return = 0x0D;
inline constexpr uint32_t Escape = 0x1B;
inline constexpr uint32_t F1 = 0x70;
inline constexpr uint32_t F2 = 0x71;
inline constexpr uint32_t F3 = 0x72;
inline constexpr uint32_t F4 = 0x73;
inline constexpr uint32_t F5 = 0x74;
inline constexpr uint32_t F8 = 0x77;
}  // namespace VKey

// What the window knows when a key arrives.
struct KeyContext {
    int CurrentPage = 0;
    // Enabled states of the program page's buttons.
    bool ConnectEnabled = false;
    bool DownloadEnabled = false;
    bool UploadEnabled = false;
    bool SystemDownloadEnabled = false;
    bool CancelEnabled = false;
    uint32_t StatusFlags = 0;
    std::string McType;   // type of the current channel
};

enum class KeyAction {
    None,             // nothing to do (the key may still be consumed)
    FocusPage,        // Tab: focus to the current page
    SendByte,         // queue Byte to the machine (not raw)
    Connect,          // the program page's connect / disconnect command
    Download,
    Upload,
    SystemDownload,
    CancelJob,
    SwitchPage,       // to Page, selecting its tab
    AskConnection,    // "Do you want connection?" and connect on Yes
    ShowAltF3,        // Alt+R on pages 1 to 3 shows "ALT+F3"
};

struct KeyDecision {
    KeyAction Action = KeyAction::None;
    bool Consumed = false;   // false: the key goes on to the normal handling
    int Page = 0;            // for SwitchPage
    uint8_t Byte = 0;        // for SendByte
};

class KeyRules {
public:
    static KeyDecision Decide(KeyKind kind, uint32_t code, const KeyContext& context);

    // The byte that a typed character puts on the machine line for a machine
    // type, or nothing when that type does not take it.
    static std::optional<uint8_t> MachineByte(uint32_t code, const std::string& mcType);
};
