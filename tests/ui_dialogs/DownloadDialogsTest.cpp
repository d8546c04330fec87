#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/CKOVAApp.h"
#include "support/TempFolder.h"
#include "ui/CDownloadDlg.h"
#include "ui/CIn_MC_prog_dlg.h"
#include "ui/CInsertionPlot.h"
#include "ui/CQuickViewDlg.h"
#include "ui/QtText.h"

namespace {

namespace fs = std::filesystem;

// Runs `step` on the next modal dialog once it is open (the test thread is
// inside its exec then).
void OnNextModal(std::function<void(QWidget*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            step(modal);
        }
    });
    timer->start();
}

class DownloadDialogTest : public ::testing::Test {
protected:
    DownloadDialogTest() {
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        fs::create_directories(root + "/A");
        fs::create_directories(root + "/B");
        std::ofstream(root + "/A/my prog,v2.ncd") << "N1 X10\r\nN2 Y20\r\n";
        std::ofstream(root + "/A/other.ncd") << "N1\r\n";
        std::ofstream(root + "/B/b.ncd") << "N1\r\n";
        channel.Channel = 7;
        channel.McName = "ZID-1";
        channel.NcdFileFolder = root + "/A";
    }

    CDownloadDlg& Open(const std::string& type, bool programNames, bool system = false) {
        channel.McType = type;
        request.ShowProgramNames = programNames;
        request.SystemProgram = system;
        auto text = [this](Msg row) { return app.GetMultiLanguageStr(static_cast<int>(row)); };
        model = std::make_unique<DownloadDialogModel>(
            channel, mcPrograms, request, text, [](const std::string&) {},
            [this](const ChannelConfig& saved) {
                saves.push_back(saved);
                return 1;
            });
        model->Initialize();
        dialog = std::make_unique<CDownloadDlg>(*model, text);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 30000));
        return *dialog;
    }

    QTableWidget* List() { return dialog->List(); }
    // A view takes a double click on the cell it was pressed on, as a real one is.
    void DoubleClick(int row, int column) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CellCenter(row, column));
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, CellCenter(row, column));
    }
    QString Cell(int row, int column) { return List()->item(row, column)->text(); }
    QPoint CellCenter(int row, int column) {
        return List()->visualItemRect(List()->item(row, column)).center();
    }

    CKOVAApp app;
    TempFolder temp{"kova-ui"};
    std::string root = temp.Path().string();
    ChannelConfig channel;
    McProgramEntryList mcPrograms;
    DownloadRequest request;
    std::vector<ChannelConfig> saves;
    std::unique_ptr<DownloadDialogModel> model;
    std::unique_ptr<CDownloadDlg> dialog;
};

TEST_F(DownloadDialogTest, ProgramNameModeShowsTheFilesRemarksAndButtons) {
    mcPrograms = {{"OTHER.NCD", 4}};
    CDownloadDlg& d = Open("UNIVERSAL", true);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Select  NC program  to downloading.  (CH:7, UNIVERSAL, ZID-1)"));
    ASSERT_EQ(List()->columnCount(), 5);
    EXPECT_EQ(List()->horizontalHeaderItem(3)->text(), QStringLiteral("Program name in MC"));
    ASSERT_EQ(List()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("0001"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("my prog,v2.ncd"));
    EXPECT_EQ(Cell(1, 4), QStringLiteral("Already exist on MC."));
    EXPECT_EQ(d.PathEdit()->text(), ToQ(root + "/A/*.*"));
    EXPECT_FALSE(d.DelayBits()->isVisible());
    EXPECT_FALSE(d.DownloadButton()->isEnabled());
    EXPECT_FALSE(d.ChangeFolderButton()->isEnabled());
    EXPECT_TRUE(d.FindFolderButton()->isEnabled());
}

TEST_F(DownloadDialogTest, DoubleClickNamesAFileAndDownloadHandsItBack) {
    CDownloadDlg& d = Open("UNIVERSAL", true);
    DoubleClick(0, 2);
    EXPECT_EQ(Cell(0, 3), QStringLiteral("MY_PROG_V2.NCD"));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("Downloading"));
    ASSERT_TRUE(d.DownloadButton()->isEnabled());

    QTest::mouseClick(d.DownloadButton(), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(d.Result().Files.size(), 1u);
    EXPECT_EQ(d.Result().Files[0].McProgramName, "MY_PROG_V2.NCD");
    EXPECT_EQ(d.Result().TransferFolder, root + "/A");
}

TEST_F(DownloadDialogTest, RenameInPlaceCommitsWithEnterAndAbandonsWithEsc) {
    CDownloadDlg& d = Open("TDK/VC5", true);
    DoubleClick(1, 3);
    ASSERT_TRUE(d.NameEdit()->isVisible());
    d.NameEdit()->setText(QStringLiteral("abcdefghijkl"));
    QTest::keyClick(d.NameEdit(), Qt::Key_Return);
    EXPECT_FALSE(d.NameEdit()->isVisible());
    EXPECT_EQ(Cell(1, 3), QStringLiteral("ABCDEFGHIJ"));

    DoubleClick(1, 3);
    ASSERT_TRUE(d.NameEdit()->isVisible());
    EXPECT_EQ(d.NameEdit()->text(), QStringLiteral("ABCDEFGHIJ"));
    d.NameEdit()->setText(QStringLiteral("changed"));
    QTest::keyClick(d.NameEdit(), Qt::Key_Escape);
    EXPECT_FALSE(d.NameEdit()->isVisible());
    EXPECT_EQ(Cell(1, 3), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_TRUE(d.isVisible());   // Esc in the edit does not close the dialog
}

TEST_F(DownloadDialogTest, FolderBrowserAndChangeFolderOfChannel) {
    CDownloadDlg& d = Open("DYNA/PERT", false);
    QString askedTitle, askedStart;
    d.PickFolder = [&](QWidget*, const QString& title, const QString& start) {
        askedTitle = title;
        askedStart = start;
        return ToQ(root + "/B");
    };
    QTest::mouseClick(d.FindFolderButton(), Qt::LeftButton);
    EXPECT_EQ(askedTitle, QStringLiteral("Select pattern program folder."));
    EXPECT_EQ(askedStart, ToQ(root + "/A"));
    ASSERT_EQ(List()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 2), QStringLiteral("b.ncd"));
    EXPECT_EQ(d.PathEdit()->text(), ToQ(root + "/B/*.*"));
    ASSERT_TRUE(d.ChangeFolderButton()->isEnabled());

    QTest::mouseClick(d.ChangeFolderButton(), Qt::LeftButton);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].NcdFileFolder, root + "/B");
    EXPECT_FALSE(d.ChangeFolderButton()->isEnabled());
}

TEST_F(DownloadDialogTest, SingleFileModeDownloadFollowsTheSelection) {
    CDownloadDlg& d = Open("DYNA/PERT", false);
    EXPECT_EQ(List()->columnCount(), 4);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CellCenter(1, 2));
    EXPECT_TRUE(d.DownloadButton()->isEnabled());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, CellCenter(0, 2));
    EXPECT_FALSE(d.DownloadButton()->isEnabled());
}

TEST_F(DownloadDialogTest, PathEditEscRestoresAndEnterReadsTheNewPath) {
    CDownloadDlg& d = Open("UNIVERSAL", true);
    d.PathEdit()->setFocus();
    d.PathEdit()->setText(QStringLiteral("/somewhere/else"));
    QTest::keyClick(d.PathEdit(), Qt::Key_Escape);
    EXPECT_EQ(d.PathEdit()->text(), ToQ(root + "/A/*.*"));
    EXPECT_TRUE(d.isVisible());

    d.PathEdit()->setFocus();
    d.PathEdit()->setText(ToQ(root + "/B"));
    QTest::keyClick(d.PathEdit(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return List()->rowCount() == 1; }, 30000));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("b.ncd"));
    EXPECT_EQ(d.PathEdit()->text(), ToQ(root + "/B/*.*"));
}

TEST_F(DownloadDialogTest, SystemFormShowsTheDelayBits) {
    CDownloadDlg& d = Open("TDK/VC5", true, true);
    EXPECT_TRUE(d.DelayBits()->isVisible());
    EXPECT_EQ(d.DelayBits()->currentText(), QStringLiteral("35"));
    EXPECT_EQ(List()->columnCount(), 4);
    d.DelayBits()->setCurrentIndex(120);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CellCenter(0, 2));
    QTest::mouseClick(d.DownloadButton(), Qt::LeftButton);
    EXPECT_EQ(d.Result().SysDelayBits, "120");
}

TEST_F(DownloadDialogTest, QuickViewShowsTheFileWithLineNumbers) {
    CDownloadDlg& d = Open("UNIVERSAL", true);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, CellCenter(0, 2));
    QString shown;
    std::size_t plotted = 0;
    OnNextModal([&](QWidget* modal) {
        auto* view = qobject_cast<CQuickViewDlg*>(modal);
        if (view) shown = view->Viewer()->toPlainText();
        if (view && view->Plot()) plotted = view->Plot()->Points().size();
        modal->close();
    });
    d.ShowQuickView();
    EXPECT_EQ(shown, QStringLiteral("N1 X10\nN2 Y20\n"));
    EXPECT_EQ(plotted, 2u);
    EXPECT_EQ(CQuickViewDlg::LineNumberOf(0), 1);
}

TEST(CQuickViewDlgTest, TextLineAndPlotPointFollowEachOther) {
    CQuickViewDlg view(QStringLiteral("view"),
                       QStringLiteral("%\nN10 X10. Y10.\nN20 X-20. Y15.\nN30 M30\nN40 X40. Y-5.\n%\n"),
                       NcDialect::ForMachineType("CITIZEN/M10"));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, 30000));
    CInsertionPlot* plot = view.Plot();
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->Points().size(), 3u);

    // The text cursor on a line with a position marks its point; a line without one marks none.
    view.ShowLine(2);
    EXPECT_EQ(plot->CurrentPoints(), std::vector<int>{1});
    view.ShowLine(3);
    EXPECT_TRUE(plot->CurrentPoints().empty());

    // A click on a point puts the text cursor on its line.
    QPointF third = plot->ToWidget(40, -5);
    QTest::mouseClick(plot, Qt::LeftButton, {}, third.toPoint());
    EXPECT_EQ(view.Viewer()->textCursor().blockNumber(), 4);
    EXPECT_EQ(plot->CurrentPoints(), std::vector<int>{2});

    // Hovering names the point; the origin is always in the fitted picture.
    QTest::mouseMove(plot, plot->ToWidget(-20, 15).toPoint());
    EXPECT_EQ(plot->HoveredPoint(), 1);
    QPointF origin = plot->ToWidget(0, 0);
    EXPECT_TRUE(plot->rect().contains(origin.toPoint()));

    // The wheel zooms about the mouse: the point under it stays where it was.
    QPointF before = plot->ToWidget(10, 10);
    double scale = plot->Scale();
    QWheelEvent wheel(before, plot->mapToGlobal(before), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    EXPECT_NEAR(plot->Scale(), scale * 1.5625, scale * 1e-9);
    EXPECT_NEAR(plot->ToWidget(10, 10).x(), before.x(), 1e-6);
    EXPECT_NEAR(plot->ToWidget(10, 10).y(), before.y(), 1e-6);

    // A drag pans by the distance moved.
    QPoint from(plot->width() / 2, plot->height() / 2);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, from + QPoint(30, -20));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, from + QPoint(30, -20));
    EXPECT_NEAR(plot->ToWidget(10, 10).x(), before.x() + 30, 1e-6);
    EXPECT_NEAR(plot->ToWidget(10, 10).y(), before.y() - 20, 1e-6);
}

TEST(CQuickViewDlgTest, ProgramWithoutCoordinatesShowsTheTextAlone) {
    CQuickViewDlg view(QStringLiteral("view"), QStringLiteral("N0001\nN0002 T3\n"),
                       NcDialect::ForMachineType("DYNA/PERT"));
    EXPECT_EQ(view.Plot(), nullptr);
    EXPECT_EQ(view.Viewer()->toPlainText(), QStringLiteral("N0001\nN0002 T3\n"));
}

TEST(CIn_MC_prog_dlgTest, OkTakesTheTextAsTypedEvenWhenEmpty) {
    auto text = [](Msg row) { return row == Msg::Ok ? std::string("OK") : std::string("CANCEL"); };
    std::string name = "OLD";
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CIn_MC_prog_dlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Equipment to register for the program name"));
        dialog->Edit()->clear();
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(AskMcProgramName(nullptr, text, "Equipment to register for the program name", name));
    EXPECT_EQ(name, "");

    name = "KEEP";
    OnNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CIn_MC_prog_dlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(CIn_MC_prog_dlg::kDefaultPromptTitle));
        dialog->Edit()->setText(QStringLiteral("  typed  "));
        QTest::keyClick(dialog->Edit(), Qt::Key_Escape);
    });
    EXPECT_FALSE(AskMcProgramName(nullptr, text, "", name));
    EXPECT_EQ(name, "KEEP");

    CIn_MC_prog_dlg dialog(text);
    dialog.Edit()->setText(QStringLiteral("  P 1  "));
    dialog.accept();
    EXPECT_EQ(dialog.ProgramName, "  P 1  ");
}

}  // namespace
