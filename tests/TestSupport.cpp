#include "TestSupport.h"

#include "core/Intl.h"

#include <clocale>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

TTempFolder::TTempFolder() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  do {
    FPath = base / ("pitchbook-test-" + std::to_string(rd()) + std::to_string(rd()));
  } while (std::filesystem::exists(FPath));
  std::filesystem::create_directories(FPath);
}

TTempFolder::~TTempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(FPath, ec);
}

std::filesystem::path FixturePath(const std::string& relative) {
  return std::filesystem::path(PB_FIXTURES_DIR) / relative;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

#ifdef PB_CLI_PATH
TCommandResult RunCli(const std::string& arguments) {
  TTempFolder tmp;
  auto out = tmp / "out.txt";
  auto err = tmp / "err.txt";
  std::string command = std::string("'") + PB_CLI_PATH + "' " + arguments + " >'" + out.string() + "' 2>'" +
                        err.string() + "'";
  int status = std::system(command.c_str());
  TCommandResult result;
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Out = ReadWholeFile(out);
  result.Err = ReadWholeFile(err);
  return result;
}
#else
TCommandResult RunCli(const std::string&) { return {}; }
#endif

namespace {
void SaveVariable(const char* name, std::string& value, bool& had) {
  const char* old = std::getenv(name);
  had = old != nullptr;
  value = old ? old : "";
}
void RestoreVariable(const char* name, const std::string& value, bool had) {
  if (had)
    setenv(name, value.c_str(), 1);
  else
    unsetenv(name);
}
}  // namespace

TGermanTexts::TGermanTexts() {
  FLocale = std::setlocale(LC_ALL, nullptr);
  SaveVariable("LC_ALL", FAll, FHadAll);
  SaveVariable("LANGUAGE", FLanguage, FHadLanguage);
  Available = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  setenv("LANGUAGE", "de", 1);
  std::setlocale(LC_NUMERIC, "C");
  InitTranslations(FProgramFolder.Path());
}

TGermanTexts::~TGermanTexts() {
  RestoreVariable("LC_ALL", FAll, FHadAll);
  RestoreVariable("LANGUAGE", FLanguage, FHadLanguage);
  InitTranslations(FProgramFolder.Path());
  std::setlocale(LC_ALL, FLocale.c_str());
  std::setlocale(LC_NUMERIC, "C");
}
