#include "setup/SetupModel.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include <unistd.h>

#include "setup/DesktopEntry.h"

#ifndef KOVA_SET_VERSION
#define KOVA_SET_VERSION "0.0.0.0"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgram = "kova";
constexpr const char* kCompanions[] = {"kova-cli", "kova-sim"};
constexpr const char* kShortcut = "KOVA.desktop";
constexpr const char* kDriverScript = "kova-usb-setup";

bool IsLanguageFile(const std::string& name)
{
    const std::string head = "KOVA_M";
    const std::string tail = ".TXT";
    return name.size() >= head.size() + tail.size() && name.compare(0, head.size(), head) == 0 &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

bool MakeFolder(const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    return !folder.empty() && fs::is_directory(folder, ec);
}

// Files are put in place through a temporary sibling and a rename, so that a
// running copy of the program is replaced instead of failing with "text file
// busy", and a broken copy never stands in for the old file. `fill` writes
// the temporary file.
template <typename Fill>
bool PutInPlace(const fs::path& to, fs::perms perms, Fill fill)
{
    std::error_code ec;
    const fs::path temporary = to.parent_path() / ("." + to.filename().string() + ".new");
    fs::remove(temporary, ec);
    if (!fill(temporary)) {
        fs::remove(temporary, ec);
        return false;
    }
    fs::permissions(temporary, perms, ec);
    fs::rename(temporary, to, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

bool CopyReplacing(const fs::path& from, const fs::path& to, fs::perms perms)
{
    return PutInPlace(to, perms, [&from](const fs::path& temporary) {
        std::error_code ec;
        return fs::copy_file(from, temporary, ec);
    });
}

bool WriteReplacing(const fs::path& to, const std::string& text, fs::perms perms)
{
    return MakeFolder(to.parent_path().string()) && PutInPlace(to, perms, [&text](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        return static_cast<bool>(out);
    });
}

constexpr fs::perms kExecutable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec;
constexpr fs::perms kReadable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read;

}  // namespace

SetupModel::SetupModel(SetupPaths paths, std::string sourceFolder)
    : paths_(std::move(paths)), source_(std::move(sourceFolder))
{
    Refresh();
}

int SetupModel::LanguageFromLocale(const SetupPaths::Environment& env)
{
    std::string locale = env("LC_ALL");
    if (locale.empty()) {
        locale = env("LC_MESSAGES");
    }
    if (locale.empty()) {
        locale = env("LANG");
    }
    return locale.compare(0, 2, "ko") == 0 ? 1 : 0;
}

std::string SetupModel::FileVersionLine() const
{
    return texts_.Format(SetupText::FileVersion, Language, KOVA_SET_VERSION);
}

SetupModel::Buttons SetupModel::ButtonStates() const
{
    Buttons buttons;
    buttons.InstallDriver = !state_.Has(InstallState::Driver);
    buttons.UninstallDriver = state_.Has(InstallState::Driver);
    const bool installed = state_.Has(InstallState::Program);
    buttons.InstallProgram = !installed;
    buttons.UninstallProgram = installed;
    buttons.SetAutoStart = installed && !state_.AutoStartSet();
    buttons.ResetAutoStart = state_.AutoStartSet();
    return buttons;
}

std::string SetupModel::InstallProgram()
{
    const fs::path source(source_);
    std::error_code ec;
    if (!fs::is_regular_file(source / kProgram, ec)) {
        Refresh();
        return texts_.Format(SetupText::ProgramMissing, Language, kProgram);
    }
    // A copy that fails is said, not left for the user to find when the
    // shortcut starts nothing.
    std::string failed;
    const fs::path folder(paths_.ProgramFolder);
    if (!MakeFolder(paths_.ProgramFolder)) {
        failed = paths_.ProgramFolder.empty() ? std::string("MERIDO ELE/KOVA") : paths_.ProgramFolder;
    }
    std::vector<std::pair<fs::path, fs::perms>> files{{source / kProgram, kExecutable}};
    for (const char* name : kCompanions) {
        if (fs::is_regular_file(source / name, ec)) {
            files.emplace_back(source / name, kExecutable);
        }
    }
    // The language files lie beside the programs in a release folder; an
    // installed package keeps them in ../share/kova.
    const std::size_t programCount = files.size();
    for (const fs::path& folder : {source, source / ".." / "share" / "kova"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
            if (IsLanguageFile(entry.path().filename().string()) && entry.is_regular_file(ec)) {
                files.emplace_back(entry.path(), kReadable);
            }
        }
        if (files.size() > programCount) {
            break;
        }
    }
    for (const auto& [from, perms] : files) {
        if (!failed.empty()) {
            break;
        }
        const fs::path to = folder / from.filename();
        if (!CopyReplacing(from, to, perms)) {
            failed = to.string();
        }
    }
    if (!failed.empty()) {
        Refresh();
        return texts_.Format(SetupText::WriteFailed, Language, failed);
    }

    const std::string message = WriteShortcuts() ? std::string() : Text(SetupText::ShortcutFailed);
    Refresh();
    return message;
}

// The shortcut in the program folder, then copies of it in the Start Menu
// and on the desktop. Desktops start an entry on the desktop only when it is
// executable, hence the mode.
bool SetupModel::WriteShortcuts()
{
    const fs::path shortcut = fs::path(paths_.ProgramFolder) / kShortcut;
    if (!WriteReplacing(shortcut, DesktopEntry::Text(paths_.InstalledProgram, paths_.ProgramFolder),
                        kExecutable)) {
        return false;
    }
    bool copied = true;
    for (const std::string& folder : {paths_.StartMenu, paths_.Desktop}) {
        if (!MakeFolder(folder) ||
            !CopyReplacing(shortcut, fs::path(folder) / kShortcut, kExecutable)) {
            copied = false;
        }
    }
    return copied;
}

// Only an entry that starts the installed program is ours to remove.
void SetupModel::RemoveAutoStart()
{
    if (state_.AutoStartSet()) {
        std::error_code ec;
        fs::remove(paths_.AutoStartFile, ec);
    }
}

std::string SetupModel::UninstallProgram()
{
    Refresh();
    RemoveAutoStart();
    for (const std::string& folder : {paths_.ProgramFolder, paths_.StartMenu, paths_.Programs, paths_.Desktop}) {
        if (!folder.empty()) {
            std::error_code ec;
            fs::remove(fs::path(folder) / kShortcut, ec);
        }
    }
    // Everything in the folder goes, files the user put there too, except the
    // transfer journal: a factory's record of which program went where
    // outlives the program. So the folder must be the one this installer
    // computed, never "" or "/".
    if (IsProgramFolder(paths_.ProgramFolder)) {
        std::error_code ec;
        for (fs::directory_iterator it(paths_.ProgramFolder, ec), end; !ec && it != end; it.increment(ec)) {
            if (!IsJournalFile(it->path().filename().string())) {
                std::error_code removeError;
                fs::remove_all(it->path(), removeError);
            }
        }
        // Removed only when empty, so a kept journal keeps its folder.
        fs::remove(paths_.ProgramFolder, ec);
    }
    Refresh();
    return {};
}

bool SetupModel::IsJournalFile(const std::string& name)
{
    // The database and the files SQLite keeps beside it while it writes.
    return name.rfind(kJournalFile, 0) == 0;
}

std::string SetupModel::SetAutoStart()
{
    const bool written = !paths_.AutoStartFile.empty() &&
                         WriteReplacing(paths_.AutoStartFile,
                                        DesktopEntry::Text(paths_.InstalledProgram, paths_.ProgramFolder),
                                        kReadable);
    Refresh();
    return written ? std::string() : Text(SetupText::AutoStartFailed);
}

std::string SetupModel::ResetAutoStart()
{
    Refresh();
    RemoveAutoStart();
    Refresh();
    return {};
}

std::vector<std::string> SetupModel::DriverCommand(std::string& message) const
{
    const fs::path script = fs::path(source_) / kDriverScript;
    std::error_code ec;
    if (source_.empty() || !fs::is_regular_file(script, ec)) {
        message = Text(SetupText::DriverPackageMissing);
        return {};
    }
    message.clear();
    std::vector<std::string> command = launcher_;
    command.push_back(fs::absolute(script, ec).lexically_normal().string());
    return command;
}

bool SetupModel::IsProgramFolder(const std::string& folder)
{
    const fs::path path(folder);
    return path.is_absolute() && path == path.lexically_normal() && path.filename() == "KOVA" &&
           path.parent_path().filename() == "MERIDO ELE" && path.parent_path().has_relative_path();
}
