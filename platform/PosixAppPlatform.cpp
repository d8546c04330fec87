#include "platform/PosixAppPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include <pwd.h>
#include <unistd.h>

#include "lang/LanguageFileDecoder.h"
#include "platform/Cp949Decoder.h"
#include "platform/KoreanLocale.h"
#include "platform/QSettingsStore.h"
#include "platform/SerialDeviceScanner.h"
#include "platform/SingleInstanceLock.h"

PosixAppPlatform::PosixAppPlatform() : PosixAppPlatform(std::make_unique<QSettingsStore>())
{
}

PosixAppPlatform::PosixAppPlatform(std::unique_ptr<SettingsStore> settings)
    : settings_(std::move(settings))
{
    // Language files edited on the Windows system are in code page 949.
    SetLanguageFileDecoder(Cp949Decoder::Decode);
}

PosixAppPlatform::~PosixAppPlatform() = default;

void PosixAppPlatform::SetMessageBoxHandler(MessageBoxHandler handler)
{
    messageBox_ = std::move(handler);
}

SettingsStore& PosixAppPlatform::Settings()
{
    return *settings_;
}

bool PosixAppPlatform::AcquireSingleInstance()
{
    if (!lock_) {
        lock_ = std::make_unique<SingleInstanceLock>(
            lockFilePath_.empty() ? SingleInstanceLock::DefaultPath() : lockFilePath_);
    }
    const SingleInstanceLock::Result result = lock_->Acquire();
    if (result == SingleInstanceLock::Result::Unavailable) {
        // Without a lock file the user must still be able to work.
        std::fprintf(stderr, "kova: cannot use the lock file %s; not guarding against a second copy\n",
                     lock_->Path().c_str());
    }
    return result != SingleInstanceLock::Result::HeldElsewhere;
}

bool PosixAppPlatform::IsKoreanSystem() const
{
    return IsKoreanSystemLocale();
}

void PosixAppPlatform::ShowMessageBox(const std::string& text)
{
    if (messageBox_) {
        messageBox_(text);
        return;
    }
    std::fprintf(stderr, "!! %s\n", text.c_str());
    std::fflush(stderr);
}

std::vector<std::string> PosixAppPlatform::ListComPorts() const
{
    return SerialDeviceScanner(sysfsTtyRoot_).List();
}

std::string PosixAppPlatform::ProgramFolder() const
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return ".";
    }
    return exe.parent_path().string();
}

std::string PosixAppPlatform::HomeFolder() const
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}
