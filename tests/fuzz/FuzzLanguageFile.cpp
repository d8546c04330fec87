// The language file reader on arbitrary bytes: without a decoder, with the
// code page 949 decoder the front ends install, and with a decoder that hands
// back arbitrary text (a broken or hostile converter).
//
// Rules checked: a refused file leaves the table as it was; an accepted one
// gives only valid UTF-8 texts without TAB or LF, and what Format writes
// reads back as the same table.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "lang/MultiLanguageFile.h"
#include "lang/Utf8.h"
#include "platform/Cp949Decoder.h"

namespace {

bool SameTable(const MultiLanguageArray& a, const MultiLanguageArray& b) {
    if (a.GetCount() != b.GetCount()) return false;
    for (std::size_t i = 0; i < a.GetCount(); ++i) {
        for (int slot = 0; slot < kLanguageSlots; ++slot) {
            if (a[i].str[slot] != b[i].str[slot]) return false;
        }
    }
    return true;
}

MultiLanguageArray Sentinel() {
    MultiLanguageArray table;
    tMULTI_LANGUAGE row;
    row.str[0] = "sentinel";
    table.Add(row);
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0] % 4;
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Mode 2 and 3: the decoder answers with the second half of the input,
    // whatever it holds (mode 3 always prefixes the marker so the rows get read).
    std::string_view answer;
    if (mode >= 2) {
        answer = bytes.substr(bytes.size() / 2);
        bytes = bytes.substr(0, bytes.size() / 2);
    }
    MultiLanguageFile::Decoder decoder;
    if (mode == 1) {
        decoder = [](std::string_view in) { return Cp949Decoder::Decode(in); };
    } else if (mode == 2) {
        decoder = [answer](std::string_view) { return std::optional<std::string>(std::string(answer)); };
    } else if (mode == 3) {
        decoder = [answer](std::string_view) {
            return std::optional<std::string>(std::string(MultiLanguageFile::kMarker) + "\n" +
                                              std::string(answer));
        };
    }

    MultiLanguageArray table = Sentinel();
    const int count = MultiLanguageFile::Parse(bytes, table, decoder);
    FUZZ_CHECK(count >= 0);
    if (count == 0) {
        FUZZ_CHECK(SameTable(table, Sentinel()));
        return 0;
    }
    FUZZ_CHECK(table.GetCount() == static_cast<std::size_t>(count));

    bool hasCr = false;
    for (std::size_t i = 0; i < table.GetCount(); ++i) {
        for (const std::string& text : table[i].str) {
            FUZZ_CHECK(IsValidUtf8(text));
            FUZZ_CHECK(text.find('\t') == std::string::npos);
            FUZZ_CHECK(text.find('\n') == std::string::npos);
            FUZZ_CHECK(text.find('\0') == std::string::npos);
            if (text.find('\r') != std::string::npos) hasCr = true;
        }
    }

    // Format writes a CR inside a text as a blank; other texts come back whole.
    const std::string saved = MultiLanguageFile::Format(table);
    FUZZ_CHECK(IsValidUtf8(saved));
    MultiLanguageArray reread;
    FUZZ_CHECK(MultiLanguageFile::Parse(saved, reread, {}) == count);
    if (!hasCr) FUZZ_CHECK(SameTable(table, reread));
    return 0;
}
