#pragma once
// TMyTeamDisplay: the status list of the nine files of a "My Team" download on the download window, one
// row per file of TMyTeamDlData in table order ("Team", "League", "Players", ... "World"). Each row
// (TMyTeamNode) has a caption, a status image and a buffer for the file's download.
//
// Status -1 (pending) hides the image, 0 shows the "failed" icon and 1 the "done" icon; any other value
// hides it too. The caption is bold while its file is being downloaded.
#include <QByteArray>
#include <QPixmap>
#include <QWidget>

#include <array>

class QLabel;

class TMyTeamNode {
public:
  static constexpr int Pending = -1;
  static constexpr int Failed = 0;
  static constexpr int Done = 1;

  TMyTeamNode(QWidget* parent, const QString& caption, const QFont& font);

  void SetStatus(int status);
  int Status() const { return FStatus; }
  // Bold caption while the file is being downloaded.
  void SetBusy(bool busy);
  bool Busy() const;
  void SetImages(const QPixmap* failed, const QPixmap* done);

  QLabel* Caption() const { return FCaption; }
  QLabel* Image() const { return FImage; }
  // Receives the file's download.
  QByteArray Stream;

private:
  QLabel* FCaption = nullptr;
  QLabel* FImage = nullptr;
  const QPixmap* FFailed = nullptr;
  const QPixmap* FDone = nullptr;
  int FStatus = Pending;
};

class TMyTeamDisplay : public QWidget {
  Q_OBJECT

public:
  static constexpr int NodeCount = 9;
  // The status unit of the main window's status bar (a quarter of its 32-pixel icons).
  static constexpr int StatusUnit = 8;

  // The captions take the parent's font at size 10 (the "My Team" page's).
  explicit TMyTeamDisplay(QWidget* parent = nullptr);
  ~TMyTeamDisplay() override;

  // Row 0..8; ERangeError outside.
  TMyTeamNode& GetNode(int index) const;
  // The download window's "failed" and "done" icons (the program draws its own until then).
  void SetStatusImages(const QPixmap& failed, const QPixmap& done);
  // Every row back to pending, captions normal, buffers emptied: the start of a download.
  void Reset();

private:
  QPixmap FFailed;
  QPixmap FDone;
  std::array<TMyTeamNode*, NodeCount> FNodes{};
};
