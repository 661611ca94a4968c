// The substitute client as a program of its own: the client's windows,
// visible, answering the idler, and a log of everything it received.
//
//   aol-substitute.exe --room Lobby --member Zed --log received.log
//   aol-substitute.exe --scenario lobby.txt
//
// The options are those of substitute/scenario.h. Each line the client
// receives is appended to the log at once, so a test or a person can follow
// it while it runs.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "substitute/scenario.h"
#include "substitute/substitute_client.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  substitute::Scenario scenario;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::string error = substitute::ParseArguments(arguments, scenario, ReadWholeFile);
  if (!error.empty()) {
    std::fprintf(stderr, "aol-substitute: %s\n", error.c_str());
    return 2;
  }
  if (scenario.rooms.empty()) scenario.rooms.push_back({"Lobby", {"Zed", "Quorv"}});

  platform::Win32Platform os;
  platform::SetCurrent(&os);
  substitute::SubstituteClient client(os, scenario.screen_name);
  client.QuitWhenClosed();

  std::ofstream log;
  if (!scenario.log_path.empty()) log.open(scenario.log_path, std::ios::binary | std::ios::trunc);
  client.OnReceive([&](const substitute::Received& received) {
    const std::string room = os.GetWindowText(received.window, 256);
    const std::string line = substitute::FormatLogLine(received, room);
    if (log) log << line << "\n" << std::flush;
  });
  substitute::ApplyScenario(scenario, client);
  if (log) log << "READY\t" << os.Now() << "\t" << scenario.screen_name << "\t\t\n" << std::flush;
  return os.RunMessageLoop();
}
