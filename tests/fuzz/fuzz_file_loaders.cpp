// Loaders and settings files on any file content: no failure, one list entry
// per line, a saved list loads back the same, and a setting written into any
// file reads back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/persistence.h"
#include "files/settings.h"
#include "platform/sim/sim_platform.h"

namespace {

std::vector<std::string> Entries(platform::sim::SimPlatform& sim, platform::Hwnd list) {
  return sim.Inspect(list)->items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string value = input.ConsumeRandomLengthString(64);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  platform::sim::SimPlatform sim;
  platform::ScopedPlatform use(sim);
  sim.PutDirectory("C:\\data");
  sim.PutFile("C:\\data\\in.txt", bytes);
  const platform::Hwnd form = sim.CreateWindow({"Static", "form", 0, {0, 0, 300, 200}});
  const platform::Hwnd list = sim.CreateWindow({"ListBox", "", form, {0, 0, 100, 100}});
  const platform::Hwnd again = sim.CreateWindow({"ListBox", "", form, {0, 100, 100, 200}});
  const platform::Hwnd box = sim.CreateWindow({"Edit", "", form, {100, 0, 200, 20}});

  files::LoadListBox("C:\\data\\in.txt", list);
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  if (!bytes.empty() && bytes.back() != '\n') ++lines;
  if (Entries(sim, list).size() != lines) std::abort();

  files::SaveListBox("C:\\data\\out.txt", list);
  files::LoadListBox("C:\\data\\out.txt", again);
  if (Entries(sim, again) != Entries(sim, list)) std::abort();

  files::LoadTextBox(box, "C:\\data\\in.txt");
  files::LoadListBoxPair("C:\\data\\in.txt", list, again);

  // Any content as a settings file: a plain value (printable ASCII, no
  // blanks or quotes, which the profile functions trim) reads back exactly.
  sim.PutFile("C:\\data\\in.ini", bytes);
  files::WriteSetting("Idle", "reason", value, "C:\\data\\in.ini");
  std::string key = "REASON";
  const std::string read = files::ReadSetting("Idle", key, "C:\\data\\in.ini");
  bool plain = true;
  for (unsigned char c : value) plain = plain && c > 0x20 && c < 0x7F && c != '"' && c != '\'';
  if (plain && read != value) std::abort();
  return 0;
}
