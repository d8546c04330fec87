// The journal's core rules: SHA-256, times, result names, the two output
// forms, line counting, the filter, the settings section and kept versions.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/InMemorySettingsStore.h"
#include "app/JournalFilter.h"
#include "app/JournalFormat.h"
#include "app/JournalSettings.h"
#include "app/KeptVersions.h"
#include "app/Sha256.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Sha256Test, KnownDigestsWholeAndInPieces) {
    EXPECT_EQ(Sha256::Of(nullptr, 0), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    Sha256 abc;
    abc.Update("abc");
    EXPECT_EQ(abc.HexDigest(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first block.
    Sha256 two;
    two.Update("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq");
    EXPECT_EQ(two.HexDigest(), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");

    std::string text;
    for (int i = 0; i < 1000; ++i) text += static_cast<char>(i * 7);
    Sha256 pieces;
    for (std::size_t at = 0; at < text.size(); at += 13) pieces.Update(text.substr(at, 13));
    EXPECT_EQ(pieces.HexDigest(), Sha256::Of(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(JournalFormatTest, TimesAreUtcWithMillisecondsAndTypedDatesAreChecked) {
    using namespace std::chrono;
    const sys_days day = year{2024} / February / 29;
    EXPECT_EQ(JournalFormat::IsoUtc(day + hours{23} + minutes{5} + seconds{9} + milliseconds{7}),
              "2024-02-29T23:05:09.007Z");

    struct Case {
        const char* typed;
        const char* wanted;   // nullptr: refused
    };
    const Case cases[] = {
        {"2026-12-07", "2026-12-07T00:00:00.000Z"},
        {"2026-12-07T14:30", "2026-12-07T14:30:00.000Z"},
        {"2026-12-07 14:30:05Z", "2026-12-07T14:30:05.000Z"},
        {"2026-12-07T14:30:05.120Z", "2026-12-07T14:30:05.120Z"},
        {"2024-02-29", "2024-02-29T00:00:00.000Z"},
        {"2023-02-29", nullptr},
        {"2026-13-01", nullptr},
        {"2026-12-07T24:00", nullptr},
        {"2026-12-7", nullptr},
        {"yesterday", nullptr},
        {"2026-12-07T14", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto parsed = JournalFormat::ParseIsoUtc(c.typed);
        if (c.wanted == nullptr) {
            EXPECT_FALSE(parsed.has_value());
        } else {
            ASSERT_TRUE(parsed.has_value());
            EXPECT_EQ(*parsed, c.wanted);
        }
    }
}

TEST(JournalFormatTest, FieldsNeverBreakAColumnOrALine) {
    EXPECT_EQ(JournalFormat::TsvLine({"a\tb", "c\r\nd", "e\x1b"}), "a\\tb\tc\\r\\nd\te\\x1b\n");
    EXPECT_EQ(JournalFormat::CsvLine({"plain", "a,b", "say \"hi\"", "two\nlines"}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\"\r\n");

    TransferRecord record;
    record.Result = TransferResult::Cancelled;
    record.MessageNumber = -1;
    const auto fields = JournalFormat::Fields(record);
    ASSERT_EQ(fields.size(), JournalFormat::HeaderFields().size());
    EXPECT_EQ(fields[14], "cancelled");
    EXPECT_EQ(fields[15], "");   // no message
    for (TransferResult r : {TransferResult::Completed, TransferResult::Failed, TransferResult::Cancelled}) {
        EXPECT_EQ(JournalFormat::ParseResult(JournalFormat::ResultName(r)), r);
    }
    EXPECT_FALSE(JournalFormat::ParseResult("done").has_value());
}

TEST(JournalFormatTest, LinesAreCountedAsADownloadReadsThem) {
    const std::string text = "N1\r\n\r\nN2\nN3\x80N4\r\n";
    EXPECT_EQ(JournalFormat::CountLines(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 4);
    EXPECT_EQ(JournalFormat::CountLines(reinterpret_cast<const uint8_t*>("\r\n\r\n"), 4), 0);
}

TEST(JournalFilterTest, EachCriterionNarrowsAndSearchIgnoresCase) {
    TransferRecord r;
    r.Channel = 3;
    r.McType = "UNIVERSAL";
    r.Result = TransferResult::Completed;
    r.StartUtc = "2026-12-07T10:00:00.000Z";
    r.PcFile = "/nc/Board-7.NCD";

    struct Case {
        const char* what;
        JournalFilter filter;
        bool passes;
    };
    JournalFilter none;
    JournalFilter channel;
    channel.Channel = 4;
    JournalFilter type;
    type.McType = "TDK/VC5";
    JournalFilter result;
    result.Result = TransferResult::Failed;
    JournalFilter sinceSame;
    sinceSame.SinceUtc = r.StartUtc;
    JournalFilter sinceLater;
    sinceLater.SinceUtc = "2026-12-07T10:00:00.001Z";
    JournalFilter until;
    until.UntilUtc = r.StartUtc;
    JournalFilter search;
    search.Search = "board-7";
    JournalFilter searchMiss;
    searchMiss.Search = "board-8";
    const Case cases[] = {{"none", none, true},          {"channel", channel, false},
                          {"type", type, false},         {"result", result, false},
                          {"since same", sinceSame, true}, {"since later", sinceLater, false},
                          {"until", until, false},       {"search", search, true},
                          {"search miss", searchMiss, false}};
    for (const Case& c : cases) EXPECT_EQ(c.filter.Matches(r), c.passes) << c.what;
}

TEST(JournalSettingsTest, MissingOrUnusableValuesReadAsDefaults) {
    InMemorySettingsStore store;
    JournalSettings loaded = JournalSettings::Load(store);
    EXPECT_EQ(loaded.Driver, "QSQLITE");
    EXPECT_EQ(loaded.KeptVersions, 20);
    store.WriteString("JOURNAL", "Driver", "QODBC");
    store.WriteInt("JOURNAL", "Port", 70000);
    store.WriteInt("JOURNAL", "KeptVersions", -1);
    loaded = JournalSettings::Load(store);
    EXPECT_EQ(loaded.Driver, "QSQLITE");
    EXPECT_EQ(loaded.Port, 5432);
    EXPECT_EQ(loaded.KeptVersions, 20);

    JournalSettings server;
    server.Driver = "QPSQL";
    server.Host = "db.local";
    server.Database = "kova";
    server.User = "line3";
    server.KeptVersions = 5;
    server.Save(store);
    loaded = JournalSettings::Load(store);
    EXPECT_TRUE(loaded.UsesServer());
    EXPECT_EQ(loaded.Host, "db.local");
    EXPECT_EQ(loaded.User, "line3");
    EXPECT_EQ(loaded.KeptVersions, 5);
}

TEST(KeptVersionsTest, ReplacedFilesRotateAtTheLimitNewestKept) {
    TempFolder folder;
    const std::string path = (folder.Path() / "P1.NC").string();
    const auto start = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7};
    for (int i = 0; i < 5; ++i) {
        TempFolder::Write(folder.Path() / "P1.NC", "version " + std::to_string(i));
        std::string error;
        ASSERT_TRUE(KeptVersions::KeepBeforeReplacing(path, start + std::chrono::minutes(i), 3, error)) << error;
        EXPECT_FALSE(fs::exists(path));
    }
    TempFolder::Write(folder.Path() / "OTHER.NC", "x");
    const auto versions = KeptVersions::VersionsOf(path);
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_EQ(fs::path(versions.front()).filename(), "P1.NC.20261207T000200.000Z");
    EXPECT_EQ(ReadFile(versions.back()), "version 4");
    EXPECT_TRUE(KeptVersions::VersionsOf((folder.Path() / "OTHER.NC").string()).empty());

    // Two replacements in one millisecond keep both.
    std::string error;
    TempFolder::Write(folder.Path() / "P1.NC", "a");
    ASSERT_TRUE(KeptVersions::KeepBeforeReplacing(path, start, 10, error));
    TempFolder::Write(folder.Path() / "P1.NC", "b");
    ASSERT_TRUE(KeptVersions::KeepBeforeReplacing(path, start, 10, error));
    EXPECT_EQ(KeptVersions::VersionsOf(path).size(), 5u);

    // Limit 0 keeps nothing and leaves the file to be overwritten; no file, nothing to keep.
    TempFolder::Write(folder.Path() / "P1.NC", "c");
    ASSERT_TRUE(KeptVersions::KeepBeforeReplacing(path, start, 0, error));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_TRUE(KeptVersions::KeepBeforeReplacing((folder.Path() / "NEW.NC").string(), start, 20, error));
}

TEST(KeptVersionsTest, AFileThatCannotBeMovedIsReportedAndStays) {
    TempFolder folder;
    TempFolder::Write(folder.Path() / "P1.NC", "x");
    // A plain file where the history folder should be.
    TempFolder::Write(folder.Path() / KeptVersions::kFolder, "in the way");
    std::string error;
    EXPECT_FALSE(KeptVersions::KeepBeforeReplacing((folder.Path() / "P1.NC").string(),
                                                   std::chrono::system_clock::now(), 20, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(folder.Path() / "P1.NC"));
}

}  // namespace
