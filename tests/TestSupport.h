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

// German texts from the build tree's catalogues while the object lives (LANGUAGE=de under de_DE.UTF-8);
// the user's locale and the environment come back when it goes. Available is false when the locale does
// not exist on the machine (the set-up script creates it): a test must then fail, not pass in English.
class TGermanTexts {
public:
  TGermanTexts();
  ~TGermanTexts();
  TGermanTexts(const TGermanTexts&) = delete;
  TGermanTexts& operator=(const TGermanTexts&) = delete;
  bool Available = false;

private:
  TTempFolder FProgramFolder;  // no catalogues of its own: the build tree's are used
  std::string FLocale, FAll, FLanguage;
  bool FHadAll = false, FHadLanguage = false;
};
#define PB_GERMAN_MISSING "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8"
