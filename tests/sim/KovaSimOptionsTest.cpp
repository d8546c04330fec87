#include "SimTestSupport.h"
#include "sim/KovaSimOptions.h"

namespace {

TEST(KovaSimOptionsTest, KnobsReachTheRadio) {
    KovaSimOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"--link", "/tmp/trx", "--refuse", "000000000002", "--mute",
                               "000000000003", "--absent", "000000000004", "--sub-version", "30",
                               "--host-mode", "MODE1", "--refuse-dial"},
                              error))
        << error;
    EXPECT_EQ(options.linkPath, "/tmp/trx");
    EXPECT_FALSE(options.fast);   // the host link runs at its own speed unless asked
    ASSERT_TRUE(options.Parse({"--fast"}, error)) << error;
    EXPECT_TRUE(options.fast);

    VirtualEventLoop loop;
    VirtualClockScheduler clock(loop);
    SimulatedRadio radio(clock);
    ASSERT_TRUE(options.ApplyTo(radio, error)) << error;
    EXPECT_TRUE(radio.FindSubModule("000000000002")->RefusesDial());
    EXPECT_TRUE(radio.FindSubModule("000000000003")->Muted());
    EXPECT_FALSE(radio.FindSubModule("000000000004")->InRange());
    EXPECT_EQ(radio.FindSubModule("000000000007")->Config().version, 30);
    EXPECT_EQ(radio.Host().Config().mode, "MODE1");
    EXPECT_TRUE(radio.Host().Answering());
}

TEST(KovaSimOptionsTest, WrongCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--link"}, {"--bogus"}, {"--sub-version", "125"}, {"--sub-version", "4x"}, {"--mute"},
        {"--alter-stored", "000000000007"}, {"--alter-stored", ":3"}, {"--alter-stored", "000000000007:0"},
        {"--alter-stored", "000000000007:2x"}};
    for (const auto& args : wrong) {
        KovaSimOptions options;
        std::string error;
        EXPECT_FALSE(options.Parse(args, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }

    KovaSimOptions options;
    std::string error;
    ASSERT_TRUE(options.Parse({"--mute", "000000000099"}, error));
    VirtualEventLoop loop;
    VirtualClockScheduler clock(loop);
    SimulatedRadio radio(clock);
    EXPECT_FALSE(options.ApplyTo(radio, error));
    EXPECT_NE(error.find("000000000099"), std::string::npos);

    // A store to alter needs a machine that stores programs by name.
    KovaSimOptions alter;
    ASSERT_TRUE(alter.Parse({"--alter-stored", "000000000001:2"}, error)) << error;
    EXPECT_FALSE(alter.ApplyTo(radio, error));
    EXPECT_NE(error.find("UNIVERSAL or TDK/VC5"), std::string::npos) << error;
}

TEST(SimulatedRadioTest, DefaultPopulationServesOneMachineOfEachTypeInOrder) {
    VirtualEventLoop loop;
    VirtualClockScheduler clock(loop);
    SimulatedRadio radio(clock);
    const char* types[] = {"DYNA/PERT", "PANASERT/RS232", "PANASERT/TTY", "CITIZEN/M10",
                           "TDK/VC5A",  "TDK/VC5",        "UNIVERSAL"};
    ASSERT_EQ(radio.SubModules().size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        const SimulatedSubModule& sub = *radio.SubModules()[i];
        EXPECT_EQ(sub.Address(), "00000000000" + std::to_string(i + 1));
        ASSERT_NE(sub.Machine(), nullptr);
        EXPECT_EQ(sub.Machine()->TypeName(), types[i]);
    }
}

}  // namespace
