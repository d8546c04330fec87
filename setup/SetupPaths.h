#pragma once
// Where the installer puts things, worked out from the user's environment the
// way desktop Linux does it (XDG base and user folders):
//
//   program folder     $XDG_DATA_HOME/MERIDO ELE/KOVA (default ~/.local/share/...)
//   installed program  the program folder + "/kova"
//   Start Menu and Programs   $XDG_DATA_HOME/applications
//   Desktop            XDG_DESKTOP_DIR from $XDG_CONFIG_HOME/user-dirs.dirs, a
//                      leading "$HOME" replaced by HOME, anything else used as
//                      written (default ~/Desktop)
//   auto start entry   $XDG_CONFIG_HOME/autostart/KOVA.desktop
//   USB-UART mark      the udev rule /etc/udev/rules.d/99-kova-cp210x.rules
//
// An XDG variable that is empty or not an absolute path is ignored, as the
// XDG rules say. Without a home folder the folders below it stay empty, and
// every action on them fails instead of writing below "/".

#include <functional>
#include <string>

struct SetupPaths {
    // Reads one environment variable; an unset variable reads as "".
    using Environment = std::function<std::string(const char* name)>;

    std::string Home;
    std::string ProgramFolder;
    std::string InstalledProgram;
    std::string StartMenu;
    std::string Programs;
    std::string Desktop;
    std::string AutoStartFile;
    std::string UdevRuleFile = "/etc/udev/rules.d/99-kova-cp210x.rules";

    static SetupPaths FromEnvironment(const Environment& env);
    // The process environment; HOME falls back to the password database.
    static SetupPaths FromProcessEnvironment();
    static Environment ProcessEnvironment();

    // XDG_DESKTOP_DIR of a user-dirs.dirs file; "" when the file or the line
    // is missing.
    static std::string ReadDesktopFolder(const std::string& userDirsFile, const std::string& home);
};
