// Files on Windows: the ordinary-file search, attribute bits, and readers and
// writers over the wide calls. A writer fills a new file beside its target
// and renames it over the target in one step, so a failed save leaves the
// old content whole.
#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/win32/win32_util.h"

#include "platform/win32/windows_api.h"

namespace platform {

using win32::Narrow;
using win32::Wide;

namespace {

// A text with a zero in it would be cut there by the W calls and name
// another file; such a path names nothing.
bool Usable(std::string_view path) {
  return !path.empty() && path.find('\0') == std::string_view::npos;
}

class Win32FileReader : public FileReader {
 public:
  Win32FileReader(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
  ~Win32FileReader() override { ::CloseHandle(file_); }
  Win32FileReader(const Win32FileReader&) = delete;
  Win32FileReader& operator=(const Win32FileReader&) = delete;

  std::uint64_t Size() override { return size_; }
  std::size_t Read(char* buffer, std::size_t capacity) override {
    const auto want = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
    DWORD got = 0;
    if (want == 0 || !::ReadFile(file_, buffer, want, &got, nullptr)) return 0;
    return got;
  }

 private:
  HANDLE file_;
  std::uint64_t size_;
};

class Win32FileWriter : public FileWriter {
 public:
  Win32FileWriter(HANDLE file, std::wstring temporary, std::wstring target)
      : file_(file), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ~Win32FileWriter() override {
    if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
    if (!done_) ::DeleteFileW(temporary_.c_str());
  }
  Win32FileWriter(const Win32FileWriter&) = delete;
  Win32FileWriter& operator=(const Win32FileWriter&) = delete;

  bool Write(std::string_view bytes) override {
    while (!failed_ && !done_ && !bytes.empty()) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
      DWORD written = 0;
      if (!::WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) {
        failed_ = true;
      }
      bytes.remove_prefix(written);
    }
    return !failed_ && !done_;
  }

  bool Commit() override {
    if (done_) return false;
    done_ = true;
    bool ok = !failed_ && ::FlushFileBuffers(file_) != FALSE;
    ok = ::CloseHandle(file_) != FALSE && ok;
    file_ = INVALID_HANDLE_VALUE;
    // Windows refuses to rename over a read-only file and Wine does not:
    // ask first, so that a read-only file is kept on both.
    const DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      ok = false;
    }
    ok = ok && ::MoveFileExW(temporary_.c_str(), target_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) ::DeleteFileW(temporary_.c_str());
    return ok;
  }

 private:
  HANDLE file_;
  std::wstring temporary_;
  std::wstring target_;
  bool failed_ = false;
  bool done_ = false;
};

}  // namespace

std::string Win32Platform::FindOrdinaryFile(std::string_view pattern) {
  if (!Usable(pattern)) return {};
  const std::wstring wide = Wide(pattern);
  WIN32_FIND_DATAW entry{};
  HANDLE search = ::FindFirstFileW(wide.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  constexpr DWORD kSkipped =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  std::string found;
  do {
    if ((entry.dwFileAttributes & kSkipped) == 0) {
      found = Narrow(entry.cFileName);
      break;
    }
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return found;
}

std::uint32_t Win32Platform::GetFileAttributes(std::string_view path) {
  if (!Usable(path)) return kInvalidFileAttributes;
  return ::GetFileAttributesW(Wide(path).c_str());
}

bool Win32Platform::SetFileAttributes(std::string_view path, std::uint32_t attributes) {
  if (!Usable(path)) return false;
  // 0 would tell the file system to change nothing; "normal" clears them all.
  const DWORD bits = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
  return ::SetFileAttributesW(Wide(path).c_str(), bits) != FALSE;
}

std::unique_ptr<FileReader> Win32Platform::OpenFileReader(std::string_view path) {
  if (!Usable(path)) return nullptr;
  // Others may go on reading, writing, or replacing the file meanwhile.
  HANDLE file = ::CreateFileW(
      Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) {
    ::CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<Win32FileReader>(file, static_cast<std::uint64_t>(size.QuadPart));
}

std::unique_ptr<FileWriter> Win32Platform::CreateFileWriter(std::string_view path) {
  if (!Usable(path)) return nullptr;
  const std::wstring wide = Wide(path);
  // The whole path now, so the rename goes where the caller meant even if
  // the current directory changes before Commit.
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return nullptr;
  std::vector<wchar_t> full(needed + 1, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), needed + 1, full.data(), nullptr);
  if (length == 0 || length > needed) return nullptr;
  std::wstring target(full.data(), length);
  const std::size_t slash = target.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash + 1 == target.size()) return nullptr;  // no name
  // The new file goes in the same folder, so the rename never crosses drives.
  const std::wstring folder = target.substr(0, slash + 1);
  wchar_t temporary[MAX_PATH + 1] = {};
  if (folder.size() + 14 > MAX_PATH ||
      ::GetTempFileNameW(folder.c_str(), L"brx", 0, temporary) == 0) {
    return nullptr;
  }
  HANDLE file = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ::DeleteFileW(temporary);
    return nullptr;
  }
  return std::make_unique<Win32FileWriter>(file, std::wstring(temporary), std::move(target));
}

bool Win32Platform::DeleteFile(std::string_view path) {
  return Usable(path) && ::DeleteFileW(Wide(path).c_str()) != FALSE;
}

bool Win32Platform::CreateDirectory(std::string_view path) {
  return Usable(path) && ::CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
}

}  // namespace platform
