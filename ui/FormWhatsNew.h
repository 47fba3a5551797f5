#pragma once
// The "What's New" window of the Help menu: the release notes of the running version, read from the NEWS
// file each time the window is opened. A missing or malformed file shows what went wrong instead.
#include <QDialog>

#include <filesystem>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

class TFormWhatsNew : public QDialog {
  Q_OBJECT

public:
  // candidates: where NEWS is looked for, first existing wins (ReleaseNotesCandidates() in the program).
  TFormWhatsNew(std::vector<std::filesystem::path> candidates, std::string version = PITCHBOOK_VERSION,
                QWidget* parent = nullptr);

  // Reads the file again and shows the version's entry.
  void Reload();

  QLabel& LabelHeading() const { return *FLabelHeading; }
  QPlainTextEdit& Notes() const { return *FNotes; }

private:
  std::vector<std::filesystem::path> FCandidates;
  std::string FVersion;
  QLabel* FLabelHeading = nullptr;
  QPlainTextEdit* FNotes = nullptr;
};
