#include <gtest/gtest.h>

#include "lang/MultiLanguageHeader.h"
#include "support/TempFolder.h"

namespace {

MultiLanguageArray TwoRows()
{
    MultiLanguageArray table;
    tMULTI_LANGUAGE row;
    row.str[0] = "Say \"hi\"";
    row.str[1] = "C:\\DATA\\USM";
    table.Add(row);
    row = {};
    row.str[0] = "tab\there";
    row.str[5] = "line\r\nend";
    table.Add(row);
    return table;
}

const char* const kTwoRowsHeader =
    "int CKOVAApp::SetDefaultMultiLanguageStr()\r\n{\r\n"
    "    _arMultiLanguage.RemoveAll();\r\n\n"
    "\ttMULTI_LANGUAGE tMultiLanguage;\r\n\n"
    "\ttMultiLanguage.str[0]=\"Say \\\"hi\\\"\";\r\n"
    "\ttMultiLanguage.str[1]=\"C:\\\\DATA\\\\USM\";\r\n"
    "\ttMultiLanguage.str[2]=\"\";\r\n"
    "\ttMultiLanguage.str[3]=\"\";\r\n"
    "\ttMultiLanguage.str[4]=\"\";\r\n"
    "\ttMultiLanguage.str[5]=\"\";\r\n"
    "\t_arMultiLanguage.Add(tMultiLanguage);\t// 0\r\n\n"
    "\ttMultiLanguage.str[0]=\"tab\\there\";\r\n"
    "\ttMultiLanguage.str[1]=\"\";\r\n"
    "\ttMultiLanguage.str[2]=\"\";\r\n"
    "\ttMultiLanguage.str[3]=\"\";\r\n"
    "\ttMultiLanguage.str[4]=\"\";\r\n"
    "\ttMultiLanguage.str[5]=\"line\\r\\nend\";\r\n"
    "\t_arMultiLanguage.Add(tMultiLanguage);\t// 1\r\n\n"
    "    return (int)_arMultiLanguage.GetCount();}\r\n";

}  // namespace

TEST(MultiLanguageHeader, EscapesTextsSoTheHeaderCompilesToTheSameText)
{
    EXPECT_EQ(MultiLanguageHeader::Format(TwoRows()), kTwoRowsHeader);
}

TEST(MultiLanguageHeader, ExportWritesIntoTheFolderOrReportsFailure)
{
    TempFolder folder;
    const auto header = folder / "SetDefaultMultiLanguageStr.h";
    TempFolder::Write(header, "old");

    EXPECT_EQ(MultiLanguageHeader::Export(folder / "missing", TwoRows()), 0);
    EXPECT_EQ(MultiLanguageHeader::Export("", TwoRows()), 0);
    EXPECT_EQ(TempFolder::Read(header), "old");

    ASSERT_EQ(MultiLanguageHeader::Export(folder.Path(), TwoRows()), 1);
    EXPECT_EQ(TempFolder::Read(header), kTwoRowsHeader);
}
