#include "core/ProgramFolders.h"

#include "core/Errors.h"
#include "core/Intl.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

fs::path WithTrailingSeparator(fs::path path) {
  if (!path.empty() && path.has_filename()) path /= "";
  return path;
}

fs::path ResolveProgramFolder(const std::string& home) {
  if (!home.empty()) return WithTrailingSeparator(fs::absolute(home));
  if (const char* env = std::getenv("PITCHBOOK_HOME"); env && *env)
    return WithTrailingSeparator(fs::absolute(env));
  std::error_code ec;
  auto exe = fs::read_symlink("/proc/self/exe", ec);
  // An installed program (<prefix>/bin beside <prefix>/share/pitchbook) never keeps its data in bin/, even
  // where root may write there.
  if (!ec && access(exe.parent_path().c_str(), W_OK) == 0 &&
      !fs::is_directory(exe.parent_path() / ".." / "share" / "pitchbook", ec))
    return WithTrailingSeparator(exe.parent_path());
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    return WithTrailingSeparator(fs::path(xdg) / "pitchbook");
  const char* h = std::getenv("HOME");
  return WithTrailingSeparator(fs::path(h ? h : ".") / ".local" / "share" / "pitchbook");
}

TProgramFolders::TProgramFolders(const fs::path& programFolder, bool useAlternateHistoryPath,
                                 const std::string& alternateHistoryPath)
    : FProgramFolder(WithTrailingSeparator(programFolder)) {
  FWorkFolder = FProgramFolder / "Work" / "";
  if (useAlternateHistoryPath && !alternateHistoryPath.empty())
    FHistoryFolder = WithTrailingSeparator(alternateHistoryPath);
  else
    FHistoryFolder = FProgramFolder / "History" / "";
  FObsoleteFolder = FHistoryFolder / "Obsolete" / "";
  FMatchesFolder = FHistoryFolder / "Matches" / "";
}

std::vector<fs::path> TProgramFolders::CreateDataFolders() const {
  std::vector<fs::path> created;
  for (const fs::path* folder : {&FHistoryFolder, &FWorkFolder, &FObsoleteFolder, &FMatchesFolder}) {
    std::error_code ec;
    if (fs::is_directory(*folder, ec)) continue;
    fs::create_directories(*folder, ec);
    // create_directories reports no error for an existing non-folder on every library; check the result.
    if (!ec && !fs::is_directory(*folder)) ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
      throw EInOutError(
          FormatText(_("Cannot create folder \"%s\": %s"), folder->string().c_str(), ec.message().c_str()));
    created.push_back(*folder);
  }
  return created;
}
