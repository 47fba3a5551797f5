#include "core/Intl.h"

#include "core/ShippedFiles.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {
std::filesystem::path gTranslationsFolder;
}  // namespace

void InitTranslations(const std::filesystem::path& programFolder) {
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_NUMERIC, "C");
  // The program folder's own, one next to the program, the installed layout (<prefix>/bin/pitchbook with
  // <prefix>/share/pitchbook/locale), and last the build tree's, for a program run from its build folder.
  const auto exeFolder = ExecutableFolder();
  std::vector<std::filesystem::path> candidates{programFolder / "locale"};
  if (!exeFolder.empty()) {
    candidates.push_back(exeFolder / "locale");
    candidates.push_back((exeFolder / ".." / "share" / "pitchbook" / "locale").lexically_normal());
  }
  candidates.push_back(std::filesystem::path(PITCHBOOK_BUILD_LOCALE_DIR));
  gTranslationsFolder.clear();
  for (const auto& dir : candidates) {
    std::error_code ec;
    if (!dir.empty() && std::filesystem::is_directory(dir, ec)) {
      gTranslationsFolder = dir;
      break;
    }
  }
  if (!gTranslationsFolder.empty()) bindtextdomain("default", gTranslationsFolder.c_str());
  bind_textdomain_codeset("default", "UTF-8");
}

std::filesystem::path TranslationsFolder() { return gTranslationsFolder; }

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (size > 0) {
    result.resize(static_cast<size_t>(size) + 1);
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<size_t>(size));
  }
  va_end(args);
  return result;
}
