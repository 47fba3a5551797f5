#include "core/ProgramFolders.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace {
std::filesystem::path WithSeparator(std::filesystem::path p) {
  if (!p.empty() && !p.filename().empty()) p /= "";
  return p;
}
}  // namespace

std::filesystem::path ResolveProgramFolder(const std::string& home) {
  if (!home.empty()) return WithSeparator(std::filesystem::absolute(home));
  if (const char* env = std::getenv("PITCHBOOK_HOME"); env && *env)
    return WithSeparator(std::filesystem::absolute(env));
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && access(exe.parent_path().c_str(), W_OK) == 0) return WithSeparator(exe.parent_path());
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    return WithSeparator(std::filesystem::path(xdg) / "pitchbook");
  const char* h = std::getenv("HOME");
  return WithSeparator(std::filesystem::path(h ? h : ".") / ".local" / "share" / "pitchbook");
}
