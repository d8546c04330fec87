#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "setup/DesktopEntry.h"
#include "support/TempFolder.h"

namespace {

// Whatever the path holds, the entry starts exactly that program.
TEST(DesktopEntryTest, ExecNamesTheProgramWhateverItsPathHolds)
{
    const char* programs[] = {
        "/home/op/.local/share/MERIDO ELE/KOVA/kova",
        "/home/o\"p/$HOME/`x`/back\\slash/100%/kova",
    };
    for (const char* program : programs) {
        DesktopEntry entry;
        entry.Parse(DesktopEntry::Text(program, "/folder"));
        EXPECT_EQ(entry.ExecProgram(), program);
        EXPECT_FALSE(entry.IsHidden());
    }
    EXPECT_EQ(DesktopEntry::ExecValue("/a b/kova"), "\"/a b/kova\"");
}

TEST(DesktopEntryTest, ReadsHandWrittenEntries)
{
    struct Case {
        const char* text;
        const char* program;
        bool hidden;
    } cases[] = {
        {"[Desktop Entry]\nExec=/opt/kova/kova --flag\n", "/opt/kova/kova", false},
        {"[Desktop Entry]\nExec = \"/a b/kova\" %f\nHidden=true\n", "/a b/kova", true},
        {"[Desktop Entry]\nExec=kova\nHidden=true\nHidden=false\n", "kova", false},
        {"[Desktop Entry]\nExec=kova\nX-GNOME-Autostart-enabled=false\n", "kova", true},
        {"[Desktop Entry]\nExec=\"/no/end\n", "", false},
        {"[Desktop Action x]\nExec=/other\n[Desktop Entry]\nName=KOVA\n", "", false},
    };
    for (const Case& c : cases) {
        DesktopEntry entry;
        entry.Parse(c.text);
        EXPECT_EQ(entry.ExecProgram(), c.program) << c.text;
        EXPECT_EQ(entry.IsHidden(), c.hidden) << c.text;
    }
    DesktopEntry missing;
    EXPECT_FALSE(missing.Read("/nonexistent/KOVA.desktop"));
}

// The desktop's own checker accepts what the installer writes.
TEST(DesktopEntryTest, WrittenEntriesPassDesktopFileValidate)
{
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    }
    TempFolder folder("kova-entry");
    const auto file = folder / "KOVA.desktop";
    TempFolder::Write(file, DesktopEntry::Text("/home/op/.local/share/MERIDO ELE/KOVA/kova",
                                               "/home/op/.local/share/MERIDO ELE/KOVA", true));
    const std::string command = "desktop-file-validate '" + file.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
