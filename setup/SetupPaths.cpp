#include "setup/SetupPaths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <pwd.h>
#include <unistd.h>

namespace {

// The folder in its plain form ("/a//b/../c/" becomes "/a/c"), so that the
// program folder can later be recognised exactly; "" for a relative path.
std::string AbsoluteOrEmpty(const std::string& path)
{
    if (path.empty() || path.front() != '/') {
        return {};
    }
    std::string plain = std::filesystem::path(path).lexically_normal().string();
    while (plain.size() > 1 && plain.back() == '/') {
        plain.pop_back();
    }
    return plain;
}

// $XDG_x_HOME when usable, else <home>/<fallback>, else "".
std::string XdgHome(const SetupPaths::Environment& env, const char* name, const std::string& home,
                    const char* fallback)
{
    std::string folder = AbsoluteOrEmpty(env(name));
    if (folder.empty() && !home.empty()) {
        folder = (home == "/" ? "" : home) + "/" + fallback;
    }
    return folder;
}

std::string Below(const std::string& folder, const char* name)
{
    if (folder.empty()) {
        return {};
    }
    return (folder == "/" ? std::string() : folder) + "/" + name;
}

}  // namespace

SetupPaths SetupPaths::FromEnvironment(const Environment& env)
{
    SetupPaths paths;
    paths.Home = AbsoluteOrEmpty(env("HOME"));
    const std::string dataHome = XdgHome(env, "XDG_DATA_HOME", paths.Home, ".local/share");
    const std::string configHome = XdgHome(env, "XDG_CONFIG_HOME", paths.Home, ".config");

    paths.ProgramFolder = Below(dataHome, "MERIDO ELE/KOVA");
    paths.InstalledProgram = Below(paths.ProgramFolder, "kova");
    paths.StartMenu = Below(dataHome, "applications");
    paths.Programs = paths.StartMenu;
    paths.AutoStartFile = Below(configHome, "autostart/KOVA.desktop");
    if (!configHome.empty()) {
        paths.Desktop = ReadDesktopFolder(configHome + "/user-dirs.dirs", paths.Home);
    }
    if (paths.Desktop.empty()) {
        paths.Desktop = Below(paths.Home, "Desktop");
    }
    return paths;
}

SetupPaths::Environment SetupPaths::ProcessEnvironment()
{
    return [](const char* name) -> std::string {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return value;
        }
        if (std::string(name) == "HOME") {
            if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
                return entry->pw_dir;
            }
        }
        return {};
    };
}

SetupPaths SetupPaths::FromProcessEnvironment()
{
    return FromEnvironment(ProcessEnvironment());
}

std::string SetupPaths::ReadDesktopFolder(const std::string& userDirsFile, const std::string& home)
{
    std::ifstream in(userDirsFile);
    const std::string key = "XDG_DESKTOP_DIR=";
    std::string line;
    std::string value;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) {
            continue;
        }
        value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) {
            value.pop_back();
        }
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
    }
    // "$HOME" alone or followed by a '/' is the home folder; no other variable is expanded.
    const std::string homeVariable = "$HOME";
    if (value.compare(0, homeVariable.size(), homeVariable) == 0 &&
        (value.size() == homeVariable.size() || value[homeVariable.size()] == '/')) {
        value = home + value.substr(homeVariable.size());
    }
    return value;
}
