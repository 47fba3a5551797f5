#pragma once
// The nine file rows of the own-team download on the download window's "My Team" page, one per file of
// TMyTeamDlData: the file's label (bold while it downloads) and an indicator that is hidden while the file
// is pending and shows a tick when it arrived or a cross when it failed.
#include "download/DlCustom.h"

#include <QWidget>

#include <array>

class QLabel;

class TDownloadFileRows : public QWidget {
  Q_OBJECT

public:
  static constexpr int RowCount = 9;

  explicit TDownloadFileRows(QWidget* parent = nullptr);

  // Row outside 0..8: nothing happens (the state reads as pending).
  void SetState(int row, TDlFileState state);
  TDlFileState State(int row) const;
  void SetBold(int row, bool bold);
  bool IsBold(int row) const;
  QLabel& Label(int row) const { return *FLabels[static_cast<size_t>(row)]; }
  QLabel& Indicator(int row) const { return *FIndicators[static_cast<size_t>(row)]; }

  // The indicator pictures (drawn, so that they look the same under every icon theme).
  static QPixmap DonePixmap();
  static QPixmap FailedPixmap();

private:
  std::array<QLabel*, RowCount> FLabels{};
  std::array<QLabel*, RowCount> FIndicators{};
  std::array<TDlFileState, RowCount> FStates{};
};
