// Settings files on the simulated disk, kept the way Windows' profile
// functions keep them (as Wine's show): "[Section]" lines and "KEY=value"
// lines ending in CR LF, no blank line between sections, a new key after
// the last one of its section, sections and keys matched ignoring case, an
// existing key keeping the spelling it was first written with, values
// trimmed of surrounding blanks when written and of one pair of enclosing
// quotes when read.
//
// Text is stored in Windows-1252, a character outside it as Windows'
// best-fit look-alike ("Ω" as "O") or "?".
#include <optional>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/sim/sim_ansi.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {
namespace {

struct Entry {
  std::string key;
  std::optional<std::string> value;  // none: a line without "="
};

struct Section {
  std::optional<std::string> name;  // none: the lines before the first header
  std::vector<Entry> entries;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (Cp1252ToLower(static_cast<std::uint8_t>(a[k])) !=
        Cp1252ToLower(static_cast<std::uint8_t>(b[k]))) {
      return false;
    }
  }
  return true;
}

std::vector<Section> Parse(std::string_view bytes) {
  std::vector<Section> sections(1);
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string line = Trim(bytes.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos && close > 0) {
        sections.push_back({line.substr(1, close - 1), {}});
        continue;
      }
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      sections.back().entries.push_back({line, std::nullopt});
    } else {
      sections.back().entries.push_back({Trim(std::string_view(line).substr(0, equals)),
                                         Trim(std::string_view(line).substr(equals + 1))});
    }
  }
  return sections;
}

std::string Serialize(const std::vector<Section>& sections) {
  std::string out;
  for (const Section& section : sections) {
    if (section.name) out += "[" + *section.name + "]\r\n";
    for (const Entry& entry : section.entries) {
      out += entry.key;
      if (entry.value) out += "=" + *entry.value;
      out += "\r\n";
    }
  }
  return out;
}

Section* FindSection(std::vector<Section>& sections, std::string_view name) {
  for (Section& section : sections) {
    if (section.name && SameIgnoringCase(*section.name, name)) return &section;
  }
  return nullptr;
}

Entry* FindEntry(Section& section, std::string_view key) {
  for (Entry& entry : section.entries) {
    if (SameIgnoringCase(entry.key, key)) return &entry;
  }
  return nullptr;
}

// A file name without a folder is looked for in the Windows directory.
std::string ProfilePath(std::string_view file) {
  if (file.find_first_of("\\/") == std::string_view::npos) {
    return "C:\\windows\\" + std::string(file);
  }
  return std::string(file);
}

}  // namespace

bool SimPlatform::WritePrivateProfileString(std::string_view section, std::string_view key,
                                            std::string_view value, std::string_view file) {
  CallRecord& call = Log("WritePrivateProfileString");
  call.text = Utf8ToCp1252(file);
  call.text2 = Utf8ToAnsi(section) + "|" + Utf8ToAnsi(key) + "|" + Utf8ToAnsi(value);
  const std::size_t index = calls_.size() - 1;
  if (file.empty()) return false;
  FileSystem& files = Files();
  const std::optional<SimPath> path = files.Resolve(ProfilePath(file));
  if (!path || path->IsRoot()) return false;
  const FileSystem::Node* node = files.Lookup(*path);
  if (node != nullptr && (node->directory || (node->attributes & kFileAttributeReadOnly) != 0)) {
    return false;
  }
  std::string bytes;
  if (node != nullptr) {
    bytes.resize(static_cast<std::size_t>(node->content->Size()));
    node->content->CopyOut(0, bytes.data(), bytes.size());
  }
  std::vector<Section> sections = Parse(bytes);
  const std::string section_bytes = Utf8ToAnsi(section);
  const std::string key_bytes = Utf8ToAnsi(key);
  Section* target = FindSection(sections, section_bytes);
  if (target == nullptr) {
    sections.push_back({section_bytes, {}});
    target = &sections.back();
  }
  Entry* entry = FindEntry(*target, key_bytes);
  if (entry == nullptr) {
    target->entries.push_back({key_bytes, std::nullopt});
    entry = &target->entries.back();
  }
  entry->value = Trim(Utf8ToAnsi(value));
  auto content = std::make_shared<SimFileContent>();
  content->bytes = Serialize(sections);
  if (files.Put(*path, std::move(content)) == nullptr) return false;  // no such folder
  calls_[index].result = 1;
  return true;
}

std::string SimPlatform::GetPrivateProfileString(std::string_view section, std::string_view key,
                                                 std::string_view fallback, std::size_t capacity,
                                                 std::string_view file) {
  CallRecord& call = Log("GetPrivateProfileString");
  call.text = Utf8ToCp1252(file);
  call.text2 = Utf8ToAnsi(section) + "|" + Utf8ToAnsi(key);
  call.numbers = {static_cast<std::int64_t>(capacity)};
  const std::size_t index = calls_.size() - 1;
  std::string answer = Utf8ToAnsi(fallback);
  FileSystem& files = Files();
  const std::optional<SimPath> path =
      file.empty() ? std::nullopt : files.Resolve(ProfilePath(file));
  const FileSystem::Node* node = path ? files.Lookup(*path) : nullptr;
  if (node != nullptr && !node->directory) {
    std::string bytes(static_cast<std::size_t>(node->content->Size()), '\0');
    node->content->CopyOut(0, bytes.data(), bytes.size());
    std::vector<Section> sections = Parse(bytes);
    if (Section* found = FindSection(sections, Utf8ToAnsi(section))) {
      // A line without "=" names a key with no value: it reads as missing.
      Entry* entry = FindEntry(*found, Utf8ToAnsi(key));
      if (entry != nullptr && entry->value) {
        answer = *entry->value;
        if (answer.size() > 1 && (answer.front() == '"' || answer.front() == '\'') &&
            answer.back() == answer.front()) {
          answer = answer.substr(1, answer.size() - 2);
        }
      }
    }
  }
  const std::size_t room = capacity == 0 ? 0 : capacity - 1;
  if (answer.size() > room) answer.resize(room);
  calls_[index].result = static_cast<std::int64_t>(answer.size());
  return Cp1252ToUtf8(answer);
}

}  // namespace platform::sim
