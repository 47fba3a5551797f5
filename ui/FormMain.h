#pragma once
// The program's main window. It owns the start of the program: the format settings, the preferences and
// the data folders are set up in FormCreate before anything else reads them, and the preferences are saved
// when it closes.
#include "core/ProgramFolders.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <string>

class QLabel;
class QTabWidget;

class TFormMain : public QMainWindow {
  Q_OBJECT

public:
  explicit TFormMain(std::filesystem::path programFolder, QWidget* parent = nullptr);
  ~TFormMain() override;

  // Loads the preferences and creates the data folders. Returns false (after telling the user why) when a
  // data folder cannot be created: the program must not start then.
  bool FormCreate();
  const TProgramFolders& Folders() const { return *FFolders; }

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildMenus();
  void BuildCentralArea();

  std::filesystem::path FProgramFolder;
  std::unique_ptr<TProgramFolders> FFolders;
  QTabWidget* FPages = nullptr;
  QLabel* FStatusFolder = nullptr;
};
