#include "tests/conformance/file_scenarios.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "files/persistence.h"
#include "platform/messages.h"

namespace conformance {
namespace {

using platform::Platform;

// Bytes as readable text: printable ASCII as it is, the rest escaped.
std::string Visible(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte > 0x7E) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string Attributes(std::uint32_t bits) {
  return bits == platform::kInvalidFileAttributes ? "invalid" : std::to_string(bits);
}

class Scenarios {
 public:
  Scenarios(Platform& os, std::string_view folder) : os_(os), folder_(folder) {}

  std::string In(std::string_view name) const { return folder_ + "\\" + std::string(name); }

  void Check(std::string name, std::string got, std::string expected) {
    results_.push_back({std::move(name), Visible(got), Visible(expected)});
  }

  // A whole file written through a writer: "ok", or where it failed.
  std::string Write(const std::string& path, std::string_view bytes) {
    std::unique_ptr<platform::FileWriter> writer = os_.CreateFileWriter(path);
    if (!writer) return "no writer";
    if (!writer->Write(bytes)) return "write failed";
    return writer->Commit() ? "ok" : "commit failed";
  }

  // A whole file read in small pieces, so the readers' piecewise reading is
  // what is checked.
  std::string Read(const std::string& path) {
    std::unique_ptr<platform::FileReader> reader = os_.OpenFileReader(path);
    if (!reader) return "<cannot open>";
    std::string out;
    char piece[5];
    for (std::size_t got; (got = reader->Read(piece, sizeof piece)) > 0;) out.append(piece, got);
    return out;
  }

  void Remove(const std::string& path) {
    os_.SetFileAttributes(path, 0);
    os_.DeleteFile(path);
  }

  Platform& os_;
  std::string folder_;
  std::vector<ConformanceResult> results_;
};

// Windows' own folder, where a settings file named without a folder goes.
constexpr char kWindowsDirectory[] = "C:\\windows";

const char* const kMadeFiles[] = {
    "plain.txt",  "hidden.txt", "ro.txt",    "sys.txt",  "both.txt", "kept.txt", "guarded.txt",
    "veiled.txt", "empty.txt",  "bytes.bin", "gone.txt", "set.ini",  "hand.ini"};

void FileSearchAndAttributes(Scenarios& s) {
  Platform& os = s.os_;
  const std::string plain = s.In("plain.txt");
  s.Check("write a new file", s.Write(plain, "hello\r\nworld\r\n"), "ok");
  s.Check("search finds it by name", os.FindOrdinaryFile(plain), "plain.txt");
  s.Check("search matches the name ignoring case", os.FindOrdinaryFile(s.In("PLAIN.TXT")),
          "plain.txt");
  s.Check("search matches * and ? in the name", os.FindOrdinaryFile(s.In("pl*.t?t")), "plain.txt");
  s.Check("search drops trailing dots", os.FindOrdinaryFile(s.In("plain.txt.")), "plain.txt");
  s.Check("search with no match", os.FindOrdinaryFile(s.In("*.none")), "");
  s.Check("new file attributes", Attributes(os.GetFileAttributes(plain)), "32");
  s.Check("read back in pieces", s.Read(plain), "hello\r\nworld\r\n");
  {
    std::unique_ptr<platform::FileReader> reader = os.OpenFileReader(plain);
    s.Check("reader size", reader ? std::to_string(reader->Size()) : "<cannot open>", "14");
  }

  struct Marked {
    const char* name;
    std::uint32_t set;
    const char* attributes;
    const char* found;
  };
  const Marked marked[] = {
      {"hidden.txt", platform::kFileAttributeHidden, "34", ""},
      {"ro.txt", platform::kFileAttributeReadOnly, "33", "ro.txt"},
      {"sys.txt", platform::kFileAttributeSystem, "36", ""},
      {"both.txt", platform::kFileAttributeReadOnly | platform::kFileAttributeArchive, "33",
       "both.txt"},
  };
  for (const Marked& m : marked) {
    const std::string path = s.In(m.name);
    s.Write(path, "x");
    s.Check(std::string("set attributes of ") + m.name,
            os.SetFileAttributes(path, m.set) ? "1" : "0", "1");
    s.Check(std::string("attributes of ") + m.name, Attributes(os.GetFileAttributes(path)),
            m.attributes);
    s.Check(std::string("search for ") + m.name, os.FindOrdinaryFile(path), m.found);
  }
  s.Check("a pattern matching only a hidden file", os.FindOrdinaryFile(s.In("hid*")), "");
  s.Check("a hidden file can be read", s.Read(s.In("hidden.txt")), "x");
  os.SetFileAttributes(s.In("ro.txt"), 0);
  s.Check("normal after read-only", Attributes(os.GetFileAttributes(s.In("ro.txt"))), "32");
  os.SetFileAttributes(s.In("hidden.txt"), platform::kFileAttributeReadOnly);
  s.Check("setting replaces the whole set", Attributes(os.GetFileAttributes(s.In("hidden.txt"))),
          "33");

  const std::string sub = s.In("sub");
  os.CreateDirectory(sub);  // there already after an earlier run
  s.Check("folder attributes", Attributes(os.GetFileAttributes(sub)), "16");
  s.Check("search skips a folder", os.FindOrdinaryFile(sub), "");
  s.Check("pattern matching only a folder", os.FindOrdinaryFile(s.In("su*")), "");
  os.SetFileAttributes(sub, platform::kFileAttributeReadOnly);
  s.Check("read-only is ignored on a folder", Attributes(os.GetFileAttributes(sub)), "16");
  s.Check("search of a folder path ending in \\", os.FindOrdinaryFile(sub + "\\"), "");
  s.Check("a folder cannot be opened for reading", s.Read(sub), "<cannot open>");

  s.Check("attributes of a missing file", Attributes(os.GetFileAttributes(s.In("missing.txt"))),
          "invalid");
  s.Check("attributes in a missing folder",
          Attributes(os.GetFileAttributes(s.In("nofolder\\missing.txt"))), "invalid");
  s.Check("attributes of a pattern", Attributes(os.GetFileAttributes(s.In("*.txt"))), "invalid");
  s.Check("search for a missing file", os.FindOrdinaryFile(s.In("missing.txt")), "");
  s.Check("search in a missing folder", os.FindOrdinaryFile(s.In("nofolder\\*")), "");
  s.Check("setting attributes of a missing file",
          os.SetFileAttributes(s.In("missing.txt"), 0) ? "1" : "0", "0");
  s.Check("open a missing file", s.Read(s.In("missing.txt")), "<cannot open>");
}

void Writers(Scenarios& s) {
  Platform& os = s.os_;
  const std::string kept = s.In("kept.txt");
  s.Write(kept, "old");
  s.Check("replace a file", s.Write(kept, "new content"), "ok");
  s.Check("replaced content", s.Read(kept), "new content");
  {
    std::unique_ptr<platform::FileWriter> writer = os.CreateFileWriter(kept);
    if (writer) writer->Write("half written");
  }
  s.Check("a writer dropped before Commit keeps the old content", s.Read(kept), "new content");
  s.Check("and leaves no new file behind", os.FindOrdinaryFile(s.In("*.tmp")), "");

  const std::string guarded = s.In("guarded.txt");
  s.Write(guarded, "guarded");
  os.SetFileAttributes(guarded, platform::kFileAttributeReadOnly);
  s.Check("a read-only file is not replaced", s.Write(guarded, "intruder"), "commit failed");
  s.Check("read-only content kept", s.Read(guarded), "guarded");
  s.Check("read-only attributes kept", Attributes(os.GetFileAttributes(guarded)), "33");
  s.Check("a read-only file cannot be deleted", os.DeleteFile(guarded) ? "1" : "0", "0");

  const std::string veiled = s.In("veiled.txt");
  s.Write(veiled, "veiled");
  os.SetFileAttributes(veiled, platform::kFileAttributeHidden);
  s.Check("a hidden file is replaced", s.Write(veiled, "shown"), "ok");
  s.Check("by a file with the new one's attributes", Attributes(os.GetFileAttributes(veiled)),
          "32");

  s.Check("a folder is not replaced", s.Write(s.In("sub"), "x"), "commit failed");
  s.Check("the folder stays", Attributes(os.GetFileAttributes(s.In("sub"))), "16");
  s.Check("no writer in a missing folder", s.Write(s.In("nofolder\\x.txt"), "x"), "no writer");
  s.Check("no new file left behind by failures", os.FindOrdinaryFile(s.In("*.tmp")), "");

  s.Check("an empty file", s.Write(s.In("empty.txt"), ""), "ok");
  s.Check("an empty file is found", os.FindOrdinaryFile(s.In("empty.txt")), "empty.txt");
  s.Check("an empty file reads empty", s.Read(s.In("empty.txt")), "");

  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
  s.Write(s.In("bytes.bin"), every_byte);
  s.Check("every byte value comes back",
          s.Read(s.In("bytes.bin")) == every_byte ? "same" : "differs", "same");

  const std::string gone = s.In("gone.txt");
  s.Write(gone, "x");
  s.Check("delete a file", os.DeleteFile(gone) ? "1" : "0", "1");
  s.Check("a deleted file is not found", os.FindOrdinaryFile(gone), "");
}

void SettingsFiles(Scenarios& s) {
  Platform& os = s.os_;
  const std::string ini = s.In("set.ini");
  s.Check("write a setting",
          os.WritePrivateProfileString("Idle", "REASON", "gone", ini) ? "1" : "0", "1");
  s.Check("file after the first setting", s.Read(ini), "[Idle]\r\nREASON=gone\r\n");
  s.Check("read the key in lower case", os.GetPrivateProfileString("Idle", "reason", "", 750, ini),
          "gone");
  s.Check("section and key in any case", os.GetPrivateProfileString("IDLE", "ReAsOn", "", 750, ini),
          "gone");
  s.Check("missing key", os.GetPrivateProfileString("Idle", "nothing", "", 750, ini), "");
  s.Check("missing key gives the default",
          os.GetPrivateProfileString("Idle", "nothing", "dflt", 750, ini), "dflt");
  s.Check("missing section", os.GetPrivateProfileString("Away", "reason", "", 750, ini), "");
  s.Check("missing file",
          os.GetPrivateProfileString("Idle", "reason", "", 750, s.In("missing.ini")), "");

  os.WritePrivateProfileString("Idle", "OTHER", "x", ini);
  os.WritePrivateProfileString("Second", "K", "", ini);
  os.WritePrivateProfileString("IDLE", "reason", "back", ini);
  s.Check("file after more settings", s.Read(ini),
          "[Idle]\r\nREASON=back\r\nOTHER=x\r\n[Second]\r\nK=\r\n");
  s.Check("updated value", os.GetPrivateProfileString("idle", "REASON", "", 750, ini), "back");
  s.Check("empty value", os.GetPrivateProfileString("Second", "K", "dflt", 750, ini), "");

  const std::string long_value(800, 'v');
  os.WritePrivateProfileString("Big", "V", long_value, ini);
  s.Check("a long value is cut to the buffer",
          std::to_string(os.GetPrivateProfileString("Big", "V", "", 750, ini).size()), "749");

  os.WritePrivateProfileString("Idle", "SP", "  two  spaces  ", ini);
  s.Check("value trimmed", os.GetPrivateProfileString("Idle", "SP", "", 750, ini), "two  spaces");
  os.WritePrivateProfileString("Idle", "Q", "\"quoted\"", ini);
  s.Check("enclosing quotes dropped when read",
          os.GetPrivateProfileString("Idle", "Q", "", 750, ini), "quoted");
  os.WritePrivateProfileString("Idle", "EQ", "a=b", ini);
  s.Check("a value holding =", os.GetPrivateProfileString("Idle", "EQ", "", 750, ini), "a=b");
  os.WritePrivateProfileString("Idle", "U", "caf\xC3\xA9", ini);  // "café"
  s.Check("Windows-1252 text", os.GetPrivateProfileString("Idle", "U", "", 750, ini),
          "caf\xC3\xA9");
  os.WritePrivateProfileString("Idle", "FAR", "\xCE\xA9 \xC5\x81", ini);  // "Ω Ł"
  s.Check("outside Windows-1252: look-alikes",
          os.GetPrivateProfileString("Idle", "FAR", "", 750, ini), "O L");
  const std::string file = s.Read(ini);
  s.Check("stored as Windows-1252 bytes",
          file.find("U=caf\xE9\r\n") != std::string::npos ? "found" : Visible(file), "found");

  // A file written by hand: a comment, blank lines, blanks around "=", a
  // line without "=".
  const std::string hand = s.In("hand.ini");
  s.Write(hand,
          "; made by hand\r\n\r\n[Idle]\r\n  reason = away  \r\nflag\r\n\r\n[Other]\r\nx=1\r\n");
  s.Check("hand-made file: blanks around = dropped",
          os.GetPrivateProfileString("idle", "REASON", "", 750, hand), "away");
  s.Check("hand-made file: a line without = has no value",
          os.GetPrivateProfileString("Idle", "flag", "dflt", 750, hand), "dflt");
  s.Check("hand-made file: a comment is no key",
          os.GetPrivateProfileString("", "; made by hand", "dflt", 750, hand), "dflt");
  os.WritePrivateProfileString("Idle", "NEW", "v", hand);
  // Written back whole: blank lines gone, blanks around "=" gone, the rest kept.
  s.Check("hand-made file after a write", s.Read(hand),
          "; made by hand\r\n[Idle]\r\nreason=away\r\nflag\r\nNEW=v\r\n[Other]\r\nx=1\r\n");

  os.SetFileAttributes(hand, platform::kFileAttributeReadOnly);
  s.Check("a read-only settings file is not written",
          os.WritePrivateProfileString("Idle", "NEW", "w", hand) ? "1" : "0", "0");
  s.Check("and keeps its value", os.GetPrivateProfileString("Idle", "NEW", "", 750, hand), "v");

  const std::string bare = "brixconformance.ini";
  const std::string in_windows = std::string(kWindowsDirectory) + "\\" + bare;
  s.Remove(in_windows);
  os.WritePrivateProfileString("Idle", "REASON", "gone", bare);
  s.Check("a file name without a folder is in the Windows directory", s.Read(in_windows),
          "[Idle]\r\nREASON=gone\r\n");
  s.Check("and is read from there", os.GetPrivateProfileString("Idle", "REASON", "", 750, bare),
          "gone");
  s.Remove(in_windows);

  s.Check(
      "write into a missing folder",
      os.WritePrivateProfileString("Idle", "REASON", "gone", s.In("nofolder\\x.ini")) ? "1" : "0",
      "0");
}

std::string Join(const std::vector<std::string>& entries) {
  std::string out;
  for (const std::string& e : entries) out += "[" + e + "]";
  return out;
}

std::vector<std::string> EntriesOf(Platform& os, platform::Hwnd list, bool combo) {
  const platform::Msg count = combo ? platform::kCbGetCount : platform::kLbGetCount;
  const platform::Msg length = combo ? platform::kCbGetLbTextLen : platform::kLbGetTextLen;
  const platform::Msg text = combo ? platform::kCbGetLbText : platform::kLbGetText;
  std::vector<std::string> out;
  const auto n = os.SendMessage(list, count, 0, 0);
  for (platform::LResult i = 0; i < n; ++i) {
    const auto at = static_cast<platform::WParam>(i);
    const auto size = static_cast<std::size_t>(
        std::max<platform::LResult>(os.SendMessage(list, length, at, 0), 0));
    out.push_back(os.SendMessageGetText(list, text, at, size + 1));
  }
  return out;
}

std::string TextOf(Platform& os, platform::Hwnd box) {
  const auto length = os.SendMessage(box, platform::kWmGetTextLength, 0, 0);
  const auto room = static_cast<std::size_t>(std::max<platform::LResult>(length, 0)) + 1;
  return os.SendMessageGetText(box, platform::kWmGetText, room, room);
}

}  // namespace

std::vector<ConformanceResult> RunControlFileScenarios(Platform& platform,
                                                       std::string_view folder) {
  platform::ScopedPlatform use(platform);
  Scenarios s(platform, folder);
  Platform& os = platform;
  const platform::Hwnd form = os.CreateWindow(
      {std::string(platform::kStaticClass), "files", 0, {40, 40, 440, 340}, 0, false});
  platform::WindowSpec box_spec{std::string(platform::kEditClass), "", form, {0, 0, 200, 60}, 1};
  box_spec.multi_line = true;
  const platform::Hwnd box = os.CreateWindow(box_spec);
  const platform::Hwnd list =
      os.CreateWindow({std::string(platform::kListBoxClass), "", form, {0, 70, 200, 150}, 2});
  const platform::Hwnd other =
      os.CreateWindow({std::string(platform::kListBoxClass), "", form, {0, 160, 200, 240}, 3});
  const platform::Hwnd combo =
      os.CreateWindow({std::string(platform::kComboBoxClass), "", form, {210, 0, 400, 20}, 4});
  const std::string saved = s.In("controls.txt");

  const std::string text = "two\r\nlines caf\xC3\xA9  ";
  os.SendMessageText(box, platform::kWmSetText, 0, text);
  files::SaveTextBox(box, saved);
  s.Check("text box file", s.Read(saved), "two\r\nlines caf\xE9  \r\n");
  os.SendMessageText(box, platform::kWmSetText, 0, "else");
  files::LoadTextBox(box, saved);
  s.Check("text box loads back exactly", TextOf(os, box), text);
  files::LoadTextBox(box, s.In("missing.txt"));
  s.Check("a missing file leaves the text box", TextOf(os, box), text);

  const std::vector<std::string> entries = {"a, b", "  lead", "\"q\"", "", "caf\xC3\xA9", "x*y"};
  for (const std::string& e : entries) os.SendMessageText(list, platform::kLbAddString, 0, e);
  files::SaveListBox(saved, list);
  s.Check("list file", s.Read(saved), "a, b\r\n  lead\r\n\"q\"\r\n\r\ncaf\xE9\r\nx*y\r\n");
  files::LoadListBox(saved, other);
  s.Check("list loads back whole", Join(EntriesOf(os, other, false)), Join(entries));
  files::LoadComboBox(saved, combo);
  files::SaveComboBox(s.In("combo.txt"), combo);
  s.Check("combo box saves the same file", s.Read(s.In("combo.txt")), s.Read(saved));
  s.Check("join", files::JoinListBox(list), "(a, b), (  lead), (\"q\"), (), (caf\xC3\xA9), (x*y)");

  os.SendMessage(other, platform::kLbResetContent, 0, 0);
  os.SendMessageText(other, platform::kLbAddString, 0, "z");
  files::SaveListBoxPair(saved, list, other);
  s.Check("pair file", s.Read(saved), "a, b*z\r\n  lead*\r\n\"q\"*\r\n*\r\ncaf\xE9*\r\nx*y*\r\n");
  os.SendMessage(list, platform::kLbResetContent, 0, 0);
  os.SendMessage(other, platform::kLbResetContent, 0, 0);
  files::LoadListBoxPair(saved, list, other);
  s.Check("pair first entries", Join(EntriesOf(os, list, false)),
          Join({"a, b", "  lead", "\"q\"", "", "caf\xC3\xA9", "x"}));
  s.Check("pair second entries", Join(EntriesOf(os, other, false)),
          Join({"z", "", "", "", "", "y*"}));

  os.DestroyWindow(form);
  s.Remove(saved);
  s.Remove(s.In("combo.txt"));
  return s.results_;
}

std::vector<ConformanceResult> RunFileScenarios(Platform& platform, std::string_view folder) {
  Scenarios s(platform, folder);
  platform.CreateDirectory(s.folder_);
  for (const char* name : kMadeFiles) s.Remove(s.In(name));
  FileSearchAndAttributes(s);
  Writers(s);
  SettingsFiles(s);
  for (const char* name : kMadeFiles) s.Remove(s.In(name));
  return s.results_;
}

}  // namespace conformance
