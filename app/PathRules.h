#pragma once
// Path and name rules that the dialogs, jobs and front ends share. Paths use
// '/' as the separator; every function works on UTF-8 text.

#include <string>
#include <string_view>

#include "app/TransferItem.h"

// Splits a path at its last '/': the folder part is the text before it, the
// file part the text after it. Without a '/' the folder is empty and the file
// is the whole text; a path ending in '/' has an empty file part. The root
// keeps its separator: "/x" splits into "/" and "x".
void SplitPath(const std::string& path, std::string& folder, std::string& file);

// The folder part of SplitPath alone.
std::string FolderOfPath(const std::string& path);

// The folder (white space trimmed at both ends), a '/' unless the folder is
// empty or already ends with one, then the file part of `path`.
std::string JoinPath(const std::string& folder, const std::string& path);

// Clean-up of a stored or typed folder: blanks, CR and LF go at both ends and
// '/' at the end, except a '/' that is the whole folder (the root stays).
std::string CleanFolderText(const std::string& folder);

// Whether a file name matches a pattern of '*' and '?', ignoring ASCII case as
// the folders made on the Windows side expect. A pattern ending in ".*" also
// matches names without a dot, so "*.*" matches every name.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

// Empties `list`, then adds one item (name and length) for every regular file
// of the pattern's folder whose name matches the pattern's file part; folders
// and other entries are skipped. Items are in name order, ignoring case. A
// folder that cannot be read gives an empty list. Returns the item count.
int ListPcFiles(const std::string& pathPattern, TransferItemList& list);

// A machine program name made from a file name or typed by the user: blanks,
// CR and LF trimmed at both ends; cut to at most 33 bytes (long form) or 10
// (short form) without splitting a UTF-8 character; blanks, commas and control
// bytes replaced by '_'; ASCII letters upper case.
enum class McNameForm { Long, Short };
inline constexpr std::size_t kMcNameLongLength = 33;
inline constexpr std::size_t kMcNameShortLength = 10;
std::string CleanMcProgramName(const std::string& text, McNameForm form);

// A PC file name: blanks, CR and LF trimmed at both ends; each of
// \ / : * ? " < > | and every control byte replaced by '_'. A result that is
// empty, "." or ".." names no file and is returned empty.
std::string CleanPcFileName(const std::string& text);
