#include "platform/Cp949Decoder.h"

#include <cerrno>
#include <iconv.h>

namespace {

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle_; }

private:
    iconv_t handle_;
};

}  // namespace

std::optional<std::string> Cp949Decoder::Decode(std::string_view bytes)
{
    IconvHandle cd("UTF-8", "CP949");
    if (!cd.IsOpen()) {
        return std::nullopt;
    }
    std::string input(bytes);
    std::string output;
    // A double-byte character becomes at most three UTF-8 bytes.
    output.resize(bytes.size() * 2 + 16);

    char* in = input.data();
    std::size_t inLeft = input.size();
    std::size_t produced = 0;
    while (true) {
        char* out = output.data() + produced;
        std::size_t outLeft = output.size() - produced;
        const std::size_t rc = iconv(cd.Get(), inLeft ? &in : nullptr, &inLeft, &out, &outLeft);
        produced = output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) {
                break;          // input done and the final flush succeeded
            }
            continue;
        }
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        return std::nullopt;    // EILSEQ or a truncated sequence (EINVAL)
    }
    output.resize(produced);
    return output;
}
