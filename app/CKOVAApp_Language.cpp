// The text-table part of the application object. The work is done by the
// classes in lang/; this file only ties them to the application's members.

#include <filesystem>
#include <system_error>

#include "app/CKOVAApp.h"
#include "lang/LanguageFileDecoder.h"
#include "lang/MultiLanguageFile.h"
#include "lang/MultiLanguageHeader.h"
#include "lang/MultiLanguageLookup.h"

std::string CKOVAApp::GetMultiLanguageStr(int index) const
{
    return LookupMultiLanguageStr(_arMultiLanguage, _nLanguage, index);
}

int CKOVAApp::LoadMultiLanguageFile()
{
    return MultiLanguageFile::Load(LanguageFilePath, _arMultiLanguage, LanguageFileDecoder());
}

int CKOVAApp::SaveMultiLanguageFile()
{
    return MultiLanguageFile::Save(LanguageFilePath, _arMultiLanguage);
}

std::string CKOVAApp::FindLanguageFile(const std::string& programFolder)
{
    // A release folder holds the file beside the programs; a package puts the
    // programs in <prefix>/bin and the file in <prefix>/share/kova.
    const std::filesystem::path folder(programFolder);
    const std::filesystem::path beside = folder / kLanguageFileName;
    const std::filesystem::path installed =
        (folder / ".." / "share" / "kova" / kLanguageFileName).lexically_normal();
    std::error_code ec;
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec)) {
        return installed.string();
    }
    return beside.string();
}

int CKOVAApp::ExportMultiLanguageHeader()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (ec) {
        return 0;
    }
    return MultiLanguageHeader::Export(folder, _arMultiLanguage);
}
