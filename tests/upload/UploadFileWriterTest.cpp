// Storing an uploaded program keeps the file it replaces, and loses neither
// the old nor the new program when something goes wrong.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/KeptVersions.h"
#include "lang/FileReplacer.h"
#include "support/TempFolder.h"
#include "upload/UploadFileWriter.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;
using Outcome = UploadWriteResult::Outcome;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(UploadFileWriterTest, ReplacingKeepsTheOlderFileAndRotatesAtTheLimit) {
    TempFolder folder;
    const std::string path = (folder / "P1.NC").string();
    Clock::time_point now = Clock::now();
    for (int i = 0; i < 4; ++i) {
        const UploadWriteResult r = UploadFileWriter::Write(path, "V" + std::to_string(i), now, 2);
        ASSERT_EQ(r.Result, Outcome::Written) << r.Error;
        EXPECT_EQ(r.Path, path);
        now += std::chrono::seconds(1);
    }
    EXPECT_EQ(ReadFile(path), "V3");
    const auto versions = KeptVersions::VersionsOf(path);
    ASSERT_EQ(versions.size(), 2u);
    EXPECT_EQ(ReadFile(versions[0]), "V1");
    EXPECT_EQ(ReadFile(versions[1]), "V2");

    // With no versions to keep the file is simply replaced.
    ASSERT_EQ(UploadFileWriter::Write(path, "V4", now, 0).Result, Outcome::Written);
    EXPECT_EQ(ReadFile(path), "V4");
    EXPECT_EQ(KeptVersions::VersionsOf(path).size(), 2u);
}

TEST(UploadFileWriterTest, AnOlderFileThatCannotBeKeptStaysAndTheNewProgramGoesBesideIt) {
    TempFolder folder;
    const std::string path = (folder / "P1.NC").string();
    TempFolder::Write(folder / "P1.NC", "OLD");
    // The history cannot be made: a file stands where its folder would be.
    TempFolder::Write(folder / KeptVersions::kFolder, "not a folder");
    const Clock::time_point now = Clock::now();
    const UploadWriteResult r = UploadFileWriter::Write(path, "NEW", now, 20);
    ASSERT_EQ(r.Result, Outcome::WrittenAside);
    EXPECT_NE(r.Error.find(KeptVersions::kFolder), std::string::npos);
    EXPECT_EQ(r.Path, path + "." + KeptVersions::Stamp(now) + ".new");
    EXPECT_EQ(ReadFile(path), "OLD");
    EXPECT_EQ(ReadFile(r.Path), "NEW");
}

TEST(UploadFileWriterTest, AFailedWritePutsTheOlderFileBack) {
    TempFolder folder;
    const std::string path = (folder / "P1.NC").string();
    TempFolder::Write(folder / "P1.NC", "OLD");
    // The history takes the old file, but the new one cannot be written: a
    // folder stands where its sibling would go.
    fs::create_directories(FileReplacer::TemporaryPath(path) / "x");
    const UploadWriteResult r = UploadFileWriter::Write(path, "NEW", Clock::now(), 20);
    EXPECT_EQ(r.Result, Outcome::Failed);
    EXPECT_EQ(ReadFile(path), "OLD");
    EXPECT_TRUE(KeptVersions::VersionsOf(path).empty());
}

}  // namespace
