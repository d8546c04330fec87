#pragma once
// The rules of the password check: what the password edit accepts, what OK
// does with the typed text, and whether a protected action may go on without
// asking (the unlock lasts until the operator selects a function page).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "lang/Msg.h"

class CheckPasswordModel {
public:
    // Passwords are at most this long when the terminal sets them.
    static constexpr std::size_t kLength = 4;

    explicit CheckPasswordModel(std::string stored) : stored_(std::move(stored)) {}

    // The longest text a password edit takes for `stored`: 4, or the stored
    // password's own length when a hand-edited setting made it longer (the
    // operator could never type it otherwise).
    static std::size_t MaxLength(const std::string& stored);
    std::size_t MaxLength() const { return MaxLength(stored_); }

    // OK with `typed`: nothing when it is the password (the dialog closes),
    // otherwise the message to show while the dialog stays open. The
    // comparison is exact, byte for byte.
    std::optional<Msg> Ok(const std::string& typed) const;

    // RequestPassword: true when the protected action may go on. Without a
    // dialog when `unlocked` is set and the action does not always ask;
    // otherwise `runDialog` asks (true on a passed check), and a pass unlocks.
    static bool Request(bool& unlocked, bool alwaysAsk, const std::function<bool()>& runDialog);

    const std::string& Stored() const { return stored_; }

private:
    std::string stored_;
};
