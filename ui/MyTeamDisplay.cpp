#include "ui/MyTeamDisplay.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Snapshot.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>

namespace {
constexpr int IconSize = 16;

QPixmap StatusIcon(bool done) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(IconSize, IconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(done ? QColor(0x10, 0x60, 0x20) : QColor(0x80, 0x00, 0x00), 1));
  p.setBrush(done ? QColor(0x2E, 0xA0, 0x44) : QColor(0xD8, 0x24, 0x24));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (done) {
    p.drawPolyline(QPolygonF() << QPointF(4.2, 8.4) << QPointF(7, 11.2) << QPointF(12, 5));
  } else {
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
  }
  p.end();
  return pixmap;
}
}  // namespace

// ---- TMyTeamNode --------------------------------------------------------------------------------------

TMyTeamNode::TMyTeamNode(QWidget* parent, const QString& caption, const QFont& font) {
  FCaption = new QLabel(caption, parent);
  FCaption->setFont(font);
  FImage = new QLabel(parent);
  FImage->resize(IconSize, IconSize);
  FImage->hide();
}

void TMyTeamNode::SetImages(const QPixmap* failed, const QPixmap* done) {
  FFailed = failed;
  FDone = done;
  SetStatus(FStatus);
}

void TMyTeamNode::SetStatus(int status) {
  FStatus = status;
  const QPixmap* picture = status == Failed ? FFailed : status == Done ? FDone : nullptr;
  if (!picture || picture->isNull()) {
    FImage->clear();
    FImage->hide();
    return;
  }
  FImage->setPixmap(*picture);
  FImage->show();
}

void TMyTeamNode::SetBusy(bool busy) {
  QFont font = FCaption->font();
  font.setBold(busy);
  FCaption->setFont(font);
  FCaption->adjustSize();
}

bool TMyTeamNode::Busy() const { return FCaption->font().bold(); }

// ---- TMyTeamDisplay -----------------------------------------------------------------------------------

TMyTeamDisplay::TMyTeamDisplay(QWidget* parent) : QWidget(parent), FFailed(StatusIcon(false)), FDone(StatusIcon(true)) {
  QFont font = parent ? parent->font() : this->font();
  font.setPointSize(10);
  const int s = StatusUnit;
  for (int i = 0; i < NodeCount; ++i) {
    auto* node = new TMyTeamNode(this, QString::fromUtf8(_(TMyTeamDlData[static_cast<size_t>(i)].Label)), font);
    const int top = (3 * i + 4) * s;
    node->Caption()->adjustSize();
    node->Caption()->move(6 * s, top);
    node->Image()->move(28 * s, top);
    node->SetImages(&FFailed, &FDone);
    FNodes[static_cast<size_t>(i)] = node;
  }
  resize(28 * s + IconSize + s, (3 * (NodeCount - 1) + 4) * s + IconSize + s);
}

TMyTeamDisplay::~TMyTeamDisplay() {
  for (TMyTeamNode* node : FNodes) delete node;
}

TMyTeamNode& TMyTeamDisplay::GetNode(int index) const {
  if (index < 0 || index >= NodeCount) throw ERangeError();
  return *FNodes[static_cast<size_t>(index)];
}

void TMyTeamDisplay::SetStatusImages(const QPixmap& failed, const QPixmap& done) {
  FFailed = failed;
  FDone = done;
  for (TMyTeamNode* node : FNodes) node->SetImages(&FFailed, &FDone);
}

void TMyTeamDisplay::Reset() {
  for (TMyTeamNode* node : FNodes) {
    node->SetStatus(TMyTeamNode::Pending);
    node->SetBusy(false);
    node->Stream.clear();
  }
}
