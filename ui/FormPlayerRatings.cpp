#include "ui/FormPlayerRatings.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "ui/MatchGrid.h"
#include "ui/MatchLineupWidget.h"
#include "ui/MatchRatingWidget.h"
#include "ui/Messages.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int Margin = 8;
constexpr int Team1 = 0;
constexpr int Team2 = 1;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A team's name as a page caption: an ampersand in it is a letter, not a mnemonic.
QString PageCaption(const std::string& name) {
  QString caption = Q(name);
  caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return caption;
}

// Season and round as the grid shows them; anything else is no week (no specialties are filled in).
int WeekNumber(const QString& text) {
  try {
    return StrToInt(Trim(text.toStdString()));
  } catch (const EConvertError&) {
    return 0;
  }
}

// One lineup page: the lineup (its extra panel below it on the same page) and the experience line.
QWidget* LineupPage(TkvMatchLineup*& lineup, QLabel*& value) {
  auto* page = new QWidget;
  lineup = new TkvMatchLineup(page);
  lineup->SetStarsVisible(true);
  lineup->move(Margin, Margin);
  const int experienceTop =
      Margin + lineup->height() + TMatchLineupArrangement::ExtraPanelGap + TMatchLineupArrangement::ExtraPanelHeight + Margin;
  auto* caption = new QLabel(Q(_("Total player experience:")), page);
  caption->adjustSize();
  caption->move(Margin, experienceTop);
  value = new QLabel(page);
  QFont bold = value->font();
  bold.setBold(true);
  value->setFont(bold);
  // Just right of its caption, whatever the caption's translated length.
  value->setGeometry(caption->x() + caption->width() + 6, experienceTop, 200, caption->height());
  page->setMinimumSize(TkvTeamDisplay::DisplayWidth + 2 * Margin, experienceTop + caption->height() + Margin);
  return page;
}

// The buttons' arrows, drawn: the theme's arrows are grey symbols that look like disabled buttons.
QIcon ArrowIcon(bool forward) {
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(QSize(16, 16) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (!forward) {
    p.translate(16, 0);
    p.scale(-1, 1);
  }
  QPolygonF arrow;
  arrow << QPointF(2, 6) << QPointF(8, 6) << QPointF(8, 2) << QPointF(14.5, 8) << QPointF(8, 14) << QPointF(8, 10)
        << QPointF(2, 10);
  p.setPen(QPen(QColor(0x1A, 0x4A, 0x8A), 1));
  p.setBrush(QColor(0x3C, 0x7E, 0xD0));
  p.drawPolygon(arrow);
  p.end();
  return QIcon(pixmap);
}

QWidget* RatingPage(TkvMatchRating*& rating) {
  auto* page = new QWidget;
  rating = new TkvMatchRating(page);
  rating->move(Margin, Margin);
  page->setMinimumSize(rating->width() + 2 * Margin, rating->height() + 2 * Margin);
  return page;
}
}  // namespace

TFormPlayerRatings::TFormPlayerRatings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  FormCreate();
}

TFormPlayerRatings::~TFormPlayerRatings() = default;

void TFormPlayerRatings::FormCreate() {
  setWindowTitle(Q(_("Player Ratings and Team Formation")));
  setModal(false);

  FPages = new QTabWidget(this);
  FLineupPages = new QTabWidget;
  FLineupPages->addTab(LineupPage(FMatchLineupOwn, FLabelXP), QStringLiteral("Team1"));
  FLineupTeam2 = LineupPage(FMatchLineupOpp, FLabelXPOpponent);
  FLineupPages->addTab(FLineupTeam2, QStringLiteral("Team2"));
  FRatingPages = new QTabWidget;
  FRatingPages->addTab(RatingPage(FMatchRatingOwn), QStringLiteral("Team1"));
  FRatingPages->addTab(RatingPage(FMatchRatingOpp), QStringLiteral("Team2"));
  FPages->addTab(FLineupPages, Q(_("&Lineup")));
  FPages->addTab(FRatingPages, Q(_("&Rating")));
  // The opponent's display draws with the own display's pictures.
  FMatchLineupOpp->CopyImagesFrom(*FMatchLineupOwn);
  FMatchLineupOpp->SetStarsVisible(true);

  FButtonPrev = new QPushButton(ArrowIcon(false), Q(_("&Prev")));
  FButtonNext = new QPushButton(ArrowIcon(true), Q(_("&Next")));
  FButtonPrev->setAutoDefault(false);
  FButtonNext->setAutoDefault(false);
  connect(FButtonPrev, &QPushButton::clicked, this, &TFormPlayerRatings::ButtonPrevClick);
  connect(FButtonNext, &QPushButton::clicked, this, &TFormPlayerRatings::ButtonNextClick);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(FButtonPrev);
  bottom->addWidget(FButtonNext);
  bottom->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FPages);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Page Up and Page Down act as Prev and Next wherever the focus is in the window.
  auto* pageUp = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
  auto* pageDown = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
  connect(pageUp, &QShortcut::activated, this, &TFormPlayerRatings::ButtonPrevClick);
  connect(pageDown, &QShortcut::activated, this, &TFormPlayerRatings::ButtonNextClick);

  ShowView();
}

void TFormPlayerRatings::Input(const pugi::xml_node& matchData, int season, int week) {
  try {
    FView.Input(matchData, season, week, FHistory ? *FHistory : History());
  } catch (const EPitchbookError& e) {
    ShowErrorMessage(this, Q(e.what()));
    return;
  }
  ShowView();
}

void TFormPlayerRatings::ShowView() {
  const QString team1 = PageCaption(FView.Team1Caption());
  const QString team2 = PageCaption(FView.Team2Caption());
  for (QTabWidget* pages : {FLineupPages, FRatingPages}) {
    pages->setTabText(Team1, team1);
    pages->setTabText(Team2, team2);
  }
  FLabelXP->setText(Q(FView.LabelXP()));
  FLabelXPOpponent->setText(Q(FView.LabelXPOpponent()));
  FMatchLineupOwn->ShowArrangement(FView.MatchLineupOwn());
  FMatchLineupOpp->ShowArrangement(FView.MatchLineupOpp());
  FMatchRatingOwn->ShowModel(FView.MatchRatingOwn());
  FMatchRatingOpp->ShowModel(FView.MatchRatingOpp());
  const bool opponent = FView.OpponentLineupShown();
  if (!opponent && FLineupPages->currentIndex() == Team2) FLineupPages->setCurrentIndex(Team1);
  FLineupPages->setTabVisible(Team2, opponent);
}

void TFormPlayerRatings::AttachGrid(TMatchGrid* grid) {
  if (!grid) return;
  connect(grid, &TMatchGrid::PlayerRatingsRequested, this, &TFormPlayerRatings::ShowMatch, Qt::UniqueConnection);
}

void TFormPlayerRatings::ShowForGrid(TMatchGrid* grid) {
  AttachGrid(grid);
  if (grid) {
    FGrid = grid;
    grid->OpenCurrentMatch();
  }
  if (!isVisible()) show();
  raise();
  activateWindow();
}

TMatchGrid* TFormPlayerRatings::CurrentGrid() const {
  if (FGridChooser) return FGridChooser();
  return FGrid.data();
}

void TFormPlayerRatings::ShowMatch(const pugi::xml_node& matchData, const QString& season, const QString& round) {
  if (auto* grid = qobject_cast<TMatchGrid*>(sender())) FGrid = grid;
  if (!isVisible()) show();
  raise();
  Input(matchData, WeekNumber(season), WeekNumber(round));
}

void TFormPlayerRatings::ButtonPrevClick() { Step(false); }

void TFormPlayerRatings::ButtonNextClick() { Step(true); }

void TFormPlayerRatings::Step(bool forward) {
  TMatchGrid* grid = CurrentGrid();
  if (!grid) return;
  // The grid hands the row's match back through PlayerRatingsRequested.
  AttachGrid(grid);
  if (forward)
    grid->SelectNextRow();
  else
    grid->SelectPreviousRow();
  grid->OpenCurrentMatch();
}

void TFormPlayerRatings::CentreOnParent() {
  QWidget* owner = parentWidget();
  if (!owner) return;
  const QRect area = owner->window()->frameGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void TFormPlayerRatings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (!FCentred) {
    FCentred = true;
    CentreOnParent();
  }
  emit Opened();
}

void TFormPlayerRatings::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // Minimising hides the window too, but the window is still open.
  if (!event->spontaneous()) emit Closed();
}
