#include "ui/DownloadFileRows.h"

#include "core/Intl.h"
#include "core/Snapshot.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int IconSize = 16;

QPixmap DrawIndicator(const QColor& fill, bool done) {
  const qreal ratio = 2;  // sharp on high-density screens, scaled down elsewhere
  QPixmap pixmap(IconSize * ratio, IconSize * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(fill.darker(140), 1));
  painter.setBrush(fill);
  painter.drawEllipse(QRectF(0.5, 0.5, IconSize - 1, IconSize - 1));
  painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  if (done) {
    QPainterPath tick;
    tick.moveTo(4.2, 8.4);
    tick.lineTo(7.0, 11.2);
    tick.lineTo(11.8, 5.0);
    painter.drawPath(tick);
  } else {
    painter.drawLine(QPointF(5, 5), QPointF(11, 11));
    painter.drawLine(QPointF(11, 5), QPointF(5, 11));
  }
  return pixmap;
}
}  // namespace

TDownloadFileRows::TDownloadFileRows(QWidget* parent) : QWidget(parent) {
  FStates.fill(TDlFileState::Pending);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->setHorizontalSpacing(32);
  layout->setVerticalSpacing(6);
  for (int row = 0; row < RowCount; ++row) {
    auto* label = new QLabel(QString::fromUtf8(_(TMyTeamDlData[static_cast<size_t>(row)].Label)), this);
    QFont font = label->font();
    font.setPointSize(10);
    label->setFont(font);
    auto* indicator = new QLabel(this);
    indicator->setFixedSize(IconSize, IconSize);
    indicator->hide();
    // The indicator keeps its place while hidden, so that the rows do not move when it appears.
    QSizePolicy policy = indicator->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    indicator->setSizePolicy(policy);
    layout->addWidget(label, row, 0);
    layout->addWidget(indicator, row, 1);
    FLabels[static_cast<size_t>(row)] = label;
    FIndicators[static_cast<size_t>(row)] = indicator;
  }
  layout->setColumnStretch(2, 1);
  layout->setRowStretch(RowCount, 1);
}

void TDownloadFileRows::SetState(int row, TDlFileState state) {
  if (row < 0 || row >= RowCount) return;
  const auto index = static_cast<size_t>(row);
  FStates[index] = state;
  QLabel* indicator = FIndicators[index];
  if (state == TDlFileState::Pending) {
    indicator->hide();
    return;
  }
  indicator->setPixmap(state == TDlFileState::Done ? DonePixmap() : FailedPixmap());
  indicator->setToolTip(QString::fromUtf8(state == TDlFileState::Done ? _("Downloaded") : _("Failed")));
  indicator->show();
}

TDlFileState TDownloadFileRows::State(int row) const {
  if (row < 0 || row >= RowCount) return TDlFileState::Pending;
  return FStates[static_cast<size_t>(row)];
}

void TDownloadFileRows::SetBold(int row, bool bold) {
  if (row < 0 || row >= RowCount) return;
  QLabel* label = FLabels[static_cast<size_t>(row)];
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
}

bool TDownloadFileRows::IsBold(int row) const {
  if (row < 0 || row >= RowCount) return false;
  return FLabels[static_cast<size_t>(row)]->font().bold();
}

// Drawn on each use: a pixmap kept in a static would outlive the application object.
QPixmap TDownloadFileRows::DonePixmap() { return DrawIndicator(QColor(0x2e, 0x9e, 0x44), true); }

QPixmap TDownloadFileRows::FailedPixmap() { return DrawIndicator(QColor(0xd0, 0x30, 0x30), false); }
