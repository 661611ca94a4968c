// The simulated disk and speakers; shared by sim_files.cpp, sim_profile.cpp
// and sim_sound.cpp only.
//
// What Windows does is checked under Wine (tests/conformance/file_scenarios):
// where Wine and Windows part, the disk behaves as Wine does, since Wine is
// where the program's real calls are run here. Each such place says so.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace platform::sim {

// A path as Windows makes it whole: drive, then folder names, then the name.
struct SimPath {
  std::vector<std::string> parts;  // parts[0] = "C:"; the rest are names, UTF-8

  bool IsRoot() const { return parts.size() == 1; }
  std::string Full() const;    // "C:\a\b"; the root is "C:\"
  std::string Folder() const;  // the full path of the folder holding it
  const std::string& Name() const { return parts.back(); }
};

// The bytes of a file. Shared so that a reader opened before the file is
// replaced goes on reading the old content, as an open handle does.
struct SimFileContent {
  std::string bytes;
  // A generated file: `size` bytes of `pattern` repeated, nothing stored.
  bool generated = false;
  std::uint64_t generated_size = 0;
  std::string pattern;

  std::uint64_t Size() const { return generated ? generated_size : bytes.size(); }
  // Copies up to `capacity` bytes at `offset`; returns how many.
  std::size_t CopyOut(std::uint64_t offset, char* buffer, std::size_t capacity) const;
};

struct SimPlatform::FileSystem {
  struct Node {
    std::string name;  // as created, UTF-8
    bool directory = false;
    std::uint32_t attributes = 0;  // read-only, hidden and system bits as set
    std::shared_ptr<SimFileContent> content;
  };

  class Writer;  // a FileWriter onto this disk

  explicit FileSystem(SimPlatform& owner);

  // Makes `path` whole against the current directory. nullopt for paths the
  // simulated disk cannot hold (network paths, empty paths).
  std::optional<SimPath> Resolve(std::string_view path) const;
  Node* Lookup(const SimPath& path);
  const Node* Lookup(const SimPath& path) const;
  // The folder a new entry at `path` would go in, when it exists.
  Node* FolderOf(const SimPath& path);
  // Reported attribute bits of an entry.
  static std::uint32_t Attributes(const Node& node);
  // Creates or replaces the file at `path` (its folder must exist) and
  // returns it; null when it cannot.
  Node* Put(const SimPath& path, std::shared_ptr<SimFileContent> content);
  bool MakeDirectory(const SimPath& path);
  void Erase(const SimPath& path);
  // The entries directly in a folder, in name order.
  std::vector<const Node*> Entries(const SimPath& folder) const;
  // A name for a new file in `folder` that nothing else has.
  SimPath TemporaryName(const SimPath& folder);
  // Records a call about `path` in the platform's log; returns its index.
  std::size_t Log(std::string name, std::string_view path);
  CallRecord& Record(std::size_t index) { return sim.calls_[index]; }

  SimPlatform& sim;
  std::map<std::string, Node> nodes;  // by folded full path
  SimPath current;                    // the current directory
  std::optional<std::uint64_t> space;
  std::uint32_t next_temporary = 0x1a2b;

  // The speakers.
  std::string wave;                          // full path of the wave sound
  std::map<std::string, std::string> media;  // playing, by folded full path
};

// A name folded for comparison ignoring letter case, as Windows (and Wine's
// case-insensitive lookup) compare file names. Windows-1252 letters fold;
// others compare as they are.
std::string FoldName(std::string_view utf8);

// Whether `name` matches `pattern` ("*" any run, "?" one character),
// ignoring letter case. "*.*" matches every name.
bool MatchesPattern(std::string_view pattern, std::string_view name);

bool HasWildcards(std::string_view text);

}  // namespace platform::sim
