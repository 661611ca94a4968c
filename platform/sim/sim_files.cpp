// The simulated disk: folders and files with attribute bits, the
// ordinary-file search, readers and writers that replace a file in one step.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_internal.h"
#include "platform/sim/sim_platform.h"

namespace platform::sim {
namespace {

constexpr std::uint32_t kSettableBits =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;

// Characters no file name may hold.
bool ValidName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr) return false;
  }
  return true;
}

std::vector<std::string> Split(std::string_view text) {
  std::vector<std::string> out;
  std::string part;
  for (char c : text) {
    if (c == '\\') {
      out.push_back(part);
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  out.push_back(part);
  return out;
}

}  // namespace

std::string SimPath::Full() const {
  std::string out = parts[0] + "\\";
  for (std::size_t k = 1; k < parts.size(); ++k) {
    if (k > 1) out += "\\";
    out += parts[k];
  }
  return out;
}

std::string SimPath::Folder() const {
  SimPath folder{parts};
  if (!folder.IsRoot()) folder.parts.pop_back();
  return folder.Full();
}

std::size_t SimFileContent::CopyOut(std::uint64_t offset, char* buffer,
                                    std::size_t capacity) const {
  const std::uint64_t size = Size();
  if (offset >= size || capacity == 0) return 0;
  const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, size - offset));
  if (!generated) {
    std::memcpy(buffer, bytes.data() + offset, count);
  } else if (pattern.empty()) {
    std::memset(buffer, 0, count);
  } else {
    for (std::size_t k = 0; k < count; ++k) buffer[k] = pattern[(offset + k) % pattern.size()];
  }
  return count;
}

std::string FoldName(std::string_view utf8) {
  std::u32string points = Utf8ToCodePoints(utf8);
  for (char32_t& cp : points) {
    const std::uint8_t byte = CodePointToCp1252(cp);
    if (byte != 0) cp = Cp1252ToCodePoint(Cp1252ToLower(byte));
  }
  return CodePointsToUtf8(points);
}

bool HasWildcards(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool MatchesPattern(std::string_view pattern_utf8, std::string_view name_utf8) {
  if (pattern_utf8 == "*.*") pattern_utf8 = "*";
  const std::u32string pattern = Utf8ToCodePoints(FoldName(pattern_utf8));
  const std::u32string name = Utf8ToCodePoints(FoldName(name_utf8));
  // Greedy match with one backtrack point per star.
  std::size_t p = 0, n = 0, star = std::u32string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      mark = n;
    } else if (star != std::u32string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

// ---- The disk ------------------------------------------------------------------

SimPlatform::FileSystem::FileSystem(SimPlatform& owner) : sim(owner) {
  current.parts = {"C:"};
  nodes[FoldName("C:\\")] = Node{"C:", true, 0, nullptr};
  MakeDirectory(SimPath{{"C:", "windows"}});
}

std::optional<SimPath> SimPlatform::FileSystem::Resolve(std::string_view path) const {
  std::string text(path);
  std::replace(text.begin(), text.end(), '/', '\\');
  if (text.empty() || text.rfind("\\\\", 0) == 0) return std::nullopt;  // no network here
  // A zero would cut the path short in Windows' calls: such a path names nothing.
  if (text.find('\0') != std::string::npos) return std::nullopt;
  SimPath out;
  std::string rest;
  if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    out.parts = {std::string(1, drive) + ":"};
    rest = text.substr(2);
    // "C:name" is relative to the drive's current directory.
    if (!rest.empty() && rest[0] != '\\' && out.parts[0] == current.parts[0]) out = current;
  } else if (text[0] == '\\') {
    out.parts = {current.parts[0]};
    rest = text;
  } else {
    out = current;
    rest = text;
  }
  for (std::string part : Split(rest)) {
    if (part == "..") {
      if (!out.IsRoot()) out.parts.pop_back();
      continue;
    }
    // Windows drops trailing dots and spaces from every name ("a.txt." is
    // a.txt, "*." is "*", as Wine's search confirms).
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (part.empty()) continue;  // "", "." and the like
    out.parts.push_back(part);
  }
  return out;
}

SimPlatform::FileSystem::Node* SimPlatform::FileSystem::Lookup(const SimPath& path) {
  auto it = nodes.find(FoldName(path.Full()));
  return it == nodes.end() ? nullptr : &it->second;
}

const SimPlatform::FileSystem::Node* SimPlatform::FileSystem::Lookup(const SimPath& path) const {
  auto it = nodes.find(FoldName(path.Full()));
  return it == nodes.end() ? nullptr : &it->second;
}

SimPlatform::FileSystem::Node* SimPlatform::FileSystem::FolderOf(const SimPath& path) {
  if (path.IsRoot()) return nullptr;
  auto it = nodes.find(FoldName(path.Folder()));
  if (it == nodes.end() || !it->second.directory) return nullptr;
  return &it->second;
}

std::uint32_t SimPlatform::FileSystem::Attributes(const Node& node) {
  // Every ordinary file carries the archive bit: Wine keeps no archive flag
  // and reports it on every file (33 for a read-only one, 32 after making a
  // file normal). Windows keeps it as a real bit; nothing here depends on it.
  return (node.directory ? kFileAttributeDirectory : kFileAttributeArchive) |
         (node.attributes & kSettableBits);
}

SimPlatform::FileSystem::Node* SimPlatform::FileSystem::Put(
    const SimPath& path, std::shared_ptr<SimFileContent> content) {
  if (FolderOf(path) == nullptr || !ValidName(path.Name())) return nullptr;
  Node* existing = Lookup(path);
  if (existing != nullptr) {
    if (existing->directory) return nullptr;
    existing->content = std::move(content);
    return existing;
  }
  Node& node = nodes[FoldName(path.Full())];
  node = Node{path.Name(), false, 0, std::move(content)};
  return &node;
}

bool SimPlatform::FileSystem::MakeDirectory(const SimPath& path) {
  if (FolderOf(path) == nullptr || !ValidName(path.Name()) || Lookup(path) != nullptr) {
    return false;
  }
  nodes[FoldName(path.Full())] = Node{path.Name(), true, 0, nullptr};
  return true;
}

void SimPlatform::FileSystem::Erase(const SimPath& path) { nodes.erase(FoldName(path.Full())); }

std::vector<const SimPlatform::FileSystem::Node*> SimPlatform::FileSystem::Entries(
    const SimPath& folder) const {
  std::vector<const Node*> out;
  const std::string folder_key = FoldName(folder.Full());
  for (const auto& [key, node] : nodes) {
    const auto slash = key.rfind('\\');
    if (slash == std::string::npos || key.size() == slash + 1) continue;  // a root
    const std::string parent = slash == 2 ? key.substr(0, 3) : key.substr(0, slash);
    if (parent == folder_key) out.push_back(&node);
  }
  return out;
}

SimPath SimPlatform::FileSystem::TemporaryName(const SimPath& folder) {
  // Named as GetTempFileName names them: a prefix, four hex digits, ".tmp".
  for (;;) {
    char name[16];
    std::snprintf(name, sizeof name, "brx%04x.tmp", next_temporary++ & 0xFFFF);
    SimPath path = folder;
    path.parts.push_back(name);
    if (Lookup(path) == nullptr) return path;
  }
}

std::size_t SimPlatform::FileSystem::Log(std::string name, std::string_view path) {
  sim.Log(std::move(name)).text = Utf8ToCp1252(path);
  return sim.calls_.size() - 1;
}

SimPlatform::FileSystem& SimPlatform::Files() const {
  if (!files_) files_ = std::make_unique<FileSystem>(const_cast<SimPlatform&>(*this));
  return *files_;
}

// ---- Readers and writers ------------------------------------------------------------

namespace {

class SimFileReader : public FileReader {
 public:
  SimFileReader(std::function<void(std::size_t, std::size_t)> log,
                std::shared_ptr<SimFileContent> content)
      : log_(std::move(log)), content_(std::move(content)), size_(content_->Size()) {}
  std::uint64_t Size() override { return size_; }
  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t got = content_->CopyOut(offset_, buffer, capacity);
    offset_ += got;
    log_(capacity, got);
    return got;
  }

 private:
  std::function<void(std::size_t, std::size_t)> log_;
  std::shared_ptr<SimFileContent> content_;
  std::uint64_t size_;
  std::uint64_t offset_ = 0;
};

}  // namespace

class SimPlatform::FileSystem::Writer : public FileWriter {
 public:
  Writer(SimPlatform::FileSystem& files, SimPath target, SimPath temporary,
         std::shared_ptr<SimFileContent> content)
      : files_(files),
        target_(std::move(target)),
        temporary_(std::move(temporary)),
        content_(std::move(content)) {}
  ~Writer() override {
    if (!done_) RemoveTemporary();
  }

  bool Write(std::string_view bytes) override;
  bool Commit() override;

 private:
  void RemoveTemporary() {
    const SimPlatform::FileSystem::Node* node = files_.Lookup(temporary_);
    if (node != nullptr && node->content == content_) files_.Erase(temporary_);
  }

  SimPlatform::FileSystem& files_;
  SimPath target_;
  SimPath temporary_;
  std::shared_ptr<SimFileContent> content_;
  bool failed_ = false;
  bool done_ = false;
};

bool SimPlatform::FileSystem::Writer::Write(std::string_view bytes) {
  bool ok = !failed_ && !done_;
  const SimPlatform::FileSystem::Node* node = files_.Lookup(temporary_);
  if (node == nullptr || node->content != content_) ok = false;  // removed under us
  if (ok && files_.space && content_->bytes.size() + bytes.size() > *files_.space) ok = false;
  if (ok) content_->bytes.append(bytes);
  failed_ = !ok;
  CallRecord& call = files_.Record(files_.Log("WriteFile", temporary_.Full()));
  call.numbers = {static_cast<std::int64_t>(bytes.size())};
  call.result = ok;
  return ok;
}

bool SimPlatform::FileSystem::Writer::Commit() {
  const std::size_t index = files_.Log("CommitFile", target_.Full());
  if (done_) return false;
  done_ = true;
  const SimPlatform::FileSystem::Node* temporary = files_.Lookup(temporary_);
  SimPlatform::FileSystem::Node* target = files_.Lookup(target_);
  // A read-only file is not replaced: Windows refuses the rename over it
  // (Wine allows it, so the Windows side checks first; both sides agree).
  const bool ok = !failed_ && temporary != nullptr && temporary->content == content_ &&
                  (target == nullptr ||
                   (!target->directory && (target->attributes & kFileAttributeReadOnly) == 0));
  if (!ok) {
    RemoveTemporary();
    return false;
  }
  files_.Erase(temporary_);
  if (target != nullptr) {
    // The entry keeps its name, as Wine renames onto the existing file; the
    // attributes are the new file's.
    target->content = content_;
    target->attributes = 0;
  } else {
    files_.Put(target_, content_);
  }
  files_.Record(index).result = 1;
  return true;
}

// ---- The platform calls ----------------------------------------------------------

std::string SimPlatform::FindOrdinaryFile(std::string_view pattern) {
  Log("FindOrdinaryFile").text = Utf8ToCp1252(pattern);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> path = files.Resolve(pattern);
  if (!path || path->IsRoot()) return "";
  SimPath folder = *path;
  folder.parts.pop_back();
  for (std::size_t k = 1; k < folder.parts.size(); ++k) {
    if (HasWildcards(folder.parts[k])) return "";  // wildcards only in the last name
  }
  const FileSystem::Node* folder_node = files.Lookup(folder);
  if (folder_node == nullptr || !folder_node->directory) return "";
  const std::uint32_t skipped =
      kFileAttributeHidden | kFileAttributeSystem | kFileAttributeDirectory;
  for (const FileSystem::Node* node : files.Entries(folder)) {
    if ((FileSystem::Attributes(*node) & skipped) != 0) continue;
    if (!MatchesPattern(path->Name(), node->name)) continue;
    calls_[index].text2 = Utf8ToCp1252(node->name);
    return node->name;
  }
  return "";
}

std::uint32_t SimPlatform::GetFileAttributes(std::string_view path) {
  Log("GetFileAttributes").text = Utf8ToCp1252(path);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  std::uint32_t result = kInvalidFileAttributes;
  if (resolved && !HasWildcards(path)) {
    if (const FileSystem::Node* node = files.Lookup(*resolved)) {
      result = FileSystem::Attributes(*node);
    }
  }
  calls_[index].result = result;
  return result;
}

bool SimPlatform::SetFileAttributes(std::string_view path, std::uint32_t attributes) {
  CallRecord& call = Log("SetFileAttributes");
  call.text = Utf8ToCp1252(path);
  call.numbers = {attributes};
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved || HasWildcards(path)) return false;
  FileSystem::Node* node = files.Lookup(*resolved);
  if (node == nullptr) return false;
  std::uint32_t bits = attributes & kSettableBits;
  // Wine ignores read-only on a folder.
  if (node->directory) bits &= ~kFileAttributeReadOnly;
  node->attributes = bits;
  calls_[index].result = 1;
  return true;
}

std::unique_ptr<FileReader> SimPlatform::OpenFileReader(std::string_view path) {
  Log("OpenFileReader").text = Utf8ToCp1252(path);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved || HasWildcards(path)) return nullptr;
  const FileSystem::Node* node = files.Lookup(*resolved);
  if (node == nullptr || node->directory) return nullptr;  // a folder cannot be opened
  calls_[index].result = 1;
  const std::string shown = calls_[index].text;
  auto log = [this, shown](std::size_t capacity, std::size_t got) {
    CallRecord& read = Log("ReadFile");
    read.text = shown;
    read.numbers = {static_cast<std::int64_t>(capacity)};
    read.result = static_cast<std::int64_t>(got);
  };
  return std::make_unique<SimFileReader>(std::move(log), node->content);
}

std::unique_ptr<FileWriter> SimPlatform::CreateFileWriter(std::string_view path) {
  Log("CreateFileWriter").text = Utf8ToCp1252(path);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved || resolved->IsRoot() || !ValidName(resolved->Name())) return nullptr;
  if (files.FolderOf(*resolved) == nullptr) return nullptr;
  SimPath folder = *resolved;
  folder.parts.pop_back();
  const SimPath temporary = files.TemporaryName(folder);
  auto content = std::make_shared<SimFileContent>();
  if (files.Put(temporary, content) == nullptr) return nullptr;
  calls_[index].result = 1;
  return std::make_unique<FileSystem::Writer>(files, *resolved, temporary, content);
}

bool SimPlatform::DeleteFile(std::string_view path) {
  Log("DeleteFile").text = Utf8ToCp1252(path);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved || HasWildcards(path)) return false;
  const FileSystem::Node* node = files.Lookup(*resolved);
  // A read-only file cannot be deleted; a folder is not a file.
  if (node == nullptr || node->directory || (node->attributes & kFileAttributeReadOnly) != 0) {
    return false;
  }
  files.Erase(*resolved);
  calls_[index].result = 1;
  return true;
}

bool SimPlatform::CreateDirectory(std::string_view path) {
  Log("CreateDirectory").text = Utf8ToCp1252(path);
  const std::size_t index = calls_.size() - 1;
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  const bool made = resolved && !resolved->IsRoot() && files.MakeDirectory(*resolved);
  calls_[index].result = made;
  return made;
}

// ---- Control of the simulated disk -----------------------------------------------------

bool SimPlatform::SetCurrentDirectory(std::string_view path) {
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved) return false;
  const FileSystem::Node* node = files.Lookup(*resolved);
  if (node == nullptr || !node->directory) return false;
  files.current = *resolved;
  return true;
}

bool SimPlatform::PutFile(std::string_view path, std::string_view bytes, std::uint32_t attributes) {
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved) return false;
  auto content = std::make_shared<SimFileContent>();
  content->bytes = std::string(bytes);
  FileSystem::Node* node = files.Put(*resolved, std::move(content));
  if (node == nullptr) return false;
  node->attributes = attributes & kSettableBits;
  return true;
}

bool SimPlatform::PutGeneratedFile(std::string_view path, std::uint64_t size, std::string pattern) {
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved) return false;
  auto content = std::make_shared<SimFileContent>();
  content->generated = true;
  content->generated_size = size;
  content->pattern = std::move(pattern);
  return files.Put(*resolved, std::move(content)) != nullptr;
}

bool SimPlatform::PutDirectory(std::string_view path) {
  FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved) return false;
  SimPath step{{resolved->parts[0]}};
  if (files.Lookup(step) == nullptr) return false;  // no such drive
  for (std::size_t k = 1; k < resolved->parts.size(); ++k) {
    step.parts.push_back(resolved->parts[k]);
    const FileSystem::Node* node = files.Lookup(step);
    if (node == nullptr && !files.MakeDirectory(step)) return false;
    if (node != nullptr && !node->directory) return false;
  }
  return true;
}

std::optional<std::string> SimPlatform::FileBytes(std::string_view path) const {
  const FileSystem& files = Files();
  const std::optional<SimPath> resolved = files.Resolve(path);
  if (!resolved) return std::nullopt;
  const FileSystem::Node* node = files.Lookup(*resolved);
  if (node == nullptr || node->directory) return std::nullopt;
  std::string out(static_cast<std::size_t>(node->content->Size()), '\0');
  node->content->CopyOut(0, out.data(), out.size());
  return out;
}

std::vector<std::string> SimPlatform::FolderEntries(std::string_view folder) const {
  const FileSystem& files = Files();
  std::vector<std::string> out;
  const std::optional<SimPath> resolved = files.Resolve(folder);
  if (!resolved) return out;
  for (const FileSystem::Node* node : files.Entries(*resolved)) out.push_back(node->name);
  return out;
}

void SimPlatform::SetDiskSpace(std::optional<std::uint64_t> bytes) { Files().space = bytes; }

}  // namespace platform::sim
