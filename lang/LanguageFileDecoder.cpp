#include "lang/LanguageFileDecoder.h"

#include <utility>

namespace {

MultiLanguageFile::Decoder& Installed()
{
    static MultiLanguageFile::Decoder decoder;
    return decoder;
}

}  // namespace

void SetLanguageFileDecoder(MultiLanguageFile::Decoder decoder)
{
    Installed() = std::move(decoder);
}

const MultiLanguageFile::Decoder& LanguageFileDecoder()
{
    return Installed();
}
