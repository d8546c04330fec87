#pragma once
// The rules of the password change: the current password must match, the new
// one must equal its confirmation; the program keeps and saves a new password
// only when it differs from the old one.

#include <cstddef>
#include <optional>
#include <string>

#include "lang/Msg.h"

class CKOVAApp;

class ChangePasswordModel {
public:
    explicit ChangePasswordModel(std::string stored) : stored_(std::move(stored)) {}

    // The current-password edit takes the stored password's length when it is
    // longer than 4; new passwords are at most 4 characters.
    std::size_t CurrentMaxLength() const;
    static std::size_t NewMaxLength();

    // OK, checked in this order: the current password (message 33), then the
    // confirmation (message 34). Nothing when both pass: the dialog's stored
    // password is then the new one and the dialog closes.
    std::optional<Msg> Ok(const std::string& current, const std::string& newPassword,
                          const std::string& confirmation);

    const std::string& Stored() const { return stored_; }

    // After the dialog's OK: keeps `newPassword` in the application and saves
    // it, unless it equals the present one. True when it changed.
    static bool Commit(CKOVAApp& app, const std::string& newPassword);

private:
    std::string stored_;
};
