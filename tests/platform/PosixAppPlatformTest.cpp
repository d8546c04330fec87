#include <gtest/gtest.h>

#include <fstream>

#include "app/CKOVAApp.h"
#include "app/InMemorySettingsStore.h"
#include "platform/PosixAppPlatform.h"
#include "support/TempFolder.h"

namespace {

// A language file saved on the Windows system is in code page 949; the desktop
// platform must make it readable, or the operator silently gets the built-in texts.
TEST(PosixAppPlatformTest, LanguageFilesInCodePage949AreRead) {
    TempFolder folder;
    const std::string path = folder / "KOVA_M1002.TXT";
    {
        std::ofstream file(path, std::ios::binary);
        // "한글" in code page 949 as the Korean text of row 0.
        file << "[KOVA_MULTI_LANGUAGE_LIST]\r\n0\tHangul\t\xC7\xD1\xB1\xDB\t\t\t\t\r\n";
    }
    PosixAppPlatform platform(std::make_unique<InMemorySettingsStore>());
    CKOVAApp app;
    app.LanguageFilePath = path;
    ASSERT_EQ(app.LoadMultiLanguageFile(), 1);
    app._nLanguage = 1;
    EXPECT_EQ(app.GetMultiLanguageStr(0), "\xED\x95\x9C\xEA\xB8\x80");
}

}  // namespace
