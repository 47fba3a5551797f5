#include "ui/PlayerPanel.h"

#include "core/PlayerVocabulary.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr qreal CornerRadius = 4;
constexpr QRgb BorderColour = 0xFF8C8C8C;
constexpr qreal MinCaptionPointSize = 6;

qreal ScreenRatio() {
  return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QString SpecialtyHint(int specialty) {
  // Known codes only: the name table ends where the pictures end.
  return specialty >= 1 && specialty <= 6 ? QString::fromStdString(SpecialtyName(specialty)) : QString();
}
}  // namespace

const TStarImages& DefaultStarImages() {
  static const TStarImages images = TStarImages::Drawn(ScreenRatio());
  return images;
}

const TSpecialtyImages& DefaultSpecialtyImages() {
  static const TSpecialtyImages images = TSpecialtyImages::Drawn(ScreenRatio());
  return images;
}

const TBehaviourImages& DefaultBehaviourImages() {
  static const TBehaviourImages images = TBehaviourImages::Drawn(ScreenRatio());
  return images;
}

// ---- THeaderPanel -------------------------------------------------------------------------------------

THeaderPanel::THeaderPanel(QWidget* parent) : QWidget(parent) {
  FLeftIcon = new QLabel(this);
  FLeftIcon->setGeometry(0, 0, HeaderIconSize, HeaderIconSize);
  FLeftIcon->hide();
  FRightIcon = new QLabel(this);
  FRightIcon->setGeometry(0, 0, HeaderIconSize, HeaderIconSize);
  FRightIcon->setAttribute(Qt::WA_TransparentForMouseEvents);
  FRightIcon->hide();
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

void THeaderPanel::SetCaption(const QString& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  update();
}

void THeaderPanel::SetStyle(int style) {
  if (style == FStyle) return;
  FStyle = style;
  update();
}

void THeaderPanel::paintEvent(QPaintEvent*) {
  const THeaderColours colours = HeaderColours(FStyle);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // Rounded at the top only: the box's own corners.
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, width(), height() + 2 * CornerRadius), CornerRadius - 1, CornerRadius - 1);
  QPainterPath strip;
  strip.addRect(QRectF(0, 0, width(), height()));
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, QColor::fromRgb(colours.Top));
  gradient.setColorAt(1, QColor::fromRgb(colours.Bottom));
  painter.fillPath(shape.intersected(strip), gradient);

  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor::fromRgb(colours.Text));
  // Room for the icons that show at the edges; a caption without icons may use the whole strip.
  const int left = FLeftIcon && !FLeftIcon->isHidden() ? HeaderIconSize : 2;
  const int right = FRightIcon && !FRightIcon->isHidden() ? HeaderIconSize : 2;
  const int reserve = std::max(left, right);
  const QRect textRect = rect().adjusted(reserve, 0, -reserve, 0);
  // Long captions (translations) get a smaller font before they are cut.
  QFont captionFont = font();
  for (qreal size = captionFont.pointSizeF(); size > MinCaptionPointSize && size > 0; size -= 0.5) {
    if (QFontMetrics(captionFont).horizontalAdvance(FCaption) <= textRect.width()) break;
    captionFont.setPointSizeF(size - 0.5);
  }
  if (QFontMetrics(captionFont).horizontalAdvance(FCaption) > textRect.width()) captionFont.setBold(false);
  painter.setFont(captionFont);
  painter.drawText(textRect, Qt::AlignCenter,
                   QFontMetrics(captionFont).elidedText(FCaption, Qt::ElideRight, textRect.width()));
}

// ---- TNamePanel ---------------------------------------------------------------------------------------

TNamePanel::TNamePanel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setWordWrap(true);
  setFrameShape(QFrame::NoFrame);
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setContentsMargins(2, 0, 2, 1);
}

// ---- TkvPlayerPanel -----------------------------------------------------------------------------------

TkvPlayerPanel::TkvPlayerPanel(QWidget* parent) : QFrame(parent) {
  resize(BoxWidth, BoxHeight);
  setFrameShape(QFrame::NoFrame);
  FHeader = new THeaderPanel(this);
  FHeader->setGeometry(1, 1, BoxWidth - 2, HeaderHeight);
  FSpecialtyImage = FHeader->LeftIcon();
  FBehaviourImage = FHeader->RightIcon();
  FBehaviourImage->move(FHeader->width() - HeaderIconSize, 0);
  FName = new TNamePanel(this);
  FName->setGeometry(1, HeaderHeight + 1, BoxWidth - 2, BoxHeight - HeaderHeight - 2);
  CreateStarStrips();
  SetStarColour(scYellow);
}

TkvPlayerPanel::~TkvPlayerPanel() {
  // The strips live on the parent; when the parent is going away it deletes them itself (QPointer knows).
  delete FBigStars.data();
  delete FSmallStars.data();
}

void TkvPlayerPanel::CreateStarStrips() {
  FBigStars = new TStarStrip(parentWidget());
  FSmallStars = new TStarStrip(parentWidget());
  FBigStars->resize(0, TStarImages::BigSize);
  FSmallStars->resize(0, TStarImages::SmallSize);
  FBigStars->hide();
  FSmallStars->hide();
}

void TkvPlayerPanel::SetImages(const TStarImages* stars, const TSpecialtyImages* specialties,
                               const TBehaviourImages* behaviours) {
  FStarImages = stars;
  FSpecialtyImages = specialties;
  FBehaviourImages = behaviours;
  SetStarColour(FStarColour);
  SetSpecialty(FSpecialty);
  UpdateBehaviourIcon();
}

const TStarImages& TkvPlayerPanel::StarSet() const { return FStarImages ? *FStarImages : DefaultStarImages(); }
const TSpecialtyImages& TkvPlayerPanel::SpecialtySet() const {
  return FSpecialtyImages ? *FSpecialtyImages : DefaultSpecialtyImages();
}
const TBehaviourImages& TkvPlayerPanel::BehaviourSet() const {
  return FBehaviourImages ? *FBehaviourImages : DefaultBehaviourImages();
}

void TkvPlayerPanel::SetPlayerName(const QString& name) {
  FName->setText(name);
  FName->setToolTip(name);
}

QString TkvPlayerPanel::GetPlayerName() const { return FName->text(); }

void TkvPlayerPanel::SetCaption(const QString& caption) { FHeader->SetCaption(caption); }

QString TkvPlayerPanel::GetCaption() const { return FHeader->Caption(); }

void TkvPlayerPanel::SetStarsVisible(bool visible) {
  FStarsVisible = visible;
  UpdateStarVisibility();
}

int TkvPlayerPanel::TotalHeight() const {
  return BoxHeight + (FStarsVisible && !StarSet().IsEmpty() ? StarsHeight : 0);
}

void TkvPlayerPanel::SetStarColour(int colour) {
  FStarColour = colour;
  const TCustomStarImages& pictures = StarSet().ForColour(colour);
  FBigStars->SetPicture(pictures.Big);
  FSmallStars->SetPicture(pictures.Small);
}

void TkvPlayerPanel::SetStars(double stars) {
  FStars = stars;
  if (FBigStars->Picture().isNull() || FSmallStars->Picture().isNull()) SetStarColour(FStarColour);
  // StarWidths holds strange values (negative, not a number, hundreds) to a sane width.
  const TStarWidths widths = StarWidths(stars);
  FBigStars->resize(widths.Big, TStarImages::BigSize);
  FSmallStars->resize(widths.Small, TStarImages::SmallSize);
  PlaceStars();
}

void TkvPlayerPanel::SetSpecialty(int specialty) {
  FSpecialty = specialty;
  const QPixmap* picture = SpecialtySet().ForSpecialty(specialty);
  if (!picture || picture->isNull()) {
    FSpecialtyImage->clear();
    FSpecialtyImage->setToolTip({});
    FSpecialtyImage->hide();
    FHeader->update();
    return;
  }
  FSpecialtyImage->setPixmap(*picture);
  FSpecialtyImage->setToolTip(SpecialtyHint(specialty));
  FSpecialtyImage->show();
  FHeader->update();
}

void TkvPlayerPanel::SetBehaviour(int behaviour) {
  FBehaviour = behaviour;
  UpdateBehaviourIcon();
  UpdatePosition();
}

void TkvPlayerPanel::SetPositionCode(int code) {
  FPositionCode = code;
  // The side decides the sideways offset and arrow of a behaviour already set.
  UpdateBehaviourIcon();
  UpdatePosition();
}

void TkvPlayerPanel::SetHeaderStyle(int style) { FHeader->SetStyle(style); }

void TkvPlayerPanel::SetPlace(int left, int top) {
  FPlace = QPoint(left, top);
  UpdatePosition();
}

void TkvPlayerPanel::UpdateBehaviourIcon() {
  const QPixmap* picture = BehaviourSet().ForIcon(BehaviourIcon(FBehaviour, FPositionCode));
  if (!picture || picture->isNull()) {
    FBehaviourImage->clear();
    FBehaviourImage->hide();
    FHeader->update();
    return;
  }
  FBehaviourImage->setPixmap(*picture);
  FBehaviourImage->show();
  FHeader->update();
}

void TkvPlayerPanel::UpdatePosition() {
  const TOffset offset = BehaviourOffset(FBehaviour, FPositionCode);
  move(FPlace + QPoint(offset.X, offset.Y));
  PlaceStars();
}

void TkvPlayerPanel::PlaceStars() {
  const int big = FBigStars->width();
  const int small = FSmallStars->width();
  const int left = x() + (width() - big - small) / 2;
  const int top = y() + BoxHeight;
  FBigStars->move(left, top);
  FSmallStars->move(left + big, top);
}

void TkvPlayerPanel::UpdateStarVisibility() {
  const bool shown = FStarsVisible && !isHidden() && parentWidget() != nullptr;
  FBigStars->setVisible(shown);
  FSmallStars->setVisible(shown);
}

void TkvPlayerPanel::Clear() {
  FHeader->SetCaption({});
  FPlayerID = 0;
  SetPlayerName({});
  FBehaviour = 0;
  UpdateBehaviourIcon();
  SetSpecialty(0);
  SetStars(0);
  UpdatePosition();
}

void TkvPlayerPanel::ShowBox(const TPlayerBox& box) {
  FHeader->SetCaption(QString::fromStdString(box.Caption));
  FHeader->SetStyle(box.HeaderStyle);
  FPlayerID = box.PlayerID;
  SetPlayerName(QString::fromStdString(box.PlayerName));
  SetSpecialty(box.Specialty);
  FPositionCode = box.PositionCode;
  FBehaviour = box.Behaviour;
  UpdateBehaviourIcon();
  FPlace = QPoint(box.Left, box.Top);
  UpdatePosition();
  SetStars(box.Stars);
  setVisible(box.Visible);
}

void TkvPlayerPanel::setVisible(bool visible) {
  QFrame::setVisible(visible);
  UpdateStarVisibility();
}

void TkvPlayerPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor::fromRgba(BorderColour), 1));
  painter.setBrush(QColor::fromRgba(Background));
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), CornerRadius, CornerRadius);
}

void TkvPlayerPanel::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() != QEvent::ParentChange) return;
  // The stars stay with the box: on its new parent, under it.
  if (FBigStars) FBigStars->setParent(parentWidget());
  if (FSmallStars) FSmallStars->setParent(parentWidget());
  PlaceStars();
  UpdateStarVisibility();
}

void TkvPlayerPanel::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  PlaceStars();
}
