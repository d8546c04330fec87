#include "setup/InstallState.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "setup/DesktopEntry.h"

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool SameText(const std::string& a, const std::string& b)
{
    return !a.empty() && Upper(a) == Upper(b);
}

// The rule must name the bridge by vendor and product, not merely exist.
bool RuleNamesTheBridge(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string text = Upper(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    return text.find("ATTRS{IDVENDOR}==\"10C4\"") != std::string::npos &&
           text.find("ATTRS{IDPRODUCT}==\"EA60\"") != std::string::npos;
}

}  // namespace

InstallState InstallState::WorkOut(const SetupPaths& paths)
{
    unsigned flags = 0;
    DesktopEntry autoStart;
    if (!paths.AutoStartFile.empty() && autoStart.Read(paths.AutoStartFile) &&
        SameText(autoStart.ExecProgram(), paths.InstalledProgram)) {
        flags |= autoStart.IsHidden() ? AutoStartDisabled : AutoStart;
    }
    if (!paths.UdevRuleFile.empty() && RuleNamesTheBridge(paths.UdevRuleFile)) {
        flags |= Driver;
    }
    std::error_code ec;
    if (!paths.InstalledProgram.empty() && std::filesystem::is_regular_file(paths.InstalledProgram, ec)) {
        flags |= Program;
    }
    return InstallState(flags);
}
