#include <gtest/gtest.h>

#include "SetupFixture.h"

namespace {

using SetupPathsTest = SetupFixture;

TEST_F(SetupPathsTest, DefaultsLieBelowHome)
{
    const std::string home = env["HOME"];
    const SetupPaths paths = Paths();
    EXPECT_EQ(paths.ProgramFolder, home + "/.local/share/MERIDO ELE/KOVA");
    EXPECT_EQ(paths.InstalledProgram, home + "/.local/share/MERIDO ELE/KOVA/kova");
    EXPECT_EQ(paths.StartMenu, home + "/.local/share/applications");
    EXPECT_EQ(paths.Programs, paths.StartMenu);
    EXPECT_EQ(paths.Desktop, home + "/Desktop");
    EXPECT_EQ(paths.AutoStartFile, home + "/.config/autostart/KOVA.desktop");
}

TEST_F(SetupPathsTest, XdgFoldersAreUsedInPlainFormAndRelativeOnesIgnored)
{
    env["XDG_DATA_HOME"] = "/srv/data//user/../op/";
    env["XDG_CONFIG_HOME"] = "relative/config";
    const SetupPaths paths = Paths();
    EXPECT_EQ(paths.ProgramFolder, "/srv/data/op/MERIDO ELE/KOVA");
    EXPECT_EQ(paths.StartMenu, "/srv/data/op/applications");
    EXPECT_EQ(paths.AutoStartFile, env["HOME"] + "/.config/autostart/KOVA.desktop");
    EXPECT_TRUE(SetupModel::IsProgramFolder(paths.ProgramFolder));
}

TEST_F(SetupPathsTest, WithoutAHomeNothingLandsBelowTheRoot)
{
    env.erase("HOME");
    const SetupPaths paths = Paths();
    EXPECT_EQ(paths.ProgramFolder, "");
    EXPECT_EQ(paths.InstalledProgram, "");
    EXPECT_EQ(paths.Desktop, "");
    EXPECT_EQ(paths.AutoStartFile, "");
}

TEST_F(SetupPathsTest, DesktopFolderComesFromUserDirs)
{
    const std::string home = env["HOME"];
    struct Case {
        const char* line;
        std::string desktop;
    } cases[] = {
        {"XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"", home + "/Schreibtisch"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"", "/srv/desk"},
        // Only $HOME is expanded; anything else stays as written.
        {"XDG_DESKTOP_DIR=\"$XDG_OTHER/desk\"", "$XDG_OTHER/desk"},
        {"XDG_DESKTOP_DIR=\"$HOMEDIR/desk\"", "$HOMEDIR/desk"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"", home + "/Desktop"},
    };
    std::filesystem::create_directories(root / "home" / ".config");
    for (const Case& c : cases) {
        TempFolder::Write(root / "home" / ".config" / "user-dirs.dirs",
                          std::string("# written by xdg-user-dirs-update\n") + c.line + "\n");
        EXPECT_EQ(Paths().Desktop, c.desktop) << c.line;
    }
}

}  // namespace
