#pragma once
// Keeps a read-only output window (the status window, the communication
// window) below its character limit. The trimmer tracks the length of each line
// of the window; before new text goes in it decides how many leading lines the
// window must drop, and the view applies the same cut to its widget.
//
// Counting follows the edit control the operators know: a character is one
// Unicode code point and every line break counts as two (CR LF). A break is
// CR LF, a lone LF or a lone CR, the same rule the Qt text document applies, so
// the trimmer's lines and the widget's blocks stay in step.
//
// The cut loop always ends: when the window has no line to cut at, all of its
// old text goes, and a single text that is longer than the limit keeps only its
// last part that fits.

#include <cstddef>
#include <deque>
#include <string>

class TextWindowTrimmer {
public:
    // The window holds fewer than `limit` characters after every append; a cut
    // removes the text before line `cutLine`.
    TextWindowTrimmer(std::size_t limit, std::size_t cutLine);

    struct Cut {
        std::size_t Lines = 0;   // leading lines to remove from the widget
        bool All = false;        // remove everything (applied before Lines)
        std::string Text;        // what to append (the tail of the text when it was too long)
    };

    // Appends `text` (UTF-8): while the window's length plus the text's length
    // reaches the limit, the lines before `cutLine` go.
    Cut Append(const std::string& text);
    // One transmitted byte (not backspace): when the window already holds
    // `limit` characters or more, the lines before `cutLine` go once; then the
    // byte's text is appended.
    Cut AppendByte(const std::string& text);
    // Removes the last character (a line break counts as one character here:
    // the two lines join). False when the window is empty.
    bool RemoveLast();
    void Clear();

    std::size_t Length() const { return length_; }
    std::size_t LineCount() const { return lines_.size(); }
    std::size_t Limit() const { return limit_; }

    // Number of code points in a UTF-8 text, a line break counted as two.
    static std::size_t CountChars(const std::string& text);

private:
    // Removes the lines before `cutLine`, or everything when there are not
    // that many; records it in `cut`.
    void CutOnce(Cut& cut);
    void Insert(const std::string& text);

    std::size_t limit_;
    std::size_t cutLine_;
    std::deque<std::size_t> lines_;   // code points of each line, breaks excluded
    std::size_t length_ = 0;
};
