#include "ui/models/ZidConversionModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "ui/models/PatDirReader.h"

namespace {

namespace fs = std::filesystem;
using Type = ZidConversionModel::ConvertType;

// One record: the identified name in 45 bytes, the file name in 10, then 13 more.
std::string Record(std::string_view identified, std::string_view file) {
    std::string record(68, '\0');
    record.replace(0, std::min<std::size_t>(identified.size(), 45), identified.substr(0, 45));
    record.replace(45, std::min<std::size_t>(file.size(), 10), file.substr(0, 10));
    return record;
}

std::string PatDir(const std::vector<std::pair<std::string, std::string>>& records) {
    std::string bytes("\x01\x00", 2);
    for (const auto& [identified, file] : records) bytes += Record(identified, file);
    return bytes;
}

std::string Text(Msg row) { return "#" + std::to_string(MsgRow(row)); }

const ZidConversionModel::Entry* Find(const ZidConversionModel& model, const std::string& name) {
    for (const auto& entry : model.Entries()) {
        if (entry.Name == name) return &entry;
    }
    return nullptr;
}

TEST(PatDirReaderTest, RecordsCutShortEndTheReading) {
    const std::string two = PatDir({{"FIRST", "A.PAT"}, {"SECOND", "B.PAT"}});
    EXPECT_TRUE(PatDirReader::Parse(two.substr(0, 1), {}).empty());
    EXPECT_TRUE(PatDirReader::Parse(two.substr(0, 2 + 50), {}).empty());   // the file name field is short
    // Both names of the second record are there; its last 13 bytes are not.
    const auto records = PatDirReader::Parse(two.substr(0, 2 + 68 + 55), {});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].IdentifiedName, "SECOND");
    EXPECT_EQ(records[1].FileName, "B.PAT");
    EXPECT_EQ(PatDirReader::Parse(two.substr(0, 2 + 68 + 54), {}).size(), 1u);
}

TEST(PatDirReaderTest, FieldsWithoutNulAreTakenWholeAndNamesAreDecoded) {
    const std::string longName(45, 'N');
    std::string bytes = PatDir({{longName, "ABCDEFGHIJ"}});
    auto records = PatDirReader::Parse(bytes, {});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].IdentifiedName, longName);
    EXPECT_EQ(records[0].FileName, "ABCDEFGHIJ");
    EXPECT_TRUE(records[0].UsableTarget);

    // A name that is not UTF-8 goes through the decoder; one that nothing
    // decodes is shown with '?' and is no target.
    bytes = PatDir({{"\xB1\xE2\xC6\xC7", "x.pat"}});
    records = PatDirReader::Parse(bytes, [](std::string_view) { return std::optional<std::string>("기판"); });
    EXPECT_EQ(records[0].IdentifiedName, "기판");
    EXPECT_TRUE(records[0].UsableTarget);
    records = PatDirReader::Parse(bytes, {});
    EXPECT_EQ(records[0].IdentifiedName, "????");
    EXPECT_FALSE(records[0].UsableTarget);
}

TEST(PatDirReaderTest, NamesThatLeaveTheFolderAreNoTargets) {
    for (const char* name : {"", ".", "..", "../UP", "SUB/X", "SUB\\X", "TAB\tX", "\x1b[2J"}) {
        EXPECT_FALSE(PatDirReader::IsUsableTargetName(name)) << name;
    }
    for (const char* name : {"BOARD A", "..HIDDEN", "기판.NC", "A.B.C"}) {
        EXPECT_TRUE(PatDirReader::IsUsableTargetName(name)) << name;
    }
}

class ZidConversionTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& bytes) { TempFolder::Write(folder / name, bytes); }
    ZidConversionModel Loaded(Type type = Type::Rename) {
        ZidConversionModel model;
        model.SetWorkFolder(folder.Path().string());
        model.SetType(type);
        EXPECT_TRUE(model.Load());
        return model;
    }
    TempFolder folder{"zid"};
};

TEST_F(ZidConversionTest, LowerCaseNamesAreFoundAndTheLastRecordWins) {
    Write("pat.dir", PatDir({{"BOARD_A", "p0001.pat"}, {"OLD", "P0002.PAT"}, {"NEW", "P0002.PAT"}, {"NONE", "P9.PAT"}}));
    Write("P0001.PAT", "one");
    Write("P0002.PAT", "two");
    Write("README", "x");
    fs::create_directory(folder / "SUBFOLDER");

    ZidConversionModel model = Loaded();
    ASSERT_EQ(model.Entries().size(), 4u);   // the folder is not listed
    EXPECT_EQ(model.IdentifiedCount(), 3);   // both records of P0002.PAT count
    EXPECT_EQ(Find(model, "P0001.PAT")->IdentifiedName, "BOARD_A");
    EXPECT_EQ(Find(model, "P0002.PAT")->IdentifiedName, "NEW");
    EXPECT_EQ(Find(model, "PAT.DIR")->RealName, "pat.dir");
    EXPECT_FALSE(Find(model, "README")->Identified);
    EXPECT_TRUE(model.ConvertAllEnabled());

    // Only a selected line with an identified name enables "Convert selected".
    int readme = 0;
    for (std::size_t i = 0; i < model.Entries().size(); ++i) {
        if (model.Entries()[i].Name == "README") readme = static_cast<int>(i);
    }
    EXPECT_FALSE(model.ConvertSelectedEnabled({readme}));
    EXPECT_TRUE(model.ConvertSelectedEnabled({readme, readme == 0 ? 1 : 0}));
}

TEST_F(ZidConversionTest, NoDirectoryFileLeavesEverythingUnidentified) {
    Write("P0001.PAT", "one");
    ZidConversionModel model = Loaded();
    EXPECT_EQ(model.IdentifiedCount(), 0);
    EXPECT_FALSE(model.ConvertAllEnabled());
    EXPECT_EQ(model.ConvertAll(), 0);
    EXPECT_FALSE(model.Entries()[0].Remark.has_value());
}

TEST_F(ZidConversionTest, RenamingTwiceFailsTheSecondTimeOnTheOldNames) {
    Write("PAT.DIR", PatDir({{"BOARD_A", "P0001.PAT"}, {"BOARD_B", "P0002.PAT"}}));
    Write("p0001.pat", "one");   // renamed under its real, lower-case name
    Write("P0002.PAT", "two");
    ZidConversionModel model = Loaded();

    std::vector<std::pair<int, int>> progress;
    EXPECT_EQ(model.ConvertAll([&](int pos, int range) { progress.emplace_back(pos, range); }), 0);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}, {0, 3}}));
    EXPECT_EQ(TempFolder::Read(folder / "BOARD_A"), "one");
    EXPECT_EQ(TempFolder::Read(folder / "BOARD_B"), "two");
    EXPECT_FALSE(fs::exists(folder / "p0001.pat"));
    EXPECT_EQ(ZidConversionModel::RemarkText(*Find(model, "P0001.PAT"), Text), "#191");
    EXPECT_EQ(ZidConversionModel::RemarkText(*Find(model, "PAT.DIR"), Text), "");

    // The list still shows the old names: each rename now fails.
    EXPECT_EQ(model.ConvertAll(), 2);
    EXPECT_EQ(Find(model, "P0001.PAT")->Remark, Msg::FailedToRename);
    EXPECT_EQ(Find(model, "P0002.PAT")->Remark, Msg::FailedToRename);
    EXPECT_EQ(TempFolder::Read(folder / "BOARD_A"), "one");
}

TEST_F(ZidConversionTest, TraversalNamesAreRefused) {
    TempFolder outside{"zid-outside"};
    const std::string escape = "../" + outside.Path().filename().string() + "/GOT";
    Write("PAT.DIR", PatDir({{escape, "A.PAT"}, {"..", "B.PAT"}, {"", "C.PAT"}, {"X/Y", "D.PAT"}}));
    for (const char* name : {"A.PAT", "B.PAT", "C.PAT", "D.PAT"}) Write(name, name);
    for (Type type : {Type::Rename, Type::Copy}) {
        ZidConversionModel model = Loaded(type);
        EXPECT_EQ(model.IdentifiedCount(), 4);
        EXPECT_EQ(model.ConvertAll(), 4);
        const Msg failure = type == Type::Rename ? Msg::FailedToRename : Msg::FailedFileCreate;
        for (const char* name : {"A.PAT", "B.PAT", "C.PAT", "D.PAT"}) {
            EXPECT_EQ(Find(model, name)->Remark, failure) << name;
            EXPECT_EQ(TempFolder::Read(folder / name), name);
        }
    }
    EXPECT_FALSE(fs::exists(outside / "GOT"));
}

TEST_F(ZidConversionTest, AnExistingTargetIsKept) {
    Write("PAT.DIR", PatDir({{"BOARD_A", "P0001.PAT"}}));
    Write("P0001.PAT", "new");
    Write("BOARD_A", "old");
    for (Type type : {Type::Copy, Type::Rename}) {
        ZidConversionModel model = Loaded(type);
        EXPECT_EQ(model.ConvertAll(), 1);
        EXPECT_EQ(Find(model, "P0001.PAT")->Remark, type == Type::Copy ? Msg::FailedFileCreate : Msg::FailedToRename);
        EXPECT_EQ(TempFolder::Read(folder / "BOARD_A"), "old");
        EXPECT_EQ(TempFolder::Read(folder / "P0001.PAT"), "new");
    }
    // With the way clear, a copy keeps the source and makes the target.
    fs::remove(folder / "BOARD_A");
    ZidConversionModel model = Loaded(Type::Copy);
    int line = 0;
    while (model.Entries()[static_cast<std::size_t>(line)].Name != "P0001.PAT") ++line;
    EXPECT_EQ(model.ConvertSelected({line}), 0);
    EXPECT_EQ(Find(model, "P0001.PAT")->Remark, Msg::CreateCopy);
    EXPECT_EQ(TempFolder::Read(folder / "BOARD_A"), "new");
    EXPECT_EQ(TempFolder::Read(folder / "P0001.PAT"), "new");
}

TEST_F(ZidConversionTest, FolderChoiceAndCaptionsFollowTheUser) {
    ZidConversionModel model;
    EXPECT_FALSE(model.RefreshEnabled());
    EXPECT_FALSE(model.ChangeFolder(""));
    EXPECT_TRUE(model.ChangeFolder("/data/zid"));
    EXPECT_FALSE(model.ChangeFolder("/data/zid"));
    EXPECT_TRUE(model.ChangeFolder("/data/ZID"));   // another folder on this file system
    EXPECT_EQ(model.WorkFolder(), "/data/ZID");
    EXPECT_TRUE(model.RefreshEnabled());
    EXPECT_FALSE(model.Load());                     // no such folder: nothing listed
    EXPECT_TRUE(model.Entries().empty());

    EXPECT_EQ(model.ConvertAllCaption(), Msg::RenameAllFiles);
    EXPECT_EQ(model.ConvertSelectedCaption(), Msg::RenameSelectedFiles);
    model.SetType(Type::Copy);
    EXPECT_EQ(model.ConvertAllCaption(), Msg::CreateCopyAllFiles);
    EXPECT_EQ(model.ConvertSelectedCaption(), Msg::CreateCopySelectedFiles);
}

}  // namespace
