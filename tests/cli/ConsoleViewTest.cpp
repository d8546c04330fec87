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
