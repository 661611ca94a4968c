// Sound: nothing is played for a missing file; the wave sound goes out
// asynchronously with no default; media-control paths are quoted.
#include "desktop/sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace {

using namespace platform;
using platform::sim::CallRecord;
using platform::sim::SimPlatform;

constexpr char kSpaced[] = "C:\\My Music\\tune.mid";

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() : use_(sim) {
    sim.PutDirectory("C:\\My Music");
    sim.PutFile("C:\\My Music\\bell.wav", "RIFF");
    sim.PutFile("C:\\My Music\\chime.wav", "RIFF");
    sim.PutFile(kSpaced, "MThd");
    sim.PutFile("C:\\My Music\\quiet.wav", "RIFF", kFileAttributeHidden);
  }
  // The sound calls made, in order.
  std::vector<CallRecord> SoundCalls() const {
    std::vector<CallRecord> out;
    for (const CallRecord& call : sim.Calls()) {
      if (call.name == "SndPlaySound" || call.name == "MciSendString") out.push_back(call);
    }
    return out;
  }
  SimPlatform sim;
  ScopedPlatform use_;
};

TEST_F(SoundTest, NoFileNoSound) {
  for (const char* path : {"", "C:\\My Music\\none.wav", "C:\\nowhere\\bell.wav", "C:\\My Music",
                           "C:\\My Music\\quiet.wav"}) {
    desktop::PlayWaveFile(path);
    desktop::PlayMciFile(path);
    desktop::StopMciFile(path);
    EXPECT_TRUE(SoundCalls().empty()) << path;
  }
  EXPECT_EQ(sim.PlayingWave(), "");
  EXPECT_TRUE(sim.PlayingMedia().empty());
}

TEST_F(SoundTest, AWaveSoundIsAsynchronousWithNoDefaultAndReplacesTheLastOne) {
  desktop::PlayWaveFile("C:\\My Music\\bell.wav");
  const auto calls = SoundCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].name, "SndPlaySound");
  EXPECT_EQ(calls[0].text, "C:\\My Music\\bell.wav");
  EXPECT_EQ(calls[0].numbers, std::vector<std::int64_t>{3});
  EXPECT_EQ(sim.PlayingWave(), "C:\\My Music\\bell.wav");
  desktop::PlayWaveFile("C:\\My Music\\chime.wav");
  EXPECT_EQ(sim.PlayingWave(), "C:\\My Music\\chime.wav");
}

TEST_F(SoundTest, AMediaFileWhosePathHoldsASpacePlaysAndStops) {
  desktop::PlayMciFile(kSpaced);
  EXPECT_EQ(sim.PlayingMedia(), std::vector<std::string>{kSpaced});
  desktop::StopMciFile(kSpaced);
  EXPECT_TRUE(sim.PlayingMedia().empty());
  const auto calls = SoundCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, "play \"C:\\My Music\\tune.mid\"");
  EXPECT_EQ(calls[0].result, 0);
  EXPECT_EQ(calls[1].text, "stop \"C:\\My Music\\tune.mid\"");
  EXPECT_EQ(calls[1].result, 0);
  // Unquoted, the media control would read only "C:\My" as the file.
  EXPECT_NE(sim.MciSendString("play C:\\My Music\\tune.mid"), 0u);
  EXPECT_TRUE(sim.PlayingMedia().empty());
}

TEST_F(SoundTest, StoppingAFileThatIsNotPlayingIsQuiet) {
  desktop::StopMciFile(kSpaced);
  const auto calls = SoundCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].text, "stop \"C:\\My Music\\tune.mid\"");
  EXPECT_NE(calls[0].result, 0);  // the media control's error, dropped
}

TEST_F(SoundTest, APatternCountsAsAFileWhenOneMatches) {
  desktop::PlayWaveFile("C:\\My Music\\b*.wav");
  ASSERT_EQ(SoundCalls().size(), 1u);
  EXPECT_EQ(SoundCalls()[0].text, "C:\\My Music\\b*.wav");
  desktop::PlayWaveFile("C:\\My Music\\x*.wav");
  EXPECT_EQ(SoundCalls().size(), 1u);
}

}  // namespace
