#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/models/TextWindowBatch.h"
#include "ui/models/TextWindowTrimmer.h"

namespace {

// A window's text as the widget keeps it: a cut drops its leading lines (every
// CR LF is one break) and appends.
struct WindowText {
    std::string text;
    void Apply(const TextWindowTrimmer::Cut& cut) {
        if (cut.All) text.clear();
        std::size_t i = 0;
        for (std::size_t lines = cut.Lines; lines > 0 && i < text.size(); ++i) {
            if (text[i] == '\n') --lines;
        }
        text.erase(0, i);
        text += cut.Text;
    }
};

// Appends `texts`, once applying every cut at once and once gathering them in
// a batch that is taken after every `every` appends; both windows must agree.
void ExpectSameWindow(const std::vector<std::string>& texts, std::size_t every) {
    TextWindowTrimmer direct(60, 3);
    TextWindowTrimmer batched(60, 3);
    TextWindowBatch batch;
    WindowText one;
    WindowText gathered;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        one.Apply(direct.Append(texts[i]));
        batch.Add(batched.Append(texts[i]));
        if ((i + 1) % every == 0 || i + 1 == texts.size()) {
            gathered.Apply(batch.Take(batched.LineCount()));
            ASSERT_EQ(gathered.text, one.text) << "after append " << i;
        }
    }
    EXPECT_TRUE(batch.Empty());
}

}  // namespace

TEST(TextWindowBatchTest, GatheredCutsLeaveTheWindowAsSingleOnesWould) {
    // Short lines, lines that run over several appends, a text longer than the
    // window, and cuts that reach into the text not shown yet.
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i) lines.push_back("L" + std::to_string(i) + "\r\n");
    std::vector<std::string> pieces;
    for (int i = 0; i < 60; ++i) pieces.push_back(i % 7 == 6 ? "\r\n" : std::string(i % 5 + 1, 'a' + i % 26));
    std::vector<std::string> mixed = {"abc", "\r\n\r\n\r\n", std::string(100, 'z'), "x\r\ny\r\n", "", "tail",
                                      std::string(59, 'q') + "\r\n" + "r"};
    for (std::size_t every : {1u, 2u, 3u, 7u, 100u}) {
        SCOPED_TRACE(every);
        ExpectSameWindow(lines, every);
        ExpectSameWindow(pieces, every);
        ExpectSameWindow(mixed, every);
    }
}

TEST(TextWindowBatchTest, AResetWindowStartsWithOneEmptyLine) {
    TextWindowTrimmer trimmer(60, 3);
    TextWindowBatch batch;
    WindowText window;
    batch.Add(trimmer.Append("a\r\nb\r\nc\r\nd\r\n"));
    batch.Reset();
    trimmer.Clear();
    EXPECT_TRUE(batch.Empty());
    for (int i = 0; i < 20; ++i) batch.Add(trimmer.Append("line\r\n"));
    window.Apply(batch.Take(trimmer.LineCount()));
    EXPECT_EQ(TextWindowTrimmer::CountChars(window.text), trimmer.Length());
}
