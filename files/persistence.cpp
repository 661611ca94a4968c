#include "files/persistence.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/codec.h"
#include "platform/platform.h"

namespace files {
namespace {

using platform::Current;
using platform::LResult;
using platform::Msg;
using platform::Platform;

constexpr std::string_view kLineEnd = "\r\n";
// Saves hand the writer pieces of about this size rather than a call per entry.
constexpr std::size_t kWritePiece = 64u << 10;

// The three operations the routines need of a list or combo box.
struct ListMessages {
  Msg count;
  Msg text_length;
  Msg text;
  Msg add;
};
constexpr ListMessages kListBox{platform::kLbGetCount, platform::kLbGetTextLen,
                                platform::kLbGetText, platform::kLbAddString};
constexpr ListMessages kComboBox{platform::kCbGetCount, platform::kCbGetLbTextLen,
                                 platform::kCbGetLbText, platform::kCbAddString};

int EntryCount(Hwnd list, const ListMessages& m) {
  return static_cast<int>(std::max<LResult>(Current().SendMessage(list, m.count, 0, 0), 0));
}

// An index past the end gives "".
std::string Entry(Hwnd list, const ListMessages& m, int index) {
  Platform& os = Current();
  const auto at = static_cast<platform::WParam>(index);
  const LResult length = os.SendMessage(list, m.text_length, at, 0);
  if (length < 0) return {};
  return os.SendMessageGetText(list, m.text, at, static_cast<std::size_t>(length) + 1);
}

void Append(Hwnd list, const ListMessages& m, std::string_view text) {
  Current().SendMessageText(list, m.add, 0, text);
}

std::string TextOf(Hwnd box) {
  Platform& os = Current();
  const LResult length = os.SendMessage(box, platform::kWmGetTextLength, 0, 0);
  const std::size_t room = static_cast<std::size_t>(std::max<LResult>(length, 0)) + 1;
  return os.SendMessageGetText(box, platform::kWmGetText, room, room);
}

// Texts reach a control as zero-terminated strings, so Windows keeps only
// what comes before a zero byte; cut there ourselves, so that what a control
// gets does not depend on the platform.
std::string_view UpToZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Writes the lines (UTF-8) as Windows-1252 text, each ending in CR LF, and
// puts the file in place only when every write went through.
void SaveLines(std::string_view path, int count, const std::function<std::string(int)>& line) {
  std::unique_ptr<platform::FileWriter> writer = Current().CreateFileWriter(path);
  if (!writer) return;
  std::string piece;
  for (int i = 0; i < count; ++i) {
    piece += platform::Utf8ToCp1252(line(i));
    piece += kLineEnd;
    if (piece.size() >= kWritePiece) {
      if (!writer->Write(piece)) return;  // the old file stays
      piece.clear();
    }
  }
  if (!piece.empty() && !writer->Write(piece)) return;
  writer->Commit();
}

enum class Outcome { kRead, kCannotOpen, kTooLarge, kShort, kStopped };

// Reads the file in pieces of Limits().read_piece bytes and hands each on;
// `take` returns false to stop. A file over the size bound is not read.
Outcome ForEachPiece(std::string_view path, const std::function<bool(std::string_view)>& take) {
  std::unique_ptr<platform::FileReader> reader = Current().OpenFileReader(path);
  if (!reader) return Outcome::kCannotOpen;
  const LoadLimits& limits = Limits();
  if (reader->Size() > limits.max_file_bytes) return Outcome::kTooLarge;
  std::vector<char> piece(std::max<std::size_t>(limits.read_piece, 1));
  std::uint64_t total = 0;
  for (std::size_t got; (got = reader->Read(piece.data(), piece.size())) > 0;) {
    total += got;
    // The file may have grown since it was opened: stop at the bound (a list
    // keeps the entries loaded up to there).
    if (total > limits.max_file_bytes) return Outcome::kTooLarge;
    if (!take(std::string_view(piece.data(), got))) return Outcome::kStopped;
  }
  // Less than the file's length: a read failed on the way.
  return total < reader->Size() ? Outcome::kShort : Outcome::kRead;
}

// Hands on each line, without its line end (CR LF, or LF alone as other
// programs write it), as Windows-1252 bytes. A last line without a line end
// counts too. `take` returns false to stop.
Outcome ForEachLine(std::string_view path, const std::function<bool(std::string_view)>& take) {
  std::string pending;
  const Outcome outcome = ForEachPiece(path, [&](std::string_view piece) {
    pending.append(piece);
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
      std::string_view line(pending.data() + start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!take(line)) return false;
    }
    pending.erase(0, start);
    return true;
  });
  if (outcome == Outcome::kRead && !pending.empty() && !take(pending)) return Outcome::kStopped;
  return outcome;
}

// Loads one entry per line, yielding to the event loop before each, as long
// as every control to fill is still there and the program is not closing.
void LoadEntries(std::string_view path, const std::vector<Hwnd>& controls,
                 const std::function<void(std::string_view)>& add) {
  Platform& os = Current();
  for (Hwnd control : controls) {
    if (!os.IsWindow(control)) return;
  }
  ForEachLine(path, [&](std::string_view line) {
    os.Yield();
    if (os.Closing()) return false;
    for (Hwnd control : controls) {
      if (!os.IsWindow(control)) return false;
    }
    add(line);
    return true;
  });
}

void SaveList(std::string_view path, Hwnd list, const ListMessages& m) {
  if (!Current().IsWindow(list)) return;
  SaveLines(path, EntryCount(list, m), [&](int i) { return Entry(list, m, i); });
}

void LoadList(std::string_view path, Hwnd list, const ListMessages& m) {
  LoadEntries(path, {list}, [&](std::string_view line) {
    Append(list, m, platform::Cp1252ToUtf8(UpToZero(line)));
  });
}

}  // namespace

LoadLimits& Limits() {
  static LoadLimits limits;
  return limits;
}

void SaveTextBox(Hwnd text_box, std::string_view path) {
  if (!Current().IsWindow(text_box)) return;
  const std::string text = TextOf(text_box);
  SaveLines(path, 1, [&](int) { return text; });
}

void LoadTextBox(Hwnd text_box, std::string_view path) {
  if (!Current().IsWindow(text_box)) return;
  std::string bytes;
  const Outcome outcome = ForEachPiece(path, [&](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  // Anything but a whole read leaves the text box as it was.
  if (outcome != Outcome::kRead) return;
  // The line end SaveTextBox put after the text is not part of it.
  if (bytes.size() >= kLineEnd.size() &&
      std::string_view(bytes).substr(bytes.size() - kLineEnd.size()) == kLineEnd) {
    bytes.resize(bytes.size() - kLineEnd.size());
  }
  Current().SendMessageText(text_box, platform::kWmSetText, 0,
                            platform::Cp1252ToUtf8(UpToZero(bytes)));
}

void SaveListBox(std::string_view path, Hwnd list_box) { SaveList(path, list_box, kListBox); }
void LoadListBox(std::string_view path, Hwnd list_box) { LoadList(path, list_box, kListBox); }
void SaveComboBox(std::string_view path, Hwnd combo_box) { SaveList(path, combo_box, kComboBox); }
void LoadComboBox(std::string_view path, Hwnd combo_box) { LoadList(path, combo_box, kComboBox); }

void SaveListBoxPair(std::string_view path, Hwnd first_list, Hwnd second_list) {
  if (!Current().IsWindow(first_list)) return;
  SaveLines(path, EntryCount(first_list, kListBox), [&](int i) {
    return Entry(first_list, kListBox, i) + "*" + Entry(second_list, kListBox, i);
  });
}

void LoadListBoxPair(std::string_view path, Hwnd first_list, Hwnd second_list) {
  LoadEntries(path, {first_list, second_list}, [&](std::string_view whole) {
    const std::string_view line = UpToZero(whole);
    const std::size_t star = line.find('*');
    const std::string_view first = star == std::string_view::npos ? "" : line.substr(0, star);
    const std::string_view second = star == std::string_view::npos ? line : line.substr(star + 1);
    Append(first_list, kListBox, platform::Cp1252ToUtf8(first));
    Append(second_list, kListBox, platform::Cp1252ToUtf8(second));
  });
}

std::string JoinListBox(Hwnd list_box) {
  if (Entry(list_box, kListBox, 0).empty()) return {};
  std::string joined;
  const int count = EntryCount(list_box, kListBox);
  for (int i = 0; i < count; ++i) {
    joined += '(';
    joined += Entry(list_box, kListBox, i);
    joined += "), ";
  }
  joined.resize(joined.size() - 2);
  return joined;
}

}  // namespace files
