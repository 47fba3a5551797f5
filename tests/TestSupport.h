#pragma once
// Shared helpers of the tests: temporary program folders, fixture paths, running the CLI.
#include <filesystem>
#include <string>

// A fresh, empty folder under the system's temporary folder, removed when the object goes away.
class TTempFolder {
public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
  std::filesystem::path FPath;
};

std::filesystem::path FixturePath(const std::string& relative);
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& text);

struct TCommandResult {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};
// Runs pitchbook-cli with the given argument text (shell-quoted by the caller).
TCommandResult RunCli(const std::string& arguments);
