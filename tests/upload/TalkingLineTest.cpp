// A machine line that talks on without ever giving the answer a job waits for
// (noise on a broken cable, a wrong baud rate): every byte would extend the
// wait for good. The wait must still end with "No response from MC!".

#include <cctype>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/SimulatedMachine.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kSerial = "000000000001";

// Answers the first byte it gets with noise every 50 ms, for ever.
class NoisyMachine : public SimulatedMachine {
public:
    explicit NoisyMachine(std::string type) : type_(std::move(type)) {}
    std::string TypeName() const override { return type_; }
    void OnLineByte(uint8_t) override {
        if (noisy_) return;
        noisy_ = true;
        Noise();
    }

private:
    void Noise() {
        SendToLine(std::string("\0\xFF\r\nab\x11\r", 9));
        After(50, [this] { Noise(); });
    }
    std::string type_;
    bool noisy_ = false;
};

struct Case {
    const char* Type;
    bool Upload;
    const char* Item;   // "FILE" or "PROGRAM=FILE"
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.Type << (c.Upload ? " upload" : " download"); }

class TalkingLine : public UploadFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(TalkingLine, TheWaitEndsWithNoResponse) {
    const Case& c = GetParam();
    StoreChannel(1, kSerial, c.Type);
    radio.AttachMachine(kSerial, std::make_unique<NoisyMachine>(c.Type));
    WriteNc("F.NCD", "N1 X1 Y1\r\nM02\r\n");
    WriteNc("OLD.NCD", "N1 KEEP ME\r\n");
    const std::string item = c.Item;
    const std::size_t eq = item.find('=');
    if (c.Upload) {
        ASSERT_TRUE(Upload({item}, 600000));
        EXPECT_EQ(LastUpload().FilesCompleted, 0);
        EXPECT_EQ(Read("OLD.NCD"), "N1 KEEP ME\r\n");
    } else {
        Choose({item.substr(eq + 1)});
        if (eq != std::string::npos) view.DownloadAnswer.Files[0].McProgramName = item.substr(0, eq);
        ASSERT_TRUE(ConnectChannel(1));
        Post(WindowMsg::StartDownload);
        ASSERT_TRUE(RunUntilIdle(600000));
        EXPECT_EQ(LastRun().FilesCompleted, 0);
    }
    EXPECT_TRUE(ShownStartingWith("No response from MC!")) << ::testing::PrintToString(StatusTexts());
}

INSTANTIATE_TEST_SUITE_P(Waits, TalkingLine,
                         ::testing::Values(Case{"DYNA/PERT", false, "F.NCD"}, Case{"DYNA/PERT", true, "OLD.NCD"},
                                           Case{"UNIVERSAL", false, "MAIN=F.NCD"},
                                           Case{"TDK/VC5", true, "BOARD=OLD.NCD"}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.Type; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name + (info.param.Upload ? "Upload" : "Download");
                         });

}  // namespace
