#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "ui/CWait_download_start_dlg.h"

namespace {

struct Presses {
    int starts = 0;
    int cancels = 0;
};

TEST(CWait_download_start_dlg, OneAnswerIsSentAndTheJobClosesTheDialog) {
    Presses presses;
    CWait_download_start_dlg dialog(QStringLiteral("Waiting download start signal"),
                                    QStringLiteral("Start downloading"), QStringLiteral("Cancel download"),
                                    [&] { ++presses.starts; }, [&] { ++presses.cancels; });
    dialog.show();
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.StartButton()->objectName(), QStringLiteral("ctl1139"));

    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(presses.starts, 1);
    EXPECT_EQ(presses.cancels, 0);
    // It waits for the job to close it.
    EXPECT_TRUE(dialog.isVisible());
}

TEST(CWait_download_start_dlg, EscapeCancelsTheDownload) {
    Presses presses;
    CWait_download_start_dlg dialog(QStringLiteral("t"), QStringLiteral("s"), QStringLiteral("c"),
                                    [&] { ++presses.starts; }, [&] { ++presses.cancels; });
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(presses.cancels, 1);
    EXPECT_EQ(presses.starts, 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.StartButton()->isEnabled());
}

}  // namespace
