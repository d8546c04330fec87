// kova-cli download, then upload, against kova-sim on a pseudo-terminal, in real time.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/CliSimSession.h"

namespace {

namespace fs = std::filesystem;

class UploadCliEndToEndTest : public CliSimSession {
protected:
    UploadCliEndToEndTest() : CliSimSession("upload") {}

    void SetUp() override {
        CliSimSession::SetUp();
        if (HasFatalFailure()) return;
        fs::create_directories(temp_ / "nc");
        fs::create_directories(temp_ / "back");
    }

    std::string Nc(const std::string& name, const std::string& bytes) {
        fs::path path = temp_ / "nc" / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string Back(const std::string& name) const {
        std::ifstream in(temp_ / "back" / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Folder() const { return " --folder " + (temp_ / "back").string() + " "; }
    void SetChannel(int channel, const std::string& type) {
        std::string serial = "00000000000" + std::to_string(channel);
        ASSERT_EQ(Cli("channel set " + std::to_string(channel) + " --type " + type + " SubSerial=" + serial).exitCode,
                  0);
    }

    // Whether every line of `sent` that holds an 'N' word stands in `received`, in the same order.
    static bool NLinesInOrder(const std::string& sent, const std::string& received) {
        std::size_t at = 0;
        std::string line;
        for (char c : sent + "\n") {
            if (c != '\r' && c != '\n') {
                line += c;
                continue;
            }
            if (line.find('N') != std::string::npos) {
                at = received.find(line, at);
                if (at == std::string::npos) return false;
                at += line.size();
            }
            line.clear();
        }
        return true;
    }
};

TEST_F(UploadCliEndToEndTest, EveryTypeGivesBackWhatWasDownloadedIntoAnotherFile) {
    struct Case {
        int channel;
        const char* type;
        std::string text;        // the file sent
        const char* download;    // options and the program name suffix of the download
        const char* upload;      // options and the name of the upload, "%s" for the file
    };
    const Case cases[] = {
        {1, "DYNA/PERT", "N001 X100 Y200\r\nN002 X110 Y210\r\nN003 X120 Y220\r\n", "", "--key P %s"},
        {2, "PANASERT/RS232", "N001X100Y200\r\nN002X110Y210\r\n", "", "%s"},
        {3, "PANASERT/TTY", "N001 X100 Y200\nN002 X110 Y210\n", "", "%s"},
        {4, "CITIZEN/M10", "%\r\nN10 X1 Y2\r\nN20 X3 Y4\r\nM30\r\n%\r\n", "", "%s"},
        {5, "TDK/VC5A", "N0000 X+0 Y+0 P00 M00\r\nN0001 X10 Y20 P01 M03\r\n", "--start ", "%s"},
        {6, "TDK/VC5", "N0001 X10 Y20\r\nN0002 X30 Y40\r\n", "=RT6", "RT6=%s"},
        {7, "UNIVERSAL", "0001>  N1 X10 Y20\r\n0002>  N2 X30 Y40\r\n", "=RT7", "RT7=%s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SetChannel(c.channel, c.type);
        std::string channel = std::to_string(c.channel);
        std::string file = Nc("SENT" + channel + ".NCD", c.text);
        std::string download = c.download;
        std::string options = download.rfind("--", 0) == 0 ? download : "";
        std::string program = download.rfind("--", 0) == 0 ? "" : download;
        CliResult sent = Cli(Port() + "download --channel " + channel + " " + options + file + program);
        ASSERT_EQ(sent.exitCode, 0) << sent.err;

        std::string name = "BACK" + channel + ".NCD";
        std::string upload = c.upload;
        upload.replace(upload.find("%s"), 2, name);
        CliResult back = Cli(Port() + "upload --channel " + channel + Folder() + upload);
        EXPECT_EQ(back.exitCode, 0) << back.err;
        EXPECT_NE(back.err.find("Uploading completed."), std::string::npos) << back.err;
        EXPECT_TRUE(back.out.empty());
        EXPECT_TRUE(NLinesInOrder(c.text, Back(name))) << Back(name);
        EXPECT_NE(back.err.find("Port closed."), std::string::npos);
    }
}

TEST_F(UploadCliEndToEndTest, RefusalsAndUsageErrors) {
    SetChannel(1, "DYNA/PERT");
    // Without --key the prompt is cancelled; nothing is written.
    CliResult noKey = Cli(Port() + "upload --channel 1" + Folder() + "K.NCD");
    EXPECT_EQ(noKey.exitCode, 1);
    EXPECT_NE(noKey.err.find("?? Press 'P' or 'T' key. [Cancel]"), std::string::npos) << noKey.err;
    EXPECT_NE(noKey.err.find("Uploading canceled."), std::string::npos);
    EXPECT_FALSE(fs::exists(temp_ / "back" / "K.NCD"));

    // An existing file is replaced only with --yes.
    std::ofstream(temp_ / "back" / "OLD.NCD") << "N9 OLD\r\n";
    CliResult kept = Cli(Port() + "upload --channel 1 --key T" + Folder() + "OLD.NCD");
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_NE(kept.err.find("?? Over write ? [No]"), std::string::npos) << kept.err;
    EXPECT_EQ(Back("OLD.NCD"), "N9 OLD\r\n");
    CliResult replaced = Cli("--yes " + Port() + "upload --channel 1 --key T" + Folder() + "OLD.NCD");
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_NE(Back("OLD.NCD"), "N9 OLD\r\n");

    EXPECT_EQ(Cli(Port() + "upload" + Folder() + "A.NCD").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "upload --channel 1").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "upload --channel 1 --key X A.NCD").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "upload --channel 1" + Folder() + "A.NCD B.NCD").exitCode, 2);
    EXPECT_EQ(Cli(Port() + "upload --channel 1 --folder " + (temp_ / "none").string() + " A.NCD").exitCode, 1);
}

}  // namespace
