#pragma once
// The program folder and the data folders below it. Every folder path ends with a separator.
#include <filesystem>
#include <string>
#include <vector>

// The program folder, in this order: the --home value (when not empty), the environment variable
// PITCHBOOK_HOME, the folder of the executable when it is writable, else $XDG_DATA_HOME/pitchbook
// (~/.local/share/pitchbook). The result ends with a separator.
std::filesystem::path ResolveProgramFolder(const std::string& home);

// The path with a trailing separator (unchanged when it already has one or is empty).
std::filesystem::path WithTrailingSeparator(std::filesystem::path path);

// The four data folders of one program folder:
//   work folder      program folder + "Work/"      grid files, the download window's working files
//   history folder   program folder + "History/", or the alternate history path when that preference is on
//                    and the path is not empty (used as given)   snapshots, rating record files
//   obsolete folder  history folder + "Obsolete/"  superseded snapshots, converted old match folders
//   matches folder   history folder + "Matches/"   one match file per club
// The two preference values are passed in, so that the folders do not depend on the preferences object.
class TProgramFolders {
public:
  TProgramFolders() = default;
  TProgramFolders(const std::filesystem::path& programFolder, bool useAlternateHistoryPath,
                  const std::string& alternateHistoryPath);

  const std::filesystem::path& ProgramFolder() const { return FProgramFolder; }
  const std::filesystem::path& WorkFolder() const { return FWorkFolder; }
  const std::filesystem::path& HistoryFolder() const { return FHistoryFolder; }
  const std::filesystem::path& ObsoleteFolder() const { return FObsoleteFolder; }
  const std::filesystem::path& MatchesFolder() const { return FMatchesFolder; }

  // Creates the folders that are missing, in this order: history, work, obsolete, matches. Missing parents
  // are created too (a first start under ~/.local/share has no program folder yet; an alternate history
  // path may point below a folder that does not exist). Returns the folders it created, in order.
  // Raises EInOutError naming the folder when one cannot be created or exists as something else.
  std::vector<std::filesystem::path> CreateDataFolders() const;

private:
  std::filesystem::path FProgramFolder;
  std::filesystem::path FWorkFolder;
  std::filesystem::path FHistoryFolder;
  std::filesystem::path FObsoleteFolder;
  std::filesystem::path FMatchesFolder;
};
