#include "core/ShippedFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

// The user's own sound wins, the shipped one stands in, and without either there is nothing to play.
TEST(ShippedFiles, TheGoalSoundIsTheUsersThenTheShippedOne) {
  TTempFolder folder;
  fs::create_directories(folder / "home");
  fs::create_directories(folder / "share");
  const fs::path own = folder / "home" / "Goal.mp3";
  const fs::path shipped = folder / "share" / "Goal.mp3";
  const std::vector<fs::path> saved = ShippedGoalSounds();
  ShippedGoalSounds() = {folder / "absent" / "Goal.mp3", shipped};
  struct {
    bool Own, Shipped;
    fs::path Expected;
  } cases[] = {{true, true, own}, {false, true, shipped}, {true, false, own}, {false, false, {}}};
  for (const auto& c : cases) {
    fs::remove(own);
    fs::remove(shipped);
    if (c.Own) WriteWholeFile(own, "ID3");
    if (c.Shipped) WriteWholeFile(shipped, "ID3");
    EXPECT_EQ(GoalSoundFile(folder / "home"), c.Expected) << c.Own << c.Shipped;
  }
  // A folder named like the sound is not a sound.
  fs::remove(own);
  fs::remove(shipped);
  fs::create_directories(own);
  EXPECT_EQ(GoalSoundFile(folder / "home"), fs::path());
  ShippedGoalSounds() = saved;
}

// The program run from its build folder finds the sound of the source tree, and it is an MP3 file.
TEST(ShippedFiles, TheBuildTreeFindsTheShippedGoalSound) {
  TTempFolder home;
  const fs::path sound = GoalSoundFile(home.Path());
  ASSERT_FALSE(sound.empty());
  std::ifstream in(sound, std::ios::binary);
  char head[3] = {};
  in.read(head, 3);
  EXPECT_EQ(std::string(head, 3), "ID3");
  EXPECT_GT(fs::file_size(sound), 1000u);
}
