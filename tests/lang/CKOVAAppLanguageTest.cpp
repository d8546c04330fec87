#include <gtest/gtest.h>

#include <filesystem>

#include "app/CKOVAApp.h"
#include "lang/LanguageFileDecoder.h"
#include "lang/Msg.h"
#include "lang/Utf8.h"
#include "platform/Cp949Decoder.h"
#include "support/TempFolder.h"
#include "support/TestAppPlatform.h"

namespace {

enum Column { English = 0, Korean = 1, Chinese = 2, Japanese = 3, Language5 = 4, Remarks = 5 };

// Runs a block with another current folder and puts the old one back.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : old_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

}  // namespace

TEST(DefaultTable, LookupFallsBackToEnglishAndEndsEmpty)
{
    CKOVAApp app;
    ASSERT_EQ(app.SetDefaultMultiLanguageStr(), kMsgCount);
    ASSERT_EQ(app.SetDefaultMultiLanguageStr(), kMsgCount);   // refills, never appends

    app._nLanguage = English;
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::FileOverwrite)), "File over write");
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::PortOpened)), "Port opened.");
    EXPECT_EQ(app.GetMultiLanguageStr(277), "");
    EXPECT_EQ(app.GetMultiLanguageStr(-1), "");

    app._nLanguage = Korean;
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::RtsLabel)), "RTS :");
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::PortOpened)),
              "\xED\x8F\xAC\xED\x8A\xB8\xEB\xA5\xBC \xEC\x97\xB4\xEC\x97\x88\xEC\x8A\xB5"
              "\xEB\x8B\x88\xEB\x8B\xA4.");   // 포트를 열었습니다.

    // Japanese has no texts of its own, and a language number out of range
    // must not read outside the row.
    for (int language : {static_cast<int>(Japanese), 9, -1}) {
        app._nLanguage = language;
        for (int i = 0; i < kMsgCount; ++i) {
            ASSERT_EQ(app.GetMultiLanguageStr(i), app._arMultiLanguage[i].str[English])
                << "language " << language << " row " << i;
        }
    }
    app._nLanguage = Remarks;
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::TabProgramUpDown)), "button");
}

TEST(DefaultTable, ColumnsAreFilledAsShipped)
{
    CKOVAApp app;
    app.SetDefaultMultiLanguageStr();
    int withKorean = 0;
    for (int i = 0; i < kMsgCount; ++i) {
        const tMULTI_LANGUAGE& row = app._arMultiLanguage[i];
        const bool blankRow = i == MsgRow(Msg::Reserved204) || i == MsgRow(Msg::Reserved205);
        EXPECT_EQ(row.str[English].empty(), blankRow) << i;
        const bool englishOnly = blankRow || i == MsgRow(Msg::RtsLabel) ||
                                 i == MsgRow(Msg::DtrLabel);
        EXPECT_EQ(row.str[Korean].empty(), englishOnly) << i;
        withKorean += row.str[Korean].empty() ? 0 : 1;
        EXPECT_TRUE(row.str[Chinese].empty() && row.str[Japanese].empty() &&
                    row.str[Language5].empty()) << i;
        EXPECT_EQ(row.str[Remarks], i == 2 ? "button" : "") << i;
        for (const std::string& text : row.str) {
            EXPECT_TRUE(IsValidUtf8(text)) << i;
        }
    }
    EXPECT_EQ(withKorean, 273);
}

TEST(DefaultTable, ExportReproducesTheShippedHeader)
{
    TempFolder folder;
    CKOVAApp app;
    app.SetDefaultMultiLanguageStr();
    {
        CurrentFolder inside(folder.Path());
        ASSERT_EQ(app.ExportMultiLanguageHeader(), 1);
    }
    const std::string shipped = TempFolder::Read(KOVA_DEFAULT_TABLE_HEADER);
    ASSERT_FALSE(shipped.empty());
    // A checkout that turned CR LF into LF would fail here, not in a build.
    EXPECT_EQ(TempFolder::Read(folder / "SetDefaultMultiLanguageStr.h"), shipped);
}

TEST(LanguageFile, SavedTableLoadsBackUnchanged)
{
    TempFolder folder;
    CKOVAApp app;
    app.LanguageFilePath = (folder / "KOVA_M1002.TXT").string();
    app.SetDefaultMultiLanguageStr();
    app._arMultiLanguage[5].str[Japanese] = "\xE3\x82\xAA\xE3\x83\x97\xE3\x82\xB7\xE3\x83\xA7"
                                            "\xE3\x83\xB3";   // オプション
    ASSERT_EQ(app.SaveMultiLanguageFile(), 1);

    CKOVAApp reader;
    reader.LanguageFilePath = app.LanguageFilePath;
    ASSERT_EQ(reader.LoadMultiLanguageFile(), kMsgCount);
    for (int i = 0; i < kMsgCount; ++i) {
        for (int k = 0; k < kLanguageSlots; ++k) {
            ASSERT_EQ(reader._arMultiLanguage[i].str[k], app._arMultiLanguage[i].str[k])
                << i << "/" << k;
        }
    }
    reader._nLanguage = Japanese;
    EXPECT_EQ(reader.GetMultiLanguageStr(5), app._arMultiLanguage[5].str[Japanese]);
}

TEST(LanguageFile, FiveRowFileLeavesEveryOtherTextBuiltIn)
{
    TempFolder folder;
    TempFolder::Write(folder / "KOVA_M1002.TXT", "[KOVA_MULTI_LANGUAGE_LIST]\r\n"
                                                 "0\tAlready running.\r\n"
                                                 "1\tTerminal\r\n"
                                                 "2\tUp/Down\r\n"
                                                 "3\tPort\r\n"
                                                 "4\tEnvironment\r\n");
    TestAppPlatform platform;
    CKOVAApp app;
    app.LanguageFilePath = (folder / "KOVA_M1002.TXT").string();
    ASSERT_TRUE(app.InitApplication(platform));
    app._nLanguage = 0;
    ASSERT_EQ(app._arMultiLanguage.GetCount(), static_cast<std::size_t>(kMsgCount));
    EXPECT_EQ(app.GetMultiLanguageStr(3), "Port");
    EXPECT_EQ(app.GetMultiLanguageStr(MsgRow(Msg::FileOverwrite)), "File over write");
    EXPECT_EQ(app.GetMultiLanguageStr(115), "Check USB-UART port.");
    app._nLanguage = Korean;
    EXPECT_FALSE(app.GetMultiLanguageStr(276).empty());
    EXPECT_NE(app.GetMultiLanguageStr(276), "File over write");
    // Said once, at start-up, naming the file.
    const std::string warning = app.LanguageFileWarning();
    EXPECT_NE(warning.find("KOVA_M1002.TXT"), std::string::npos) << warning;
    EXPECT_NE(warning.find("272 rows missing"), std::string::npos) << warning;

    // A whole file says nothing.
    ASSERT_EQ(app.SaveMultiLanguageFile(), 1);
    CKOVAApp again;
    again.LanguageFilePath = app.LanguageFilePath;
    ASSERT_TRUE(again.InitApplication(platform));
    EXPECT_EQ(again.LanguageFileWarning(), "");
}

TEST(LanguageFile, MissingFileOrPathIsReported)
{
    TempFolder folder;
    CKOVAApp app;
    app.LanguageFilePath = (folder / "KOVA_M1002.TXT").string();
    EXPECT_EQ(app.LoadMultiLanguageFile(), 0);
    EXPECT_EQ(app._arMultiLanguage.GetCount(), 0u);

    app.SetDefaultMultiLanguageStr();
    app.LanguageFilePath.clear();
    EXPECT_EQ(app.SaveMultiLanguageFile(), 0);
    EXPECT_EQ(app.LoadMultiLanguageFile(), 0);
    EXPECT_EQ(app._arMultiLanguage.GetCount(), static_cast<std::size_t>(kMsgCount));
}

TEST(LanguageFile, WindowsFileIsReadThroughTheInstalledDecoder)
{
    TempFolder folder;
    CKOVAApp app;
    app.LanguageFilePath = (folder / "KOVA_M1002.TXT").string();
    TempFolder::Write(app.LanguageFilePath,
                      "[KOVA_MULTI_LANGUAGE_LIST]\r\n0\tKorean\t\xC7\xD1\xB1\xDB\r\n");

    SetLanguageFileDecoder({});
    EXPECT_EQ(app.LoadMultiLanguageFile(), 0);

    SetLanguageFileDecoder(Cp949Decoder::Decode);
    ASSERT_EQ(app.LoadMultiLanguageFile(), 1);
    SetLanguageFileDecoder({});
    app._nLanguage = Korean;
    EXPECT_EQ(app.GetMultiLanguageStr(0), "\xED\x95\x9C\xEA\xB8\x80");

    // Saved again, the file is UTF-8.
    ASSERT_EQ(app.SaveMultiLanguageFile(), 1);
    EXPECT_EQ(TempFolder::Read(app.LanguageFilePath),
              "[KOVA_MULTI_LANGUAGE_LIST]\r\n0\tKorean\t\xED\x95\x9C\xEA\xB8\x80\t\t\t\t\r\n");
}
