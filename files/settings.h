// One value by section and key in a Windows settings file, through the
// system's profile functions. A file name without a folder means the Windows
// directory. Nothing is reported.
#pragma once

#include <string>
#include <string_view>

namespace files {

// Stores the value under the key written in upper case.
void WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  std::string_view file_name);

// The stored value, at most 749 characters, or "" when the file, the section
// or the key is missing. Keys match ignoring letter case. The caller's key is
// turned to lower case.
std::string ReadSetting(std::string_view section, std::string& key, std::string_view file_name);

}  // namespace files
