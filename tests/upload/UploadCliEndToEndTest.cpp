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

TEST_F(UploadCliEndToEndTest, DownloadedProgramsComeBackIntoAnotherFile) {
    const std::string text = "N001 X100 Y200\r\nN002 X110 Y210\r\nN003 X120 Y220\r\n";
    const std::string file = Nc("SENT.NCD", text);
    struct Case {
        int channel;
        const char* type;
        const char* extra;
    };
    for (const Case& c : {Case{1, "DYNA/PERT", "--key P "}, Case{2, "PANASERT/RS232", ""},
                          Case{3, "PANASERT/TTY", ""}}) {
        SCOPED_TRACE(c.type);
        SetChannel(c.channel, c.type);
        CliResult sent = Cli(Port() + "download --channel " + std::to_string(c.channel) + " " + file);
        ASSERT_EQ(sent.exitCode, 0) << sent.err;
        std::string name = "BACK" + std::to_string(c.channel) + ".NCD";
        CliResult back = Cli(Port() + "upload --channel " + std::to_string(c.channel) + " " + c.extra + Folder() + name);
        EXPECT_EQ(back.exitCode, 0) << back.err;
        EXPECT_NE(back.err.find("Uploading completed."), std::string::npos) << back.err;
        EXPECT_TRUE(back.out.empty());
        EXPECT_TRUE(NLinesInOrder(text, Back(name))) << Back(name);
        EXPECT_NE(back.err.find("Port closed."), std::string::npos);
    }
}

TEST_F(UploadCliEndToEndTest, TheOtherTypesSendTheirProgramsByNameOrWhenTheOperatorStarts) {
    struct Case {
        int channel;
        const char* type;
        const char* names;
        const char* file;
        const char* firstLine;
    };
    for (const Case& c : {Case{4, "CITIZEN/M10", "CM.NCD", "CM.NCD", "%"},
                          Case{5, "TDK/VC5A", "VA.NCD", "VA.NCD", "VC5A-SAMPLE"},
                          Case{6, "TDK/VC5", "VC5-BOARD2=VC.NCD", "VC.NCD", "N0001 X01010 Y02005"},
                          Case{7, "UNIVERSAL", "TEST_JIG", "TEST_JIG", "0001>  X01010 Y02005"}}) {
        SCOPED_TRACE(c.type);
        SetChannel(c.channel, c.type);
        CliResult back = Cli(Port() + "upload --channel " + std::to_string(c.channel) + Folder() + c.names);
        EXPECT_EQ(back.exitCode, 0) << back.err;
        EXPECT_EQ(Back(c.file).rfind(std::string(c.firstLine) + "\r\n", 0), 0u) << Back(c.file);
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
