// Storing an uploaded program keeps the file it replaces, and loses neither
// the old nor the new program when something goes wrong.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

TEST(UploadFileWriterTest, ReplacingKeepsTheOlderFileUnlessNoneAreKept) {
    TempFolder folder;
    const std::string path = (folder / "P1.NC").string();
    const Clock::time_point now = Clock::now();
    TempFolder::Write(folder / "P1.NC", "OLD");
    const UploadWriteResult r = UploadFileWriter::Write(path, "NEW", now, 20);
    ASSERT_EQ(r.Result, Outcome::Written) << r.Error;
    EXPECT_EQ(ReadFile(path), "NEW");
    ASSERT_EQ(KeptVersions::VersionsOf(path).size(), 1u);
    EXPECT_EQ(ReadFile(KeptVersions::VersionsOf(path)[0]), "OLD");

    ASSERT_EQ(UploadFileWriter::Write(path, "NEWER", now, 0).Result, Outcome::Written);
    EXPECT_EQ(ReadFile(path), "NEWER");
    EXPECT_EQ(KeptVersions::VersionsOf(path).size(), 1u);
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

// A disk that fills up under the write: a child process whose files may not
// grow beyond a few bytes (it ignores the signal so that the write fails
// instead).
TEST(UploadFileWriterTest, AFullDiskLeavesTheOlderFileAndItsVersionsAsTheyWere) {
    TempFolder folder;
    const std::string path = (folder / "P1.NC").string();
    const Clock::time_point now = Clock::now();
    TempFolder::Write(folder / "P1.NC", "OLDEST");
    ASSERT_EQ(UploadFileWriter::Write(path, "OLD", now, 1).Result, Outcome::Written);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        const UploadWriteResult r =
            UploadFileWriter::Write(path, std::string(100000, 'N'), now + std::chrono::seconds(1), 1);
        _exit(r.Result == Outcome::Failed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(path), "OLD");
    const std::vector<std::string> versions = KeptVersions::VersionsOf(path);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(ReadFile(versions[0]), "OLDEST");
    EXPECT_FALSE(fs::exists(FileReplacer::TemporaryPath(path)));
}

}  // namespace
