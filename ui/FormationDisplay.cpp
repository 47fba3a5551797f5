#include "ui/FormationDisplay.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <cmath>

TFormationDisplay::TFormationDisplay(QWidget* owner, const QRect& rect)
    : TTeamDisplay(owner, rect), FFormationTeam(std::make_unique<TTeam>(wDisabled, false, false)) {
  // Only the pitch: no bench, no penalty takers.
  BenchPanel()->hide();
  FFormationTeam->SetFormation(442);
  for (int place = 0; place < PlaceCount; ++place) {
    QLabel* slot = Slot(place);
    slot->installEventFilter(this);
    slot->setAttribute(Qt::WA_Hover, true);
    slot->setCursor(Qt::PointingHandCursor);
  }
  FBox = new QComboBox(this);
  FBox->setMaxVisibleItems(10);
  // Styles that pop a non-editable box up as a menu (Fusion among them) ignore the row limit and run the
  // 18 names off the pitch; the list popup keeps it.
  FBox->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  FBox->hide();
  connect(FBox, &QComboBox::activated, this, &TFormationDisplay::BoxSelect);
  Redraw();
}

TFormationDisplay::~TFormationDisplay() = default;

void TFormationDisplay::SetRoles(const TRoleArray& roles) {
  FFormationTeam->SetAllRoleFlags(roles);
  Redraw();
}

bool TFormationDisplay::SetFormation(int code) {
  const bool known = FFormationTeam->SetFormation(code);
  Redraw();
  return known;
}

void TFormationDisplay::Redraw() {
  HideBox();
  SetTeam(*FFormationTeam);
  // The team holds no players: the places show the names the user put there.
  for (int place = 0; place < PlaceCount; ++place) {
    QLabel* slot = Slot(place);
    slot->setText(FNames[static_cast<size_t>(place)]);
    slot->setFrameShadow(place == FHotPlace ? QFrame::Raised : QFrame::Sunken);
  }
  update();
}

void TFormationDisplay::SetNames(const QStringList& fieldNames, const QStringList& keeperNames) {
  FFieldNames = fieldNames;
  FKeeperNames = keeperNames;
  for (int place = 0; place < PlaceCount; ++place) {
    QString& name = FNames[static_cast<size_t>(place)];
    if (!name.isEmpty() && !(place == 0 ? keeperNames : fieldNames).contains(name)) name.clear();
  }
  Redraw();
  emit NamesChanged();
}

QString TFormationDisplay::PlaceName(int place) const {
  if (place < 0 || place >= PlaceCount) return {};
  return FNames[static_cast<size_t>(place)];
}

void TFormationDisplay::SetPlaceName(int place, const QString& name) {
  if (place < 0 || place >= PlaceCount) return;
  if (!name.isEmpty())
    for (int other = 0; other < PlaceCount; ++other)
      if (other != place && FNames[static_cast<size_t>(other)] == name) {
        FNames[static_cast<size_t>(other)].clear();
        Slot(other)->clear();
      }
  FNames[static_cast<size_t>(place)] = name;
  Slot(place)->setText(name);
  emit NamesChanged();
}

void TFormationDisplay::ClearNames() {
  for (int place = 0; place < PlaceCount; ++place) {
    FNames[static_cast<size_t>(place)].clear();
    Slot(place)->clear();
  }
  HideBox();
  emit NamesChanged();
}

void TFormationDisplay::PlaceMouseDown(int place, Qt::MouseButton button) {
  if (place < 0 || place >= PlaceCount) return;
  if (button == Qt::RightButton) {
    HideBox();
    SetPlaceName(place, QString());
    return;
  }
  if (button != Qt::LeftButton) return;
  const QStringList& names = place == 0 ? FKeeperNames : FFieldNames;
  FBox->clear();
  FBox->addItems(names);
  FBox->setCurrentIndex(names.indexOf(FNames[static_cast<size_t>(place)]));
  const QLabel* slot = Slot(place);
  const int shift = static_cast<int>(std::lround(height() / 16.0 / 4.0));
  FBox->setGeometry(slot->x(), slot->y() - shift, slot->width(), std::max(slot->height(), FBox->sizeHint().height()));
  FBoxPlace = place;
  FBox->show();
  FBox->raise();
  FBox->setFocus();
  // Open the list at once, as a click on the place means "choose a name" (not when nothing is on screen).
  if (isVisible() && !names.isEmpty())
    QTimer::singleShot(0, FBox, [box = FBox] {
      if (box->isVisible()) box->showPopup();
    });
}

void TFormationDisplay::BoxSelect(int index) {
  const int place = FBoxPlace;
  const QStringList& names = place == 0 ? FKeeperNames : FFieldNames;
  HideBox();
  if (place < 0 || index < 0 || index >= names.size()) return;
  SetPlaceName(place, names[index]);
}

void TFormationDisplay::HideBox() {
  if (!FBox) return;
  FBox->hide();
  FBoxPlace = -1;
}

void TFormationDisplay::SetHotPlace(int place) {
  if (place == FHotPlace) return;
  if (FHotPlace >= 0) Slot(FHotPlace)->setFrameShadow(QFrame::Sunken);
  FHotPlace = place;
  if (FHotPlace >= 0) Slot(FHotPlace)->setFrameShadow(QFrame::Raised);
}

int TFormationDisplay::PlaceOf(const QObject* widget) const {
  for (int place = 0; place < PlaceCount; ++place)
    if (Slot(place) == widget) return place;
  return -1;
}

bool TFormationDisplay::eventFilter(QObject* watched, QEvent* event) {
  const int place = PlaceOf(watched);
  if (place >= 0) {
    switch (event->type()) {
      case QEvent::Enter:
      case QEvent::HoverEnter:
        SetHotPlace(place);
        break;
      case QEvent::Leave:
      case QEvent::HoverLeave:
        if (FHotPlace == place) SetHotPlace(-1);
        break;
      case QEvent::MouseButtonPress:
        PlaceMouseDown(place, static_cast<QMouseEvent*>(event)->button());
        return true;
      default:
        break;
    }
  }
  return TTeamDisplay::eventFilter(watched, event);
}

void TFormationDisplay::mousePressEvent(QMouseEvent* event) {
  // A click beside the places puts the drop-down away.
  HideBox();
  TTeamDisplay::mousePressEvent(event);
}
