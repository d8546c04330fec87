// The console's view: what reaches standard error and the --comm stream.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/ConsoleView.h"
#include "cli/EscapedText.h"

namespace {

TEST(ConsoleViewTest, EchoOfSentBytesShowsWhatTheWindowShows)
{
    std::ostringstream out;
    std::ostringstream err;
    ConsoleView view(out, err, false, "-");
    // A line as the Panasert jobs send it: STX, text, a stuffed NUL, DC2, ETX, CR.
    for (uint8_t byte : {uint8_t{0x02}, uint8_t{'N'}, uint8_t{'1'}, uint8_t{0x00}, uint8_t{0x12},
                         uint8_t{0x03}, uint8_t{0x7F}, uint8_t{0x1B}, uint8_t{'\r'}, uint8_t{'B'}}) {
        view.AppendTransmittedByte(byte);
    }
    EXPECT_EQ(err.str(), "N1\r\nB");
    // Backspace takes the last character back, as in the window.
    view.AppendTransmittedByte(0x08);
    EXPECT_EQ(err.str(), "N1\r\nB\b");
    EXPECT_EQ(out.str(), "");
}

TEST(ConsoleViewTest, NoCommStreamMeansNoEcho)
{
    std::ostringstream out;
    std::ostringstream err;
    ConsoleView view(out, err, false, "");
    view.AppendTransmittedByte('A');
    view.AppendTransmittedByte('\r');
    view.AppendCommText("text");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), "");
}

TEST(ConsoleViewTest, QuestionsAndNoticesShowTheAnswerTaken)
{
    std::ostringstream out;
    std::ostringstream err;
    ConsoleView no(out, err, false, "");
    EXPECT_EQ(no.AskMessageBox("Do you want connection?", MessageBoxKind::YesNo), MessageBoxAnswer::No);
    EXPECT_EQ(no.AskMessageBox("Host modul not found.", MessageBoxKind::RetryCancel), MessageBoxAnswer::Cancel);
    EXPECT_EQ(no.AskMessageBox("Empty file.", MessageBoxKind::Ok), MessageBoxAnswer::Ok);
    ConsoleView yes(out, err, true, "");
    EXPECT_EQ(yes.AskMessageBox("Over write ?", MessageBoxKind::OkCancel), MessageBoxAnswer::Ok);
    EXPECT_EQ(yes.AskMessageBox("Host modul not found.", MessageBoxKind::RetryCancel), MessageBoxAnswer::Cancel);
    EXPECT_EQ(err.str(),
              "?? Do you want connection? [No]\n"
              "?? Host modul not found. [Cancel]\n"
              "!! Empty file. [OK]\n"
              "?? Over write ? [OK]\n"
              "?? Host modul not found. [Cancel]\n");
    EXPECT_EQ(out.str(), "");
}

TEST(ConsoleViewTest, ControlBytesInFieldsAndEntriesAreWrittenEscaped)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain /srv/nc", "plain /srv/nc"},
        {"a\tb", "a\\tb"},
        {"a\r\nb", "a\\r\\nb"},
        {"a\x1b[2Jb", "a\\x1b[2Jb"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"\x7f\x01", "\\x7f\\x01"},
        {"\xEB\x9D\xBC \xff\xfe", "\xEB\x9D\xBC \xff\xfe"},   // text bytes pass as they are
    };
    for (const auto& [raw, escaped] : cases) {
        EXPECT_EQ(EscapedText(raw), escaped);
    }

    std::ostringstream out;
    std::ostringstream err;
    ConsoleView view(out, err, false, "");
    view.AppendStatusLine("3> File not open. evil\nname\x1b.NC");
    view.AskMessageBox("Over write\r?", MessageBoxKind::Ok);
    EXPECT_EQ(err.str(), "3> File not open. evil\\nname\\x1b.NC\n!! Over write\\r? [OK]\n");
}

}  // namespace

namespace {

TransferFigures Figures(uint64_t elapsedMs, int64_t fileDone, int64_t fileBytes) {
    TransferFigures f;
    f.ElapsedMs = elapsedMs;
    f.FileDone = fileDone;
    f.FileBytes = fileBytes;
    f.FileLinesDone = fileDone / 10;
    f.FileLines = fileBytes / 10;
    f.TotalDone = fileDone;
    f.TotalBytes = fileBytes;
    f.TotalLinesDone = fileDone / 10;
    f.CharsPerSecond = 872.4;
    f.Retries = 1;
    f.Nudges = 2;
    f.SecondsLeft = 75;
    return f;
}

TEST(ConsoleViewTest, FiguresOnATerminalRewriteOneLineThatEntriesClearFirst)
{
    std::ostringstream out;
    std::ostringstream err;
    {
        ConsoleView view(out, err, false, "");
        view.SetProgressOnTerminal(true);
        view.SetTransferFigures(Figures(1000, 100, 1000));
        view.SetTransferFigures(Figures(1250, 200, 1000));
        view.AppendStatusLine("2> Downloading complete.");
    }
    EXPECT_EQ(err.str(),
              "\rSize 100/1000  Lines 10/100  |  \u03A3 100/1000  10  |  872 cps  |  \u21BB1 \u21AF2  |  -01:15\x1b[K"
              "\rSize 200/1000  Lines 20/100  |  \u03A3 200/1000  20  |  872 cps  |  \u21BB1 \u21AF2  |  -01:15\x1b[K"
              "\r\x1b[K2> Downloading complete.\n");
    EXPECT_EQ(out.str(), "");
}

TEST(ConsoleViewTest, FiguresInALogArePlainLinesNowAndThenAndAtEachFilesEnd)
{
    std::ostringstream out;
    std::ostringstream err;
    ConsoleView view(out, err, false, "");
    view.SetFigureWords("S", "L");
    for (uint64_t ms = 0; ms <= 12000; ms += 250) view.SetTransferFigures(Figures(ms, 10 + ms / 20, 1000));
    view.SetTransferFigures(Figures(12100, 1000, 1000));
    view.SetTransferFigures(Figures(12200, 1000, 1000));   // the same end again: no second line
    // A new selection counts its own seconds.
    view.SetTransferFigures(Figures(0, 0, 500));
    view.SetTransferFigures(Figures(5000, 250, 500));
    std::istringstream lines(err.str());
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) got.push_back(line.substr(0, line.find("  |")));
    EXPECT_EQ(got, (std::vector<std::string>{"S 260/1000  L 26/100", "S 510/1000  L 51/100",
                                             "S 1000/1000  L 100/100", "S 250/500  L 25/50"}));
    EXPECT_EQ(err.str().find('\r'), std::string::npos);
}

}  // namespace
