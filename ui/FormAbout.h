#pragma once
// The "About" window of the Help menu: the program's name, version and licence, the libraries it is built
// on with their licences, and the program folder in use.
#include <QDialog>

#include <filesystem>

class QLabel;
class QTableWidget;

class TFormAbout : public QDialog {
  Q_OBJECT

public:
  TFormAbout(const std::filesystem::path& programFolder, QWidget* parent = nullptr);

  QLabel& LabelVersion() const { return *FLabelVersion; }
  QLabel& LabelLicence() const { return *FLabelLicence; }
  QLabel& LabelFolder() const { return *FLabelFolder; }
  QTableWidget& Libraries() const { return *FLibraries; }

private:
  QLabel* FLabelVersion = nullptr;
  QLabel* FLabelLicence = nullptr;
  QLabel* FLabelFolder = nullptr;
  QTableWidget* FLibraries = nullptr;
};
