#pragma once
// Path helpers: the one place that knows the path delimiters.

#include <string>

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

}  // namespace kestrel
