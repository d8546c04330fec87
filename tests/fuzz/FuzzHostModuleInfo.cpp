// The host radio module's information line on arbitrary bytes.
//
// Rules checked: an accepted line has a 12-character address and fields
// without commas (FlowControl aside) or line ends, and the fields rebuild the
// start of the line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "engine/HostModuleInfo.h"

namespace {
bool HasLineEnd(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    HostModuleInfo info;
    const bool ok = info.Parse(text);

    // Fields from a malformed line may stay; they still come from the first line.
    for (const std::string* field : {&info.Address, &info.DeviceName, &info.Mode, &info.LinkState,
                                     &info.FlowControl}) {
        FUZZ_CHECK(!HasLineEnd(*field));
        FUZZ_CHECK(field->size() <= size);
    }
    if (!ok) return 0;

    FUZZ_CHECK(info.Address.size() == 12);
    for (const std::string* field : {&info.Address, &info.DeviceName, &info.Mode, &info.LinkState}) {
        FUZZ_CHECK(field->find(',') == std::string::npos);
    }
    const std::string head =
        info.Address + "," + info.DeviceName + "," + info.Mode + "," + info.LinkState + ",";
    FUZZ_CHECK(text.starts_with(head));
    FUZZ_CHECK(text.find(info.FlowControl) != std::string_view::npos);

    // Parsing again into the same record gives the same answer.
    HostModuleInfo again = info;
    FUZZ_CHECK(again.Parse(text));
    FUZZ_CHECK(again.Address == info.Address && again.DeviceName == info.DeviceName &&
               again.Mode == info.Mode && again.LinkState == info.LinkState &&
               again.FirstFlag == info.FirstFlag && again.SecondFlag == info.SecondFlag &&
               again.FlowControl == info.FlowControl);
    return 0;
}
