#include "ui/models/KeyRules.h"

#include <gtest/gtest.h>

#include "engine/StatusBits.h"

namespace {
constexpr uint32_t kIdleConnected = Status::LinkIdle | Status::SubConnected;

KeyContext Context(int page, uint32_t flags, const char* type = "UNIVERSAL") {
    KeyContext c;
    c.CurrentPage = page;
    c.ConnectEnabled = c.DownloadEnabled = c.UploadEnabled = c.SystemDownloadEnabled = true;
    c.StatusFlags = flags;
    c.McType = type;
    return c;
}

KeyDecision Char(uint32_t code, const KeyContext& c) { return KeyRules::Decide(KeyKind::Char, code, c); }
KeyDecision Down(uint32_t code, const KeyContext& c) { return KeyRules::Decide(KeyKind::KeyDown, code, c); }
}  // namespace

TEST(KeyRules, TypedCharactersFollowTheMachineType) {
    struct Case {
        const char* type;
        uint32_t typed;
        int sent;   // -1: nothing queued
    };
    const Case cases[] = {
        {"UNIVERSAL", 'a', 'A'},       {"UNIVERSAL", 0x08, 0x7F},    {"UNIVERSAL", 0x01, -1},
        {"DYNA/PERT", 'z', 'Z'},       {"TDK/VC5", '\r', '\r'},       {"PANASERT/TTY", 0x03, 0x03},
        {"PANASERT/TTY", 0xC3, -1},    {"PANASERT/RS232", 'a', 'a'}, {"PANASERT/RS232", 0x03, 0x03},
        {"TDK/VC5A", 0x08, 0x08},      {"UNIVERSAL", 0x7F, 0x7F},     {"CITIZEN/M10", '\r', '\r'},
        // On these links bytes from 0x80 are sub-module commands (0x81 closes
        // the dialogue) and other control bytes drive the machine's protocol.
        {"PANASERT/RS232", 0x01, -1},  {"CITIZEN/M10", 0xEA, -1},     {"TDK/VC5A", 0x81, -1},
        {"TDK/VC5A", 0xD55C, -1},      {"PANASERT/RS232", 0x7F, -1},  {"UNIVERSAL", 0x100 + 'a', -1},
    };
    for (const Case& c : cases) {
        KeyDecision d = Char(c.typed, Context(0, kIdleConnected, c.type));
        EXPECT_TRUE(d.Consumed) << c.type << " " << c.typed;
        if (c.sent < 0) {
            EXPECT_EQ(d.Action, KeyAction::None) << c.type << " " << c.typed;
        } else {
            EXPECT_EQ(d.Action, KeyAction::SendByte) << c.type << " " << c.typed;
            EXPECT_EQ(d.Byte, c.sent) << c.type << " " << c.typed;
        }
    }
}

TEST(KeyRules, CharactersWithoutAnIdleLink) {
    // Idle but not connected: offer to connect.
    EXPECT_EQ(Char('a', Context(2, Status::LinkIdle)).Action, KeyAction::AskConnection);
    // A job owns the link: swallowed.
    KeyDecision busy = Char('a', Context(0, Status::SubConnected));
    EXPECT_EQ(busy.Action, KeyAction::None);
    EXPECT_TRUE(busy.Consumed);
}

TEST(KeyRules, CtrlCCancelsOnlyWhileThereIsAJobToCancel) {
    KeyContext running = Context(3, Status::SubConnected);
    running.CancelEnabled = true;
    EXPECT_EQ(Char(0x03, running).Action, KeyAction::CancelJob);

    // No job: Ctrl+C is a character like any other and reaches the idle machine.
    KeyDecision idle = Char(0x03, Context(0, kIdleConnected, "PANASERT/RS232"));
    EXPECT_EQ(idle.Action, KeyAction::SendByte);
    EXPECT_EQ(idle.Byte, 0x03);
}

TEST(KeyRules, FunctionKeysSwitchPagesAndRunProgramPageCommands) {
    EXPECT_EQ(Down(0x75 /*F6*/, Context(1, 0)).Action, KeyAction::None);
    EXPECT_TRUE(Down(0x75, Context(1, 0)).Consumed);
    KeyDecision f5 = Down(VKey::F5, Context(1, 0));
    EXPECT_EQ(f5.Action, KeyAction::SwitchPage);
    EXPECT_EQ(f5.Page, 0);
    EXPECT_EQ(Down(VKey::F8, Context(0, 0)).Page, 3);

    EXPECT_EQ(Down(VKey::F2, Context(0, 0)).Action, KeyAction::Connect);
    EXPECT_EQ(Down(VKey::F3, Context(0, 0)).Action, KeyAction::Download);
    EXPECT_EQ(Down(VKey::F4, Context(0, 0)).Action, KeyAction::Upload);
    // Only on the program page, and only with the button enabled.
    EXPECT_EQ(Down(VKey::F3, Context(1, 0)).Action, KeyAction::None);
    KeyContext disabled = Context(0, 0);
    disabled.UploadEnabled = false;
    EXPECT_EQ(Down(VKey::F4, disabled).Action, KeyAction::None);

    EXPECT_EQ(Down(VKey::Tab, Context(0, 0)).Action, KeyAction::FocusPage);
    // Other keys go on to the control that has the focus.
    EXPECT_FALSE(Down(0x26 /*up*/, Context(0, 0)).Consumed);
}

TEST(KeyRules, EscapeNeverClosesAndStopsAnIdleUniversalMachine) {
    KeyDecision universal = Down(VKey::Escape, Context(0, kIdleConnected, "UNIVERSAL"));
    EXPECT_EQ(universal.Action, KeyAction::SendByte);
    EXPECT_EQ(universal.Byte, 0x03);
    KeyDecision other = Down(VKey::Escape, Context(0, kIdleConnected, "TDK/VC5"));
    EXPECT_EQ(other.Action, KeyAction::None);
    EXPECT_TRUE(other.Consumed);
}

TEST(KeyRules, AltCharacters) {
    EXPECT_EQ(KeyRules::Decide(KeyKind::SysChar, 's', Context(0, 0)).Action, KeyAction::SystemDownload);
    KeyContext noSystem = Context(0, 0);
    noSystem.SystemDownloadEnabled = false;
    KeyDecision refused = KeyRules::Decide(KeyKind::SysChar, 'S', noSystem);
    EXPECT_EQ(refused.Action, KeyAction::None);
    EXPECT_TRUE(refused.Consumed);   // every Alt character is used up on the program page

    KeyDecision other = KeyRules::Decide(KeyKind::SysChar, 'x', Context(2, 0));
    EXPECT_FALSE(other.Consumed);
    EXPECT_EQ(KeyRules::Decide(KeyKind::SysChar, 'r', Context(1, 0)).Action, KeyAction::ShowAltF3);
}
