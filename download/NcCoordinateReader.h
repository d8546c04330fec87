#pragma once
// Reads the insertion points of an NC program: the words of each line (a
// letter and its number), and from the X and Y words the positions in program
// order, for the Quick View's text colouring and plot. Plain C++; the same
// reading serves every machine type, with what differs between them (implied
// decimals, the listing number in front of a UNIVERSAL line) in a dialect.

#include <string>
#include <string_view>
#include <vector>

// One word or mark of a line, as the text colouring shows it.
struct NcWord {
    enum class Kind {
        Sequence,   // N: the block number
        Axis,       // X, Y (absolute) and U, V (incremental)
        Tool,       // T
        Code,       // G, M
        Other,      // any other address letter with its number (P, F, S ...)
        Comment,    // "( ... )"
        EndMark,    // '*', '%', "EX"
        Listing,    // a UNIVERSAL listing number up to its '>'
    };
    Kind WordKind;
    std::size_t Start;    // byte offset in the line
    std::size_t Length;
};

// A position the program moves to, in the program's units.
struct NcPoint {
    int Line;        // 0-based line of the text (lines end at LF)
    double X;
    double Y;
};

struct NcDialect {
    // Digits after an implied decimal point when a number has no '.'.
    int ImpliedDecimals = 0;
    // The program text of a line starts after its first '>' (UNIVERSAL listings).
    bool TextAfterMarker = false;

    // The dialect of a machine type ("DYNA/PERT" ...); unknown types read numbers as written.
    static NcDialect ForMachineType(std::string_view type);
};

class NcCoordinateReader {
public:
    explicit NcCoordinateReader(NcDialect dialect) : dialect_(dialect) {}

    // The words of one line (without its line end), in order.
    std::vector<NcWord> Words(std::string_view line) const;

    // The points of a whole text, one per line that names X, Y, U or V. A
    // missing axis keeps its last value (0 before the first); G91 makes X and
    // Y incremental until G90; U and V always move by their amount.
    std::vector<NcPoint> Points(std::string_view text) const;

    // The value of a number word's digits ("-12.5", "+0125", "125.") with the
    // dialect's implied decimals; false when there are no digits.
    bool Value(std::string_view digits, double& value) const;

private:
    NcDialect dialect_;
};
