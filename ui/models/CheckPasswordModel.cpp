#include "ui/models/CheckPasswordModel.h"

#include <algorithm>

std::size_t CheckPasswordModel::MaxLength(const std::string& stored) { return std::max(kLength, stored.size()); }

std::optional<Msg> CheckPasswordModel::Ok(const std::string& typed) const {
    if (typed != stored_) return Msg::PasswordMismatch;
    return std::nullopt;
}

bool CheckPasswordModel::Request(bool& unlocked, bool alwaysAsk, const std::function<bool()>& runDialog) {
    if (unlocked && !alwaysAsk) return true;
    if (!runDialog()) return false;
    unlocked = true;
    return true;
}
