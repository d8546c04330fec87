#pragma once
// The directory file "PAT.DIR" that comes with pattern programs taken from a
// UNIVERSAL machine's own disk. It tells, for each program file of the folder,
// the name under which the machine knows the program:
//
//   offset       size  content
//   0            2     header, not interpreted
//   2 + 68*k     45    record k: identified name, ended by a NUL byte
//   47 + 68*k    10    record k: file name in the folder, ended by a NUL byte
//   57 + 68*k    13    record k: not interpreted
//
// A record cut short ends the reading. A field without a NUL byte is taken
// whole. Names that are not valid UTF-8 were written on a Korean Windows
// system and are read as code page 949 through the decoder given.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lang/MultiLanguageFile.h"

struct PatDirRecord {
    std::string IdentifiedName;   // UTF-8
    std::string FileName;         // UTF-8, as written (compare in upper case)
    // False when the identified name cannot serve as a file name in the work
    // folder: empty, ".", "..", a separator, a control byte, or bytes that
    // no encoding accepts.
    bool UsableTarget = false;
};

class PatDirReader {
public:
    using Decoder = MultiLanguageFile::Decoder;

    static constexpr std::string_view kFileName = "PAT.DIR";
    static constexpr std::size_t kHeaderBytes = 2;
    static constexpr std::size_t kIdentifiedBytes = 45;
    static constexpr std::size_t kFileNameBytes = 10;
    static constexpr std::size_t kRestBytes = 13;
    // Far beyond any machine disk's directory; a bigger file is not read.
    static constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

    // The records of the file's bytes, in file order. Fewer than 2 bytes: none.
    static std::vector<PatDirRecord> Parse(std::string_view bytes, const Decoder& decoder);

    // The records of the file at `path`; none when it cannot be read.
    static std::vector<PatDirRecord> Read(const std::filesystem::path& path, const Decoder& decoder);

    // Whether `name` may be used as a file name inside the work folder.
    static bool IsUsableTargetName(std::string_view name);

    // A name as UTF-8: as it stands when it is valid UTF-8, else through the
    // decoder; `ok` is false when neither accepts it (each invalid byte is
    // then shown as '?').
    static std::string DecodeName(std::string_view bytes, const Decoder& decoder, bool& ok);
};
