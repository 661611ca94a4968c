// A simulated desktop with the substitute client running in its own process,
// and the program's calls going to it: the common ground of the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "substitute/substitute_client.h"

namespace testing_support {

using platform::Hwnd;
using platform::sim::CallRecord;
using platform::sim::SimPlatform;

class ClientFixture : public ::testing::Test {
 protected:
  ClientFixture() : use_(sim) {}

  // Starts the substitute client (frame, MDI area, toolbar with keyword box).
  substitute::SubstituteClient& StartClient() {
    auto scope = sim.AsProcess(client_pid);
    client = std::make_unique<substitute::SubstituteClient>(sim);
    return *client;
  }

  // Scenario steps run as the client's process, as its own actions would.
  Hwnd OpenRoom(const std::string& name, const std::vector<std::string>& members = {}) {
    auto scope = sim.AsProcess(client_pid);
    return client->OpenChatRoom(name, members);
  }
  Hwnd OpenWindow(const std::string& caption, const std::vector<std::string>& classes) {
    auto scope = sim.AsProcess(client_pid);
    return client->OpenWindow(caption, classes);
  }
  void BringToFront(Hwnd window) {
    auto scope = sim.AsProcess(client_pid);
    client->BringToFront(window);
  }
  void CloseWindow(Hwnd window) {
    auto scope = sim.AsProcess(client_pid);
    client->Close(window);
  }

  // The platform calls the program made, in order.
  std::vector<CallRecord> ProgramCalls() const { return sim.CallsBy(SimPlatform::kProgramPid); }

  SimPlatform sim;
  platform::Pid client_pid = sim.CreateProcess("client");
  std::unique_ptr<substitute::SubstituteClient> client;

 private:
  platform::ScopedPlatform use_;
};

}  // namespace testing_support
