#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SetupFixture.h"
#include "setup/DesktopEntry.h"

namespace fs = std::filesystem;

namespace {

struct SetupModelTest : SetupFixture {
    SetupModel model{Paths(), Release().string()};
    const SetupPaths& paths = model.Paths();

    void WriteAutoStart(const std::string& program, bool hidden)
    {
        fs::create_directories(fs::path(paths.AutoStartFile).parent_path());
        TempFolder::Write(paths.AutoStartFile, DesktopEntry::Text(program, "/", hidden));
        model.Refresh();
    }
};

std::string ShortcutTarget(const fs::path& file)
{
    DesktopEntry entry;
    return entry.Read(file.string()) ? entry.ExecProgram() : "(unreadable)";
}

TEST_F(SetupModelTest, InstallCopiesTheReleaseAndPlacesShortcutsInBothFolders)
{
    ASSERT_EQ(model.State().Flags(), 0u);
    EXPECT_EQ(model.InstallProgram(), "");

    const fs::path folder = paths.ProgramFolder;
    for (const char* name : {"kova", "kova-cli", "KOVA_M1002.TXT", "KOVA_M2000.TXT"}) {
        EXPECT_TRUE(fs::is_regular_file(folder / name)) << name;
    }
    EXPECT_FALSE(fs::exists(folder / "notes.txt"));
    EXPECT_FALSE(fs::exists(folder / "kova-sim"));   // not in this release: skipped quietly
    EXPECT_NE(fs::status(folder / "kova").permissions() & fs::perms::owner_exec, fs::perms::none);
    for (const fs::path& shortcutFolder : {folder, fs::path(paths.StartMenu), fs::path(paths.Desktop)}) {
        EXPECT_EQ(ShortcutTarget(shortcutFolder / "KOVA.desktop"), paths.InstalledProgram) << shortcutFolder;
    }
    EXPECT_NE(TempFolder::Read(fs::path(paths.Desktop) / "KOVA.desktop").find("Path=" + paths.ProgramFolder),
              std::string::npos);

    EXPECT_EQ(model.State().Flags(), unsigned{InstallState::Program});
    const SetupModel::Buttons buttons = model.ButtonStates();
    EXPECT_FALSE(buttons.InstallProgram);
    EXPECT_TRUE(buttons.UninstallProgram);
    EXPECT_TRUE(buttons.SetAutoStart);
    EXPECT_FALSE(buttons.ResetAutoStart);
    EXPECT_TRUE(buttons.InstallDriver);
    EXPECT_FALSE(buttons.UninstallDriver);

    // Installing again (a newer release) replaces the files in place.
    TempFolder::Write(Release() / "kova", "#!/bin/sh\n# new\n");
    EXPECT_EQ(model.InstallProgram(), "");
    EXPECT_EQ(TempFolder::Read(folder / "kova"), "#!/bin/sh\n# new\n");
}

// Started from a package's /usr/bin: the language file is in ../share/kova.
TEST_F(SetupModelTest, InstallFromAPackageTakesTheLanguageFileFromShare)
{
    fs::remove(Release() / "KOVA_M1002.TXT");
    fs::remove(Release() / "KOVA_M2000.TXT");
    fs::create_directories(root / "share" / "kova");
    TempFolder::Write(root / "share" / "kova" / "KOVA_M1002.TXT", "installed");
    EXPECT_EQ(model.InstallProgram(), "");
    EXPECT_EQ(TempFolder::Read(fs::path(paths.ProgramFolder) / "KOVA_M1002.TXT"), "installed");
}

TEST_F(SetupModelTest, MissingProgramIsNamedAndNothingIsCopied)
{
    fs::remove(Release() / "kova");
    EXPECT_EQ(model.InstallProgram(), "File(kova) not found.");
    model.Language = 1;
    EXPECT_EQ(model.InstallProgram(), "kova 파일이 존재하지 않습니다.");
    EXPECT_FALSE(fs::exists(paths.ProgramFolder));
    EXPECT_FALSE(fs::exists(fs::path(paths.StartMenu) / "KOVA.desktop"));
    EXPECT_TRUE(model.ButtonStates().InstallProgram);
}

TEST_F(SetupModelTest, ShortcutThatCannotBePlacedIsReportedAndTheProgramStays)
{
    TempFolder::Write(paths.Desktop, "a file where the desktop folder should be");
    EXPECT_EQ(model.InstallProgram(), "Failed to write ICON in start menu");
    EXPECT_TRUE(model.State().Has(InstallState::Program));
    EXPECT_TRUE(fs::exists(fs::path(paths.StartMenu) / "KOVA.desktop"));
}

TEST_F(SetupModelTest, FailedCopyIsReportedNotPassedOffAsInstalled)
{
    fs::create_directories(fs::path(paths.ProgramFolder).parent_path());
    TempFolder::Write(paths.ProgramFolder, "a file where the program folder should be");
    EXPECT_EQ(model.InstallProgram(), "Failed to write " + paths.ProgramFolder + ".");
    EXPECT_FALSE(model.State().Has(InstallState::Program));
}

TEST_F(SetupModelTest, AutoStartIsSetAndReset)
{
    model.InstallProgram();
    EXPECT_EQ(model.SetAutoStart(), "");
    EXPECT_EQ(model.State().Flags(), unsigned{InstallState::Program | InstallState::AutoStart});
    EXPECT_EQ(ShortcutTarget(paths.AutoStartFile), paths.InstalledProgram);
    EXPECT_FALSE(model.ButtonStates().SetAutoStart);
    EXPECT_TRUE(model.ButtonStates().ResetAutoStart);

    EXPECT_EQ(model.ResetAutoStart(), "");
    EXPECT_FALSE(fs::exists(paths.AutoStartFile));
    EXPECT_EQ(model.State().Flags(), unsigned{InstallState::Program});
    EXPECT_TRUE(model.ButtonStates().SetAutoStart);
    EXPECT_FALSE(model.ButtonStates().ResetAutoStart);
}

TEST_F(SetupModelTest, HiddenAutoStartCountsAsSwitchedOffAndIsResetToo)
{
    model.InstallProgram();
    WriteAutoStart(paths.InstalledProgram, true);
    EXPECT_EQ(model.State().Flags(), unsigned{InstallState::Program | InstallState::AutoStartDisabled});
    EXPECT_FALSE(model.ButtonStates().SetAutoStart);
    EXPECT_TRUE(model.ButtonStates().ResetAutoStart);
    model.ResetAutoStart();
    EXPECT_FALSE(fs::exists(paths.AutoStartFile));
}

TEST_F(SetupModelTest, AutoStartOfAnotherProgramIsNotOursAndStays)
{
    model.InstallProgram();
    WriteAutoStart("/opt/other/kova", false);
    EXPECT_FALSE(model.State().AutoStartSet());
    EXPECT_FALSE(model.ButtonStates().ResetAutoStart);
    model.ResetAutoStart();
    model.UninstallProgram();
    EXPECT_EQ(ShortcutTarget(paths.AutoStartFile), "/opt/other/kova");
}

TEST_F(SetupModelTest, UnwritableAutoStartFolderIsReported)
{
    model.InstallProgram();
    fs::create_directories(fs::path(paths.AutoStartFile).parent_path().parent_path());
    TempFolder::Write(fs::path(paths.AutoStartFile).parent_path(), "not a folder");
    EXPECT_EQ(model.SetAutoStart(), "Failed to write registry.");
    EXPECT_FALSE(model.State().AutoStartSet());
}

TEST_F(SetupModelTest, UninstallRemovesFolderWithForeignFilesShortcutsAndAutoStart)
{
    model.InstallProgram();
    model.SetAutoStart();
    TempFolder::Write(fs::path(paths.ProgramFolder) / "operator-notes.txt", "mine");
    fs::create_directories(fs::path(paths.ProgramFolder) / "backup");
    TempFolder::Write(fs::path(paths.ProgramFolder) / "backup" / "old.TXT", "old");

    EXPECT_EQ(model.UninstallProgram(), "");
    EXPECT_FALSE(fs::exists(paths.ProgramFolder));
    EXPECT_TRUE(fs::exists(fs::path(paths.ProgramFolder).parent_path()));   // "MERIDO ELE" stays
    EXPECT_FALSE(fs::exists(fs::path(paths.StartMenu) / "KOVA.desktop"));
    EXPECT_FALSE(fs::exists(fs::path(paths.Desktop) / "KOVA.desktop"));
    EXPECT_FALSE(fs::exists(paths.AutoStartFile));
    EXPECT_EQ(model.State().Flags(), 0u);
    EXPECT_TRUE(fs::exists(Release() / "kova"));
}

TEST_F(SetupModelTest, UninstallKeepsTheTransferJournalAndItsFolder)
{
    model.InstallProgram();
    const fs::path folder(paths.ProgramFolder);
    TempFolder::Write(folder / "journal.sqlite", "records");
    TempFolder::Write(folder / "journal.sqlite-wal", "pending");
    TempFolder::Write(folder / "notes.txt", "mine");

    EXPECT_EQ(model.UninstallProgram(), "");
    EXPECT_TRUE(fs::exists(folder / "journal.sqlite"));
    EXPECT_TRUE(fs::exists(folder / "journal.sqlite-wal"));
    EXPECT_FALSE(fs::exists(folder / "notes.txt"));
    EXPECT_FALSE(fs::exists(paths.InstalledProgram));
    EXPECT_EQ(model.State().Flags(), 0u);
}

// The whole folder goes, so only the folder the installer computed may go.
TEST_F(SetupModelTest, OnlyTheComputedProgramFolderIsEverDeleted)
{
    struct Case {
        std::string folder;
        bool removable;
    } cases[] = {
        {"/home/op/.local/share/MERIDO ELE/KOVA", true},
        {"", false},
        {"/", false},
        {"MERIDO ELE/KOVA", false},
        {"/MERIDO ELE/KOVA/..", false},
        {"/home/op/.local/share/MERIDO ELE/KOVA/", false},
        {"/home/op/.local/share/KOVA", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetupModel::IsProgramFolder(c.folder), c.removable) << c.folder;
    }

    SetupPaths odd = Paths();
    odd.ProgramFolder = (root / "home").string();
    odd.InstalledProgram = odd.ProgramFolder + "/kova";
    SetupModel oddModel(odd, Release().string());
    TempFolder::Write(root / "home" / "kova", "#!/bin/sh\n");
    oddModel.UninstallProgram();
    EXPECT_TRUE(fs::exists(root / "home" / "kova"));
}

TEST_F(SetupModelTest, UdevRuleForTheBridgeIsTheDriverMark)
{
    fs::create_directories(fs::path(paths.UdevRuleFile).parent_path());
    TempFolder::Write(paths.UdevRuleFile, "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\"\n");
    model.Refresh();
    EXPECT_FALSE(model.State().Has(InstallState::Driver));
    TempFolder::Write(paths.UdevRuleFile, "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10C4\", ATTRS{idProduct}==\"EA60\"\n");
    model.Refresh();
    EXPECT_TRUE(model.State().Has(InstallState::Driver));
    EXPECT_FALSE(model.ButtonStates().InstallDriver);
    EXPECT_TRUE(model.ButtonStates().UninstallDriver);
    EXPECT_NE(model.UninstallDriverAdvice().find("/etc/udev/rules.d/99-kova-cp210x.rules"), std::string::npos);
}

TEST_F(SetupModelTest, DriverCommandNeedsTheScriptInTheRelease)
{
    std::string message;
    EXPECT_TRUE(model.DriverCommand(message).empty());
    EXPECT_EQ(message, "USB-UART driver file not found.");
    TempFolder::Write(Release() / "kova-usb-setup", "#!/bin/sh\n");
    const std::vector<std::string> command = model.DriverCommand(message);
    EXPECT_EQ(message, "");
    EXPECT_EQ(command, (std::vector<std::string>{"pkexec", "/bin/sh", (Release() / "kova-usb-setup").string()}));
}

// The real script, pointed at a rule file of the test's own: it names the
// user who asked and gives the mark the installer looks for.
TEST_F(SetupModelTest, UsbSetupScriptWritesTheRuleForTheAskingUser)
{
    const std::string run = "KOVA_UDEV_RULE='" + paths.UdevRuleFile + "' PKEXEC_UID=65534 SUDO_USER= /bin/sh '" +
                            KOVA_USB_SETUP_SCRIPT + "' >/dev/null";
    ASSERT_EQ(std::system(run.c_str()), 0);
    EXPECT_NE(TempFolder::Read(paths.UdevRuleFile).find("OWNER=\"nobody\""), std::string::npos);
    model.Refresh();
    EXPECT_TRUE(model.State().Has(InstallState::Driver));

    // Nobody to give the device to: nothing is written.
    fs::remove(paths.UdevRuleFile);
    const std::string anonymous = "KOVA_UDEV_RULE='" + paths.UdevRuleFile + "' PKEXEC_UID= SUDO_USER= /bin/sh '" +
                                  KOVA_USB_SETUP_SCRIPT + "' 2>/dev/null";
    EXPECT_NE(std::system(anonymous.c_str()), 0);
    EXPECT_FALSE(fs::exists(paths.UdevRuleFile));
}

TEST(SetupModelLocale, KoreanLocaleChoosesKorean)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        int language;
    } cases[] = {
        {"", "", "ko_KR.UTF-8", 1},
        {"", "ko_KR.UTF-8", "en_US.UTF-8", 1},
        {"C", "ko_KR.UTF-8", "ko_KR.UTF-8", 0},
        {"", "", "en_GB.UTF-8", 0},
        {"", "", "", 0},
    };
    for (const Case& c : cases) {
        const int language = SetupModel::LanguageFromLocale([&c](const char* name) -> std::string {
            const std::string n = name;
            return n == "LC_ALL" ? c.lcAll : n == "LC_MESSAGES" ? c.lcMessages : n == "LANG" ? c.lang : "";
        });
        EXPECT_EQ(language, c.language) << c.lcAll << "/" << c.lcMessages << "/" << c.lang;
    }
}

}  // namespace
