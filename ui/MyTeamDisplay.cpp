#include "ui/MyTeamDisplay.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Snapshot.h"

#include <QLabel>
#include <QPainter>

namespace {
constexpr int IconSize = 16;

// Drawn rather than taken from the icon theme, so that they look the same everywhere. Drawn per display:
// a pixmap kept in a static would outlive the application object.
QPixmap StatusIcon(bool done) {
  const QColor fill = done ? QColor(0x2e, 0x9e, 0x44) : QColor(0xd0, 0x30, 0x30);
  const qreal ratio = 2;  // sharp on high-density screens, scaled down elsewhere
  QPixmap pixmap(QSize(IconSize, IconSize) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(fill.darker(140), 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(0.5, 0.5, IconSize - 1, IconSize - 1));
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (done) {
    p.drawPolyline(QPolygonF() << QPointF(4.2, 8.4) << QPointF(7, 11.2) << QPointF(11.8, 5));
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
  FImage->setToolTip(QString::fromUtf8(status == Done ? _("Downloaded") : _("Failed")));
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
  resize(sizeHint());
}

QSize TMyTeamDisplay::sizeHint() const {
  // The rows are placed by hand: a layout that holds the display learns their extent here.
  const int s = StatusUnit;
  return {28 * s + IconSize + s, (3 * (NodeCount - 1) + 4) * s + IconSize + s};
}

QSize TMyTeamDisplay::minimumSizeHint() const { return sizeHint(); }

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
