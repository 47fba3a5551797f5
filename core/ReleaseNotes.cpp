#include "core/ReleaseNotes.h"

#include "core/ShippedFiles.h"

#include "core/Intl.h"
#include "core/Utils.h"
#include "core/Version.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// A NEWS file is a few kilobytes; anything far larger is not one.
constexpr uintmax_t MaxNewsSize = 1024 * 1024;

[[noreturn]] void Malformed(int line, const char* what) {
  throw EReleaseNotesError(FormatText(_("line %d: %s"), line, _(what)));
}

bool IsDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

void TrimBlankLines(std::vector<std::string>& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}


}  // namespace

TReleaseNotes TReleaseNotes::Parse(std::string_view text) {
  static constexpr std::string_view Header = "Version ";
  TReleaseNotes notes;
  std::vector<std::string> body;
  auto close = [&](int line) {
    if (notes.FReleases.empty()) return;
    TrimBlankLines(body);
    if (body.empty()) Malformed(line, N_("a release without notes"));
    notes.FReleases.back().Notes = Join(body);
    body.clear();
  };
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with('#')) continue;
    if (line.find_first_not_of(' ') == std::string_view::npos) {
      if (!notes.FReleases.empty() && !body.empty()) body.emplace_back();
      continue;
    }
    if (line.starts_with("  ")) {
      if (notes.FReleases.empty()) Malformed(number, N_("a note before the first \"Version\" line"));
      body.emplace_back(line.substr(2));
      continue;
    }
    if (!line.starts_with(Header)) Malformed(number, N_("expected \"Version X.Y.Z (yyyy-mm-dd)\" or an indented note"));
    // "Version 0.1.0 (2026-12-09)"
    const std::string_view rest = line.substr(Header.size());
    const size_t space = rest.find(' ');
    if (space == std::string_view::npos || rest.size() != space + 13 || rest[space + 1] != '(' || rest.back() != ')')
      Malformed(number, N_("expected \"Version X.Y.Z (yyyy-mm-dd)\""));
    const std::string_view version = rest.substr(0, space);
    const std::string_view date = rest.substr(space + 2, 10);
    if (!ParseVersion(version)) Malformed(number, N_("not a version number"));
    if (!IsDate(date)) Malformed(number, N_("not a date of the form yyyy-mm-dd"));
    if (notes.Find(version)) Malformed(number, N_("this version has an entry already"));
    close(number);
    notes.FReleases.push_back(TRelease{std::string(version), std::string(date), {}});
  }
  close(number);
  if (notes.FReleases.empty()) throw EReleaseNotesError(_("no release entry"));
  return notes;
}

const TRelease* TReleaseNotes::Find(std::string_view version) const {
  const auto wanted = ParseVersion(version);
  if (!wanted) return nullptr;
  for (const auto& release : FReleases)
    if (CompareVersions(*ParseVersion(release.Version), *wanted) == 0) return &release;
  return nullptr;
}

TWhatsNew WhatsNewFor(std::string_view version, const std::vector<fs::path>& candidates) {
  TWhatsNew result;
  const std::string shownVersion(version);
  for (const auto& candidate : candidates) {
    std::error_code ec;
    if (!candidate.empty() && fs::is_regular_file(candidate, ec)) {
      result.File = candidate;
      break;
    }
  }
  if (result.File.empty()) {
    std::string places;
    for (const auto& candidate : candidates)
      if (!candidate.empty()) places += "\n" + candidate.lexically_normal().string();
    result.Text = FormatText(_("The release notes (NEWS) were not found. Looked for:%s"), places.c_str());
    return result;
  }
  try {
    std::error_code ec;
    if (fs::file_size(result.File, ec) > MaxNewsSize && !ec) throw EReleaseNotesError(_("the file is too large"));
    const TReleaseNotes notes = TReleaseNotes::Parse(ReadFileText(result.File));
    const TRelease* release = notes.Find(version);
    if (!release) {
      result.Text = FormatText(_("The release notes in %s hold no entry for version %s."),
                               result.File.lexically_normal().c_str(), shownVersion.c_str());
      return result;
    }
    result.Found = true;
    result.Heading = FormatText(_("Version %s (%s)"), release->Version.c_str(), release->Date.c_str());
    result.Text = release->Notes;
  } catch (const std::exception& e) {
    result.Text = FormatText(_("The release notes in %s could not be read: %s"),
                             result.File.lexically_normal().c_str(), e.what());
  }
  return result;
}

std::vector<fs::path> ReleaseNotesCandidates() {
  std::vector<fs::path> candidates;
  const fs::path exe = ExecutableFolder();
  if (!exe.empty()) candidates.push_back((exe / ".." / "share" / "pitchbook" / "NEWS").lexically_normal());
#ifdef PITCHBOOK_SOURCE_NEWS
  candidates.emplace_back(PITCHBOOK_SOURCE_NEWS);
#endif
  return candidates;
}
