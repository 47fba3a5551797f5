#pragma once
// The release notes of the NEWS file, shown by "What's New...". The file holds one entry per release,
// newest first:
//
//   # a comment line
//   Version 0.1.0 (2026-12-09)
//     - what the release brought, every note line indented by two spaces
//       (continuation lines keep their further indent)
//
// Blank lines inside an entry are kept; anything else at the start of a line is malformed.
#include "core/Errors.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A NEWS text that does not follow the format; the message names the line.
class EReleaseNotesError : public EPitchbookError {
public:
  using EPitchbookError::EPitchbookError;
};

struct TRelease {
  std::string Version;
  std::string Date;   // yyyy-mm-dd
  std::string Notes;  // the note lines without their two-space indent, joined by "\n"
};

class TReleaseNotes {
public:
  // Raises EReleaseNotesError for a malformed text (see the file comment), a version given twice or an
  // entry without notes.
  static TReleaseNotes Parse(std::string_view text);
  const std::vector<TRelease>& Releases() const { return FReleases; }
  // The entry of the version (compared number by number, so "0.1" finds "0.1.0"); nullptr when none.
  const TRelease* Find(std::string_view version) const;

private:
  std::vector<TRelease> FReleases;
};

// What the "What's New" window shows: the running version's notes, or a message saying why there are none.
struct TWhatsNew {
  bool Found = false;
  std::string Heading;          // "Version 0.1.0 (2026-12-09)" when found
  std::string Text;             // the notes, or the message
  std::filesystem::path File;   // the NEWS file that was read (empty when none was found)
};
// Looks for the first existing file of candidates, reads and parses it and picks version's entry. Never
// raises: a missing, unreadable or malformed file becomes a message.
TWhatsNew WhatsNewFor(std::string_view version, const std::vector<std::filesystem::path>& candidates);
// Where NEWS is looked for: the installed copy (<executable folder>/../share/pitchbook/NEWS), then the
// copy in the source tree the program was built from.
std::vector<std::filesystem::path> ReleaseNotesCandidates();
