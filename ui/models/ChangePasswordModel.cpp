#include "ui/models/ChangePasswordModel.h"

#include "app/CKOVAApp.h"
#include "ui/models/CheckPasswordModel.h"

std::size_t ChangePasswordModel::CurrentMaxLength() const { return CheckPasswordModel::MaxLength(stored_); }

std::size_t ChangePasswordModel::NewMaxLength() { return CheckPasswordModel::kLength; }

std::optional<Msg> ChangePasswordModel::Ok(const std::string& current, const std::string& newPassword,
                                           const std::string& confirmation) {
    if (current != stored_) return Msg::CurrentPasswordMismatch;
    if (newPassword != confirmation) return Msg::PasswordConfirmMismatch;
    stored_ = newPassword;
    return std::nullopt;
}

bool ChangePasswordModel::Commit(CKOVAApp& app, const std::string& newPassword) {
    if (newPassword == app.Password) return false;
    app.Password = newPassword;
    app.SavePasswordSetting();
    return true;
}
