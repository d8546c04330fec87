#include <gtest/gtest.h>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "app/SettingsStore.h"
#include "ui/models/ChannelEditorModel.h"

namespace {
class ChannelEditorModelTest : public ::testing::Test {
protected:
    ChannelEditorModelTest() {
        app.AttachPlatform(platform);
        app.BuildSelectionLists();
    }

    ChannelConfig Stored(int channel, const char* type) {
        ChannelConfig c;
        c.Channel = channel;
        app.SetDefaultChannelConfig(c);
        c.McType = type;
        c.McName = "M" + std::to_string(channel);
        return c;
    }

    FakeAppPlatform platform;
    CKOVAApp app;
};
}  // namespace

TEST_F(ChannelEditorModelTest, ListsOfferWhatTheEditorAllows) {
    ChannelEditorModel model(app, Stored(1, "UNIVERSAL"));
    EXPECT_EQ(model.BaudRateEntries(), (std::vector<std::string>{"300", "600", "1200", "2400", "4800", "9600"}));
    EXPECT_EQ(ChannelEditorModel::ChannelEntries().size(), 99u);
    EXPECT_EQ(ChannelEditorModel::DelayBitEntries().back(), "200");
    EXPECT_EQ(model.TypeEntries().size(), 7u);
}

TEST_F(ChannelEditorModelTest, EachControlHasItsChangeBit) {
    struct Case {
        std::function<void(ChannelEditorControls&)> Change;
        uint32_t Bit;
    };
    const Case cases[] = {
        {[](auto& c) { c.BaudRate = "9600"; }, 0x2},     {[](auto& c) { c.DataBit = "7"; }, 0x4},
        {[](auto& c) { c.ParityBit = "ODD"; }, 0x8},     {[](auto& c) { c.DelayBit = "30"; }, 0x10},
        {[](auto& c) { c.PnrEtx = "^C"; }, 0x20},        {[](auto& c) { c.PnrPName = true; }, 0x40},
        {[](auto& c) { c.McType = "TDK/VC5"; }, 0x80},   {[](auto& c) { c.McName = "X"; }, 0x100},
        {[](auto& c) { c.SubSerial = "1"; }, 0x200},     {[](auto& c) { c.Folder = "/x"; }, 0x400},
        {[](auto& c) { c.Verify = true; }, 0x800},
    };
    for (const Case& c : cases) {
        ChannelEditorModel model(app, Stored(4, "DYNA/PERT"));
        EXPECT_EQ(model.ChangeBits(), 0u);
        EXPECT_FALSE(model.OkEnabled());
        c.Change(model.Edit());
        EXPECT_EQ(model.ChangeBits(), c.Bit);
        EXPECT_TRUE(model.OkEnabled());
        EXPECT_EQ((c.Bit & ChangeBit::LineParameters) != 0, (c.Bit & 0x9E) != 0);
    }
    EXPECT_EQ(ChangeBit::LineParameters, 0x9Eu);
}

TEST_F(ChannelEditorModelTest, DefaultFollowsTheChosenType) {
    ChannelEditorModel model(app, Stored(2, "DYNA/PERT"));   // 4800 8 NONE 127: the type's defaults
    EXPECT_FALSE(model.DefaultEnabled());
    EXPECT_FALSE(model.PnrOptionsEnabled());
    model.Edit().McType = "PANASERT/RS232";
    EXPECT_TRUE(model.PnrOptionsEnabled());
    EXPECT_TRUE(model.DefaultEnabled());
    model.Edit().PnrEtx = "^C";
    model.Edit().PnrPName = true;
    model.Default();
    const ChannelEditorControls& c = model.Controls();
    EXPECT_EQ(c.BaudRate + c.DataBit + c.ParityBit + c.DelayBit + c.PnrEtx, "48007EVEN25CR");
    EXPECT_FALSE(c.PnrPName);
    EXPECT_FALSE(model.DefaultEnabled());

    model.Edit().McType = "CITIZEN/M10";
    EXPECT_FALSE(model.PnrOptionsEnabled());
    model.Default();
    EXPECT_EQ(model.Controls().BaudRate + model.Controls().DelayBit, "240035");

    // A type outside the table has no defaults: Default stays disabled and does nothing.
    model.Edit().McType = "USM";
    model.Edit().BaudRate = "300";
    EXPECT_FALSE(model.DefaultEnabled());
    model.Default();
    EXPECT_EQ(model.Controls().BaudRate, "300");
}

TEST_F(ChannelEditorModelTest, ValuesTheListsLackAreKeptUntouchedAndSavedBack) {
    ChannelConfig odd = Stored(5, "DYNA/PERT");
    odd.McBaudRate = "19200";
    odd.McDelayBit = "250";
    ChannelEditorModel model(app, odd);
    EXPECT_EQ(model.ChangeBits(), 0u);
    model.Edit().McName = "renamed";
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(model.AcceptedChanges(), ChangeBit::McName);
    EXPECT_EQ(model.Record().McBaudRate, "19200");
    EXPECT_EQ(model.Record().McDelayBit, "250");
    EXPECT_EQ(model.Record().McName, "renamed");
}

TEST_F(ChannelEditorModelTest, ChoosingAnotherChannelLoadsItAndOkWithoutChangesIsCancel) {
    ChannelConfig six = Stored(6, "TDK/VC5");
    app.SaveChannelConfig(six);
    ChannelEditorModel model(app, Stored(1, "UNIVERSAL"));
    model.Edit().McName = "changed";
    model.ChooseChannel(6);
    EXPECT_EQ(model.Controls().Channel, "6");
    EXPECT_EQ(model.Controls().McType, "TDK/VC5");
    EXPECT_EQ(model.ChangeBits(), 0u);
    model.ChooseChannel(7);   // no record: the load defaults
    EXPECT_EQ(model.Controls().McType, "USM");
    EXPECT_EQ(model.Record().Channel, 7);
    EXPECT_FALSE(model.Ok());

    model.ChooseFolder("/HOME/OP/DATA/USM");   // the same folder in other case
    EXPECT_EQ(model.Controls().Folder, "/home/op/DATA/USM");
    model.ChooseFolder("");                    // browser cancelled
    EXPECT_EQ(model.Controls().Folder, "/home/op/DATA/USM");
    model.ChooseFolder("/srv/nc");
    EXPECT_EQ(model.ChangeBits(), ChangeBit::Folder);
    model.Edit().Channel = "12";   // saved under the number chosen in the editor
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(model.Record().Channel, 12);
    EXPECT_EQ(model.Record().NcdFileFolder, "/srv/nc");
}

TEST_F(ChannelEditorModelTest, VerifyAfterDownloadIsOfferedForTypesThatSendAProgramBackAndStored) {
    for (const char* type : {"UNIVERSAL", "TDK/VC5", "DYNA/PERT", "TDK/VC5A"}) {
        ChannelEditorModel model(app, Stored(5, type));
        const std::string t = type;
        EXPECT_EQ(model.VerifyEnabled(), t == "UNIVERSAL" || t == "TDK/VC5") << type;
    }
    ChannelEditorModel model(app, Stored(5, "UNIVERSAL"));
    EXPECT_FALSE(model.Controls().Verify);   // off by default
    model.Edit().Verify = true;
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(model.Record().VerifyAfterDownload, 1);
    ASSERT_EQ(app.SaveChannelConfig(model.Record()), 1);
    ChannelConfig loaded;
    loaded.Channel = 5;
    ASSERT_EQ(app.LoadChannelConfig(loaded), 1);
    EXPECT_EQ(loaded.VerifyAfterDownload, 1);

    // A record stored before the setting existed reads as off.
    platform.Settings().WriteString("CHANNEL_6", ChannelValue::McType, "UNIVERSAL");
    loaded.Channel = 6;
    ASSERT_EQ(app.LoadChannelConfig(loaded), 1);
    EXPECT_EQ(loaded.VerifyAfterDownload, 0);

    EXPECT_EQ(model.VerifyCaption(), "Verify after download");
    app._nLanguage = 1;
    EXPECT_EQ(model.VerifyCaption(), "다운로드 후 검증");
}
