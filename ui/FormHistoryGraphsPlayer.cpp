// The graphs window's player pages: General with the best and latest match, the player's charts, and the
// Training page with the past weeks, the progress bars and the future-training estimate.
#include "ui/FormHistoryGraphs.h"

#include "core/Intl.h"
#include "core/Player.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistorySeries.h"
#include "data/TrainingData.h"
#include "ui/HistoryGraph.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {
QString Tr(const char* text) { return QString::fromUtf8(_(text)); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

const char* const SkillCaptions[8] = {N_("Stamina"), N_("Playmaking"), N_("Winger"),    N_("Scoring"),
                                      N_("Keeper"),  N_("Passing"),    N_("Defending"), N_("Set pieces")};

const char* const MatchRows[] = {N_("Position"), N_("Behaviour"), N_("Opponent"), N_("Season"),
                                 N_("Matchday"), N_("Weather"),   N_("Form"),     N_("Experience")};
const char* const MatchRowKeys[] = {"Position", "Behaviour", "Opponent", "Season",
                                    "Matchday", "Weather",   "Form",     "Experience"};

// Whole stars and a half star, drawn as a row of five-pointed stars.
QPixmap StarsPixmap(double stars) {
  constexpr int Size = 18;
  const int whole = static_cast<int>(std::floor(stars));
  const bool half = stars - whole >= 0.5;
  const int count = std::max(1, whole + (half ? 1 : 0));
  QPixmap pixmap(count * Size, Size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath star;
  for (int k = 0; k < 10; ++k) {
    const double radius = k % 2 == 0 ? Size / 2.0 - 1 : Size / 5.0;
    const double angle = -M_PI / 2 + k * M_PI / 5;
    const QPointF p(Size / 2.0 + radius * std::cos(angle), Size / 2.0 + radius * std::sin(angle));
    if (k == 0)
      star.moveTo(p);
    else
      star.lineTo(p);
  }
  star.closeSubpath();
  for (int i = 0; i < whole + (half ? 1 : 0); ++i) {
    painter.save();
    painter.translate(i * Size, 0);
    if (half && i == whole) painter.setClipRect(QRectF(0, 0, Size / 2.0, Size));
    painter.setPen(QPen(QColor(160, 110, 0), 1));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawPath(star);
    painter.restore();
  }
  return pixmap;
}

QTreeWidget* NewList(const QStringList& titles, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setHeaderLabels(titles);
  list->header()->setDefaultAlignment(Qt::AlignCenter);
  return list;
}
}  // namespace

// ---- Construction -------------------------------------------------------------------------------------------
QWidget* TFormHistoryGraphs::BuildGeneralPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  FGeneralPanel = new QWidget(page);
  auto* general = new QVBoxLayout(FGeneralPanel);
  general->setContentsMargins(4, 4, 4, 4);
  QLabel* name = NewLabel("LabelName", FGeneralPanel, true);
  general->addWidget(name);
  for (const char* key : {"LabelAge", "LabelPersonality", "LabelExperience", "LabelSpeciality"}) {
    QLabel* label = NewLabel(key, FGeneralPanel);
    label->setWordWrap(true);
    general->addWidget(label);
  }
  auto* facts = new QFormLayout;
  facts->addRow(Tr(N_("Nationality:")), NewLabel("LabelNationality", FGeneralPanel));
  facts->addRow(Tr(N_("TSI:")), NewLabel("LabelTSI", FGeneralPanel));
  facts->addRow(Tr(N_("Wage:")), NewLabel("LabelWage", FGeneralPanel));
  facts->addRow(Tr(N_("Warnings:")), NewLabel("LabelWarnings", FGeneralPanel));
  general->addSpacing(6);
  general->addLayout(facts);
  auto* skills = new QGroupBox(Tr(N_("Skills")), FGeneralPanel);
  auto* skillGrid = new QGridLayout(skills);
  for (int s = 0; s < 8; ++s) {
    skillGrid->addWidget(new QLabel(Tr(SkillCaptions[s]) + ":", skills), s % 4, (s / 4) * 2);
    skillGrid->addWidget(NewLabel(QString("LabelSkill%1").arg(s + paStamina), skills, true), s % 4, (s / 4) * 2 + 1);
  }
  skillGrid->setColumnStretch(1, 1);
  skillGrid->setColumnStretch(3, 1);
  general->addWidget(skills);
  auto* goals = new QGroupBox(Tr(N_("Goals")), FGeneralPanel);
  auto* goalGrid = new QGridLayout(goals);
  const char* goalCaptions[] = {N_("Career goals:"), N_("Career kickvales:"), N_("League goals:"), N_("Cup goals:")};
  const char* goalKeys[] = {"LabelCareerGoals", "LabelCareerKickvales", "LabelLeagueGoals", "LabelCupGoals"};
  for (int g = 0; g < 4; ++g) {
    goalGrid->addWidget(new QLabel(Tr(goalCaptions[g]), goals), g % 2, (g / 2) * 2);
    goalGrid->addWidget(NewLabel(goalKeys[g], goals, true), g % 2, (g / 2) * 2 + 1);
  }
  goalGrid->setColumnStretch(1, 1);
  goalGrid->setColumnStretch(3, 1);
  general->addWidget(goals);
  general->addStretch(1);
  layout->addWidget(FGeneralPanel, 3);

  auto* matches = new QVBoxLayout;
  matches->addWidget(BuildMatchPanel(Tr(N_("Best Performance")), "LabelBest"));
  matches->addWidget(BuildMatchPanel(Tr(N_("Latest Match")), "LabelLatest"));
  matches->addStretch(1);
  layout->addLayout(matches, 2);
  return page;
}

QGroupBox* TFormHistoryGraphs::BuildMatchPanel(const QString& title, const QString& prefix) {
  auto* box = new QGroupBox(title);
  auto* form = new QFormLayout(box);
  QLabel* stars = NewLabel(prefix + "Stars", box);
  stars->setMinimumHeight(20);
  form->addRow(Tr(N_("Stars:")), stars);
  for (size_t r = 0; r < std::size(MatchRows); ++r)
    form->addRow(Tr(MatchRows[r]) + ":", NewLabel(prefix + MatchRowKeys[r], box));
  return box;
}

QWidget* TFormHistoryGraphs::BuildTrainingPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(Tr(N_("Past training")), page));
  FPastTraining = NewList({Tr(N_("Week")), Tr(N_("Train Type")), Tr(N_("Skill")), Tr(N_("Stamina Share")), Tr(N_("Position")),
                           Tr(N_("Level")), Tr(N_("Last Train")), Tr(N_("Total Train")), Tr(N_("Form")), Tr(N_("TSI"))},
                          page);
  FPastTraining->setObjectName("ListPastTraining");
  layout->addWidget(FPastTraining, 3);

  auto* lower = new QHBoxLayout;
  auto* barsBox = new QGroupBox(Tr(N_("Progress towards the next level")), page);
  auto* bars = new QGridLayout(barsBox);
  for (int s = 0; s < 8; ++s) {
    bars->addWidget(new QLabel(Tr(SkillCaptions[s]), barsBox), s, 0);
    auto* bar = new QProgressBar(barsBox);
    bar->setRange(0, 100);
    bar->setFormat("%v%");
    bar->setMaximumHeight(16);
    FTrainingBars[s] = bar;
    bars->addWidget(bar, s, 1);
  }
  lower->addWidget(barsBox, 2);

  auto* futureBox = new QGroupBox(Tr(N_("Future training")), page);
  auto* future = new QHBoxLayout(futureBox);
  auto* settings = new QFormLayout;
  FComboTrainingType = new QComboBox(futureBox);
  for (int type = 0; type < TrainingTypeCount; ++type) FComboTrainingType->addItem(QString::fromUtf8(TrainingTypeName(type)));
  FEditIntensity = new QSpinBox(futureBox);
  FEditIntensity->setRange(0, 100);
  FEditIntensity->setSuffix("%");
  FEditCoach = new QSpinBox(futureBox);
  FEditCoach->setRange(1, 20);
  FEditAge = new QSpinBox(futureBox);
  FEditAge->setRange(15, 45);
  FEditStaminaShare = new QSpinBox(futureBox);
  FEditStaminaShare->setRange(0, 100);
  FEditStaminaShare->setSuffix("%");
  FCheckExcludeOffSeason = new QCheckBox(Tr(N_("Exclude off-season period")), futureBox);
  FCheckHalfTraining = new QCheckBox(Tr(N_("Consider half training")), futureBox);
  settings->addRow(Tr(N_("Training type:")), FComboTrainingType);
  settings->addRow(Tr(N_("Intensity:")), FEditIntensity);
  settings->addRow(Tr(N_("Coach:")), FEditCoach);
  settings->addRow(Tr(N_("Age:")), FEditAge);
  settings->addRow(Tr(N_("Stamina share:")), FEditStaminaShare);
  settings->addRow(FCheckExcludeOffSeason);
  settings->addRow(FCheckHalfTraining);
  future->addLayout(settings);
  FFutureTraining = NewList({Tr(N_("Level")), Tr(N_("Weeks")), Tr(N_("Age"))}, futureBox);
  FFutureTraining->setObjectName("ListFutureTraining");
  FFutureTraining->setColumnWidth(0, 110);
  FFutureTraining->setColumnWidth(1, 80);
  FFutureTraining->setColumnWidth(2, 40);
  FFutureTraining->setMinimumWidth(110 + 80 + 40 + 24);
  future->addWidget(FFutureTraining, 1);
  lower->addWidget(futureBox, 3);
  layout->addLayout(lower, 2);

  auto update = [this] { UpdateFutureTraining(); };
  connect(FComboTrainingType, &QComboBox::currentIndexChanged, this, update);
  for (QSpinBox* edit : {FEditIntensity, FEditCoach, FEditAge, FEditStaminaShare})
    connect(edit, &QSpinBox::valueChanged, this, update);
  connect(FCheckExcludeOffSeason, &QCheckBox::toggled, this, update);
  connect(FCheckHalfTraining, &QCheckBox::toggled, this, update);
  return page;
}

// ---- Showing a player ---------------------------------------------------------------------------------------
void TFormHistoryGraphs::ShowPlayerData() {
  const int64_t id = FPlayer ? FPlayer->PlayerID : 0;
  FLabelPlayerName->setText(FPlayer ? FromUtf8(FPlayer->PlayerName) : QString());
  const TPlayerHistorySeries series = PlayerHistorySeries(FHistory, id);
  for (int s = 0; s < SkillSeriesCount; ++s) Graph(hgSkills)->SetLinePoints(s, series.Skills[s]);
  for (int s = 0; s < PositionSeriesCount; ++s) Graph(hgPositions)->SetLinePoints(s, series.Positions[s]);
  Graph(hgStars)->SetLinePoints(0, series.Stars);
  Graph(hgTSI)->SetLinePoints(0, series.TSI);
  ShowGeneral();
  const TPlayerMatches matches = PlayerMatches(FHistory, id);
  ShowMatch("LabelBest", matches.Best);
  ShowMatch("LabelLatest", matches.Latest);
  ShowTraining();
}

void TFormHistoryGraphs::ShowGeneral() {
  const THistoryPage* current = FHost.CurrentPage ? FHost.CurrentPage() : nullptr;
  TPlayerGeneral g;
  try {
    if (FPlayer) g = PlayerGeneral(FHistory, FPlayer->PlayerID, current);
  } catch (const std::exception&) {
    g.Present = false;  // a display currency the program does not know
  }
  FGeneralPanel->setVisible(g.Present);
  auto set = [this](const char* name, const std::string& text) { FindLabel(name)->setText(FromUtf8(text)); };
  set("LabelName", g.NameLine);
  set("LabelAge", g.AgeLine);
  set("LabelPersonality", g.PersonalityLine);
  set("LabelExperience", g.ExperienceLine);
  set("LabelSpeciality", g.Speciality);
  FindLabel("LabelSpeciality")->setVisible(!g.Speciality.empty());
  set("LabelNationality", g.Nationality);
  set("LabelTSI", g.TSI);
  set("LabelWage", g.Wage);
  set("LabelWarnings", g.Warnings);
  for (int s = 0; s < 8; ++s) FindLabel(QString("LabelSkill%1").arg(s + paStamina))->setText(FromUtf8(g.Skills[s]));
  set("LabelCareerGoals", g.CareerGoals);
  set("LabelCareerKickvales", g.CareerKickvales);
  set("LabelLeagueGoals", g.LeagueGoals);
  set("LabelCupGoals", g.CupGoals);
}

void TFormHistoryGraphs::ShowMatch(const QString& prefix, const TPlayedMatch& match) {
  QLabel* stars = FindLabel(prefix + "Stars");
  if (match.Found) {
    stars->setPixmap(StarsPixmap(match.Stars));
    stars->setToolTip(QString::fromStdString(FloatToStr(match.Stars)));
  } else {
    stars->setPixmap(QPixmap());
    stars->setText(Tr(N_("No match")));
    stars->setToolTip(QString());
  }
  const std::string values[] = {match.Position,
                                match.Behaviour,
                                match.Opponent,
                                match.Found ? std::to_string(match.Season) : std::string(),
                                match.Found ? std::to_string(match.Matchday) : std::string(),
                                match.Weather,
                                match.Form,
                                match.Experience};
  for (size_t r = 0; r < std::size(MatchRowKeys); ++r) FindLabel(prefix + MatchRowKeys[r])->setText(FromUtf8(values[r]));
}

void TFormHistoryGraphs::ShowTraining() {
  const int64_t id = FPlayer ? FPlayer->PlayerID : 0;
  FPastTraining->clear();
  QList<QTreeWidgetItem*> items;
  for (const TPastTrainingRow& row : PastTraining(FHistory, id)) {
    auto* item = new QTreeWidgetItem(QStringList{FromUtf8(row.Week), FromUtf8(row.TrainType), FromUtf8(row.Skill),
                                                 FromUtf8(row.StaminaShare), FromUtf8(row.Position),
                                                 FromUtf8(row.Level), FromUtf8(row.LastTrain),
                                                 FromUtf8(row.TotalTrain), FromUtf8(row.Form), FromUtf8(row.TSI)});
    for (int c = 0; c < 10; ++c) item->setTextAlignment(c, c == 1 || c == 2 || c == 4 ? Qt::AlignLeft : Qt::AlignCenter);
    items << item;
  }
  FPastTraining->addTopLevelItems(items);
  for (int c = 0; c < FPastTraining->columnCount(); ++c) FPastTraining->resizeColumnToContents(c);
  const std::array<int, 8> bars = TrainingBars(FHistory, id);
  for (int s = 0; s < 8; ++s) FTrainingBars[s]->setValue(bars[s]);
  ResetFutureTrainingSettings();
}

void TFormHistoryGraphs::ResetFutureTrainingSettings() {
  FFutureUpdating = true;
  if (FHistory.Count() > 0) {
    THistoryPage& newest = FHistory.Latest();
    FComboTrainingType->setCurrentIndex(std::clamp(newest.Training.TrainingType, 0, TrainingTypeCount - 1));
    FEditIntensity->setValue(newest.Training.TrainingLevel);
    FEditStaminaShare->setValue(newest.Training.StaminaTrainingPart);
    int coach = 7;
    if (const TPlayer* trainer = newest.GetTrainer()) {
      try {
        coach = StrToInt(trainer->TrainerSkill);
      } catch (const std::exception&) {
      }
    }
    FEditCoach->setValue(coach);
    const TPlayer* inNewest = FPlayer ? newest.FindPlayer(FPlayer->PlayerID) : nullptr;
    FEditAge->setValue(inNewest ? inNewest->Age : FPlayer ? FPlayer->Age : 17);
  }
  FFutureUpdating = false;
  UpdateFutureTraining();
}

void TFormHistoryGraphs::UpdateFutureTraining() {
  if (FFutureUpdating) return;
  FFutureTraining->clear();
  if (!FPlayer) return;
  TFutureTrainingInput in;
  in.TrainingType = FComboTrainingType->currentIndex();
  in.Intensity = FEditIntensity->value();
  in.CoachLevel = FEditCoach->value();
  in.Age = FEditAge->value();
  in.StaminaShare = FEditStaminaShare->value();
  in.ExcludeOffSeason = FCheckExcludeOffSeason->isChecked();
  in.HalfTraining = FCheckHalfTraining->isChecked();
  if (!FutureTrainingStart(FHistory, FPlayer->PlayerID, in)) {
    // Not in the newest snapshot: start from the grid's record without any progress.
    const int skill = FutureTrainingSkill(in.TrainingType);
    in.Skill = skill ? FPlayer->GetValue(skill) : 0;
    in.Progress = 0;
    in.Round = FHistory.Count() > 0 ? FHistory.Latest().World.MatchRound : 1;
  }
  QList<QTreeWidgetItem*> items;
  for (const TFutureTrainingRow& row : FutureTraining(in)) {
    auto* item = new QTreeWidgetItem(QStringList{FromUtf8(row.Level), FromUtf8(row.Weeks), QString::number(row.Age)});
    item->setTextAlignment(1, Qt::AlignRight);
    item->setTextAlignment(2, Qt::AlignCenter);
    items << item;
  }
  FFutureTraining->addTopLevelItems(items);
}
