// The machine environment page's rules on the simulated radio: the table rows,
// the connected mark, COPY/PASTE/DELETE, and an edit of the connected channel
// that sets its sub module up again.

#include <gtest/gtest.h>

#include "link/LinkFixture.h"
#include "sim/SimulatedSubModule.h"
#include "ui/models/ChannelEditorModel.h"
#include "ui/models/MachineEnvironmentModel.h"

namespace {
constexpr const char* kSerial3 = "000000000003";

class MachineEnvironmentModelTest : public LinkFixture {
protected:
    MachineEnvironmentModelTest() {
        app.BuildSelectionLists();
        StoreChannel(3, kSerial3, "DYNA/PERT");
    }
    // The editor opened on `row`, changed by `change`, and O.K pressed.
    bool Edit(int row, const std::function<void(ChannelEditorControls&)>& change) {
        ChannelEditorModel editor(app, page.EditorRecord(row));
        change(editor.Edit());
        if (!editor.Ok()) return false;
        return page.FinishEdit(editor.Record(), editor.AcceptedChanges());
    }

    MachineEnvironmentModel page{terminal};
};
}  // namespace

TEST_F(MachineEnvironmentModelTest, RowsShowStoredChannelsAndBlankOnes) {
    page.RefreshAll();
    const auto& row = page.RowCells(2);
    EXPECT_EQ(row[0], "03");
    EXPECT_EQ(row[1], "MC3");
    EXPECT_EQ(row[2], "DYNA/PERT");
    EXPECT_EQ(row[3], kSerial3);
    EXPECT_EQ(row[5] + "," + row[6] + "," + row[7] + "," + row[8] + "," + row[9] + "," + row[10],
              "4800,8,NONE,127,CR,NO");
    EXPECT_EQ(page.RowCells(98)[0], "99");
    EXPECT_EQ(page.RowCells(98)[1], "");
    const MachineEnvironmentMenu empty = page.MenuFor(0);
    EXPECT_TRUE(empty.Edit);
    EXPECT_FALSE(empty.Delete || empty.Copy || empty.Paste);
    const MachineEnvironmentMenu stored = page.MenuFor(2);
    EXPECT_TRUE(stored.Delete && stored.Copy);
    EXPECT_FALSE(stored.Paste);
}

TEST_F(MachineEnvironmentModelTest, EditOfAnEmptyRowOffersANewUniversalChannel) {
    const ChannelConfig record = page.EditorRecord(9);
    EXPECT_EQ(record.Channel, 10);
    EXPECT_EQ(record.McType, "UNIVERSAL");
    EXPECT_EQ(record.McName, "ZID-xxx");
    EXPECT_EQ(record.SubSerial, "000000000000");
    EXPECT_EQ(record.McBaudRate + record.McDataBit + record.McParityBit + record.McDelayBit, "96008NONE127");
    EXPECT_EQ(record.NcdFileFolder, "/home/op/DATA/ZID");
    // O.K without changes saves nothing.
    EXPECT_FALSE(Edit(9, [](ChannelEditorControls&) {}));
    EXPECT_FALSE(app.ChannelKeyExists(10));
    // A name and the serial of a sub module make it a channel that connects.
    EXPECT_TRUE(Edit(9, [](ChannelEditorControls& c) {
        c.McName = "ZID-7";
        c.SubSerial = "000000000007";
    }));
    EXPECT_TRUE(app.ChannelKeyExists(10));
    EXPECT_EQ(page.RowCells(9)[1], "ZID-7");
    EXPECT_TRUE(Shown("10 Changed channel parameters."));
    ASSERT_TRUE(ConfirmHost());
    ASSERT_TRUE(ConnectChannel(10));
    EXPECT_EQ(app.CurrentChannel.McName, "ZID-7");
    EXPECT_TRUE(terminal.StatusFlags & Status::SubSetUp);
}

TEST_F(MachineEnvironmentModelTest, CopyAndPasteMakeAFullCopyUnderTheNewNumber) {
    page.Copy(0);   // no channel 1: nothing to paste
    EXPECT_FALSE(page.Copied());
    EXPECT_FALSE(page.Paste(9));
    page.Copy(2);
    ASSERT_TRUE(page.Copied());
    EXPECT_TRUE(page.MenuFor(50).Paste);
    ASSERT_TRUE(page.Paste(9));
    ChannelConfig three, ten;
    three.Channel = 3;
    ten.Channel = 10;
    ASSERT_TRUE(app.LoadChannelConfig(three));
    ASSERT_TRUE(app.LoadChannelConfig(ten));
    EXPECT_EQ(ten.Channel, 10);
    ten.Channel = 3;
    EXPECT_EQ(ten, three);   // every field, the sub module serial too
    EXPECT_EQ(page.RowCells(9)[3], kSerial3);
}

TEST_F(MachineEnvironmentModelTest, DeleteOfTheConnectedChannelLeavesTheLinkUp) {
    ASSERT_TRUE(ConfirmHost());
    ASSERT_TRUE(ConnectChannel(3));
    page.RefreshAll();
    EXPECT_EQ(page.MarkedChannel(), 3);
    EXPECT_EQ(page.RowCells(2)[MachineEnvironmentModel::kRemarksColumn], "Connected");

    ASSERT_TRUE(page.Delete(2));
    EXPECT_FALSE(app.ChannelKeyExists(3));
    EXPECT_TRUE(terminal.StatusFlags & Status::SubConnected);
    EXPECT_EQ(page.RowCells(2)[0], "03");
    EXPECT_EQ(page.RowCells(2)[1], "");
    EXPECT_EQ(page.RowCells(2)[MachineEnvironmentModel::kRemarksColumn], "Connected");
    EXPECT_FALSE(page.Delete(2));   // already gone

    // The hang-up moves the mark away.
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(page.UpdateConnectedMark(), -1);
    EXPECT_EQ(page.RowCells(2)[MachineEnvironmentModel::kRemarksColumn], "");
}

TEST_F(MachineEnvironmentModelTest, ChangedBaudRateOfTheConnectedChannelSetsTheSubModuleUpAgain) {
    ASSERT_TRUE(ConfirmHost());
    ASSERT_TRUE(ConnectChannel(3));
    SimulatedSubModule* sub = radio.FindSubModule(kSerial3);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->LineParameterByte(), 0xA1);   // 4800 baud, 8 data bits, no parity

    // A new name alone is saved without a new set-up.
    sub->ClearRadioLog();
    ASSERT_TRUE(Edit(2, [](ChannelEditorControls& c) { c.McName = "Line 3"; }));
    EXPECT_EQ(app.CurrentChannel.McName, "Line 3");
    EXPECT_FALSE(terminal.Engine.IsActive(JobBit::ModuleSetup));
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(sub->RadioLog().empty());

    ASSERT_TRUE(Edit(2, [](ChannelEditorControls& c) { c.BaudRate = "9600"; }));
    EXPECT_EQ(app.CurrentChannel.McBaudRate, "9600");
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::ModuleSetup));
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(sub->LineParameterByte(), 0xA0);   // 9600 baud, 8 data bits, no parity
    const std::vector<uint8_t>& log = sub->RadioLog();
    EXPECT_NE(std::find(log.begin(), log.end(), uint8_t{0xA0}), log.end());
    EXPECT_TRUE(terminal.StatusFlags & Status::SubSetUp);
}

TEST_F(MachineEnvironmentModelTest, EditWhileAJobRunsIsSavedButLeavesTheLinkAlone) {
    ASSERT_TRUE(ConfirmHost());
    ASSERT_TRUE(ConnectChannel(3));
    SimulatedSubModule* sub = radio.FindSubModule(kSerial3);
    sub->ClearRadioLog();
    terminal.Engine.ActiveJobs |= JobBit::UploadDispatcher;   // a transfer in progress
    ASSERT_TRUE(Edit(2, [](ChannelEditorControls& c) { c.ParityBit = "EVEN"; }));
    terminal.Engine.ActiveJobs &= ~JobBit::UploadDispatcher;
    EXPECT_EQ(app.CurrentChannel.McParityBit, "NONE");
    EXPECT_FALSE(terminal.Engine.IsActive(JobBit::ModuleSetup));
    loop.RunFor(2000);
    EXPECT_TRUE(sub->RadioLog().empty());
    ChannelConfig saved;
    saved.Channel = 3;
    ASSERT_TRUE(app.LoadChannelConfig(saved));
    EXPECT_EQ(saved.McParityBit, "EVEN");
}

TEST_F(MachineEnvironmentModelTest, AnEditOrPasteTheStoreRefusesIsReportedAndNotShownAsSaved) {
    page.RefreshAll();
    page.Copy(2);
    platform.Store.SetWritable(false);
    EXPECT_FALSE(Edit(2, [](ChannelEditorControls& c) { c.McName = "LOST"; }));
    EXPECT_FALSE(page.Paste(4));
    EXPECT_EQ(page.RowCells(2)[1], "MC3");
    EXPECT_EQ(page.RowCells(4)[1], "");
    EXPECT_FALSE(Shown("3 Changed channel parameters."));
    EXPECT_TRUE(Shown("3 Channel parameters were not saved: the settings file cannot be written."));
    EXPECT_TRUE(Shown("5 Channel parameters were not saved: the settings file cannot be written."));
}
