#include "app/JournalFilter.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

bool JournalFilter::Matches(const TransferRecord& record) const {
    if (Channel != 0 && record.Channel != Channel) return false;
    if (!McType.empty() && record.McType != McType) return false;
    if (Result && record.Result != *Result) return false;
    if (!SinceUtc.empty() && record.StartUtc < SinceUtc) return false;
    if (!UntilUtc.empty() && record.StartUtc >= UntilUtc) return false;
    if (Search.empty()) return true;
    const std::string wanted = Lower(Search);
    for (const std::string* field : {&record.PcFile, &record.McProgram, &record.McName, &record.MessageText,
                                     &record.PcUser, &record.Sha256}) {
        if (Lower(*field).find(wanted) != std::string::npos) return true;
    }
    return false;
}
