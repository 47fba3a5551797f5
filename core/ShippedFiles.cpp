#include "core/ShippedFiles.h"

#include <system_error>

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
  std::error_code ec;
  auto exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

namespace {
bool IsFile(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}
}  // namespace

std::vector<fs::path>& ShippedGoalSounds() {
  static std::vector<fs::path> places = [] {
    std::vector<fs::path> list;
    if (const fs::path exe = ExecutableFolder(); !exe.empty())
      list.push_back((exe / ".." / "share" / "pitchbook" / "Goal.mp3").lexically_normal());
#ifdef PITCHBOOK_SOURCE_GOAL_SOUND
    list.emplace_back(PITCHBOOK_SOURCE_GOAL_SOUND);
#endif
    return list;
  }();
  return places;
}

fs::path GoalSoundFile(const fs::path& programFolder) {
  if (const fs::path own = programFolder / "Goal.mp3"; !programFolder.empty() && IsFile(own)) return own;
  for (const fs::path& candidate : ShippedGoalSounds())
    if (IsFile(candidate)) return candidate;
  return {};
}
