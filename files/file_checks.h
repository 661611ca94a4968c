// Whether a file exists, its attribute bits, and making it hidden, read-only
// or normal. Every routine first runs the ordinary-file search on the path
// (hidden files, system files and folders are not seen) and acts only when it
// finds something. Nothing is reported.
#pragma once

#include <string_view>

namespace files {

// False for an empty path; a pattern ("C:\notes\*.txt") is true when any
// ordinary file matches it.
bool CheckFileExists(std::string_view path);
// The file's attribute bits (read-only 1, hidden 2, system 4, archive 32), or
// 0 when the search finds nothing.
int ReadFileAttributes(std::string_view path);
// Each replaces the whole attribute set: hiding a read-only file makes it
// writable again.
void HideFile(std::string_view path);
void MakeFileReadOnly(std::string_view path);
void MakeFileNormal(std::string_view path);

}  // namespace files
