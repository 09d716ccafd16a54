#pragma once
// Path helpers: the one place that knows the path delimiters.

#include <string>
#include <string_view>

namespace kestrel {

#ifdef _WIN32
inline bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }
#else
inline bool IsPathDelimiter(char c) { return c == '/'; }
#endif

// Text after the last path delimiter; the whole text when there is none.
std::string BareName(const std::string& path);
// Text up to and including the last path delimiter; empty when there is none.
std::string FolderPart(const std::string& path);
// Extension ".jpg" or ".bmp", letters A to Z in any case.
bool IsPictureFile(const std::string& path);
// Letters a to z in capitals, other characters unchanged.
std::string AsciiUpper(std::string s);
// The folder of the running program, with its trailing delimiter.
std::string ProgramFolder();

// Why name cannot stand in the project file for a file of the project folder, or
// nullptr when it can: it must be a bare name (no folder part, not "." or ".."), at
// most 255 bytes of UTF-8 text, without a quotation mark, "<" or a line break, which
// the file cannot carry.
const char* FolderNameProblem(std::string_view name);
// Whether bytes are well-formed UTF-8.
bool ValidUtf8(std::string_view s);
// Two bare names that land on one copy in the project folder: the letters A to Z
// compare without regard to case, as the file list and case-blind disks treat them.
bool SameCopyName(const std::string& a, const std::string& b);

}  // namespace kestrel
