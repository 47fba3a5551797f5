#include "ui/PlayerGrid.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/PositionRatings.h"
#include "core/ClipboardLine.h"
#include "core/TrainingProgressSource.h"
#include "core/Utils.h"
#include "data/Currencies.h"
#include "data/History.h"
#include "data/HistoryPage.h"
#include "data/Money.h"
#include "ui/GridImages.h"

#include <QPainter>

#include <cmath>

namespace {
using namespace GridColors;

constexpr int FirstSkillColumn = paStamina;        // 3
constexpr int LastModifiedColumn = paDefending;    // 9: specialty/weather effects
constexpr int LastTrainedColumn = paSetPieces;     // 10: training effects
constexpr int FirstRatingColumn = paForwardRating;  // 30
constexpr int LastRatingColumn = paBestRating;      // 37
constexpr int FirstReadColumn = 0;
constexpr int LastReadColumn = 29;
constexpr int TrainerTypeColumn = 28;
constexpr int TrainerSkillColumn = 29;
constexpr int PlayerIDColumn = paPlayerID;

constexpr QRgb ComparisonBetter = 0xFF90FF90;  // 144,255,144
constexpr QRgb ComparisonWorse = 0xFFFAD8E6;   // 250,216,230
constexpr QRgb BestPosition = 0xFF00FFFF;

bool IsRatingColumn(int col) { return col >= FirstRatingColumn && col <= LastRatingColumn; }

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The value tables of columns 24..27; an empty text outside the table.
QString ValueName(int col, int value, bool shortName) {
  try {
    switch (col) {
      case paSpecialty: return FromUtf8(SpecialtyName(value, shortName));
      case paAgreeability: return FromUtf8(AgreeabilityName(value, shortName));
      case paHonesty: return FromUtf8(HonestyName(value, shortName));
      case paAggressiveness: return FromUtf8(AggressivenessName(value, shortName));
      default: return {};
    }
  } catch (const ERangeError&) {
    return {};
  }
}

// The league (country) name of a country ID 1..140; empty for empty slots and anything else.
QString CountryName(int countryID) {
  if (countryID < 1 || countryID > LeagueCurrencySlots) return {};
  return QString::fromUtf8(LeagueCurrencyOf(countryID).LeagueName);
}

int64_t Trunc(double value) { return static_cast<int64_t>(std::trunc(value)); }
}  // namespace

const std::array<TFieldData, PlayerColumnCount> PlayerColumnTable{{
    {N_("Name"), N_("Player name"), "PlayerName", "", fkText, faLeft, 144, Black, true, GreenGrey},
    {N_("Cou"), N_("Country ID"), "CountryID", "", fkInteger, faCenter, 28, Black, false, GreenGrey},
    {N_("ID"), N_("Player ID"), "PlayerID", "", fkInteger, faCenter, 60, Black, false, GreenGrey},
    {N_("Stm"), N_("Stamina"), "Stamina", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Pm"), N_("Playmaking"), "Playmaking", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Wng"), N_("Winger"), "Winger", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Scr"), N_("Scoring"), "Scoring", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Kpr"), N_("Keeper"), "Keeper", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Pas"), N_("Passing"), "Passing", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Def"), N_("Defending"), "Defending", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("SP"), N_("Set pieces"), "SetPieces", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Frm"), N_("Form"), "Form", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Xp"), N_("Experience"), "Experience", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Ldr"), N_("Leadership"), "Leadership", "", fkInteger, faCenter, 25, Black, false, Cream},
    {N_("Wrn"), N_("Warnings"), "Warnings", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Inj"), N_("Injury time"), "InjuryTime", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Age"), N_("Age"), "Age", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("TSI"), N_("Total Skill Index"), "TSI", "", fkInteger, faRight, 50, Black, false, White},
    {N_("Wag"), N_("Wage"), "Wage", "", fkInteger, faRight, 50, Black, false, White},
    {N_("Goal"), N_("Career goals"), "CareerGoals", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("LeG"), N_("League goals"), "LeagueGoals", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("CuG"), N_("Cup goals"), "CupGoals", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("FrG"), N_("Friendly goals"), "FriendlyGoals", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Kck"), N_("Career kickvales"), "CareerKickvales", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Spe"), N_("Specialty"), "Specialty", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Agr"), N_("Agreeability"), "Agreeability", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Hon"), N_("Honesty"), "Honesty", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("Agg"), N_("Aggressiveness"), "Aggressiveness", "", fkInteger, faCenter, 25, Black, false, White},
    {N_("TrT"), N_("Trainer type"), "TrainerType", "", fkText, faCenter, 25, Black, false, White},
    {N_("TrS"), N_("Trainer skill"), "TrainerSkill", "", fkText, faCenter, 25, Black, false, White},
    {N_("F"), N_("Forward"), "Forward", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("W"), N_("Winger"), "Wing", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("IM"), N_("Inner Midfielder"), "InnerMidfielder", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("WB"), N_("Winger back"), "WingBack", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("CD"), N_("Central Defender"), "CentralDefender", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("GK"), N_("Keeper"), "Goalkeeper", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("PT"), N_("Penalty taker"), "PenaltyTaker", "", fkFloat, faCenter, 30, Black, true, Cream},
    {N_("Max"), N_("Maximum"), "Maximum", "", fkFloat, faCenter, 30, Blue, true, Cream},
}};

TPlayerGrid::TPlayerGrid(QWidget* parent) : TAdvGrid(PlayerColumnTable, parent) {
  for (int c = 0; c < ColCount(); ++c) SetColumnVisible(c, Preferences().GetPlayerColumn(c));
}

// ---- Display modes -------------------------------------------------------------------------------------------
bool TPlayerGrid::SetWeather(int weather) {
  if (weather == FModes.Weather) return false;
  FModes.Weather = weather;
  RecalculateAllRatings();
  InvalidateColumns(FirstSkillColumn, LastModifiedColumn);
  return true;
}

bool TPlayerGrid::SetTrainingOn(bool on) {
  if (on == FModes.Training) return false;
  FModes.Training = on;
  RecalculateAllRatings();
  InvalidateColumns(FirstSkillColumn, LastTrainedColumn);
  return true;
}

bool TPlayerGrid::SetAssumePassableForms(bool on) {
  if (on == FModes.AssumePassableForms) return false;
  FModes.AssumePassableForms = on;
  RecalculateAllRatings();
  InvalidateColumn(paForm);
  InvalidateColumns(FirstRatingColumn, LastRatingColumn);
  return true;
}

bool TPlayerGrid::SetComparison(bool on, int comparisonPage) {
  if (on == FModes.Comparison && comparisonPage == FModes.ComparisonPage) return false;
  FModes.Comparison = on;
  FModes.ComparisonPage = comparisonPage;
  InvalidateColumns(FirstSkillColumn, paCareerKickvales);
  return true;
}

std::unique_ptr<TPlayer> TPlayerGrid::NewPlayer() const {
  return std::make_unique<TPlayer>(FModes.Weather, FModes.Training, FModes.AssumePassableForms);
}

void TPlayerGrid::InvalidateColumns(int first, int last) {
  for (int c = first; c <= last; ++c) InvalidateColumn(c);
}

// ---- Rows and players ------------------------------------------------------------------------------------------
QString TPlayerGrid::UniqueName(const QString& name) const {
  auto taken = [this](const QString& candidate) {
    for (int r = FixedRows; r < RowCount(); ++r)
      if (Cell(0, r) == candidate) return true;
    return false;
  };
  QString result = name;
  for (int n = 1; taken(result); ++n) result = QString::fromStdString(FormatText("%s (%d)", name.toStdString().c_str(), n));
  return result;
}

void TPlayerGrid::AddPlayer(TPlayer& player) {
  BeginUpdate();
  const QString name = UniqueName(QString::fromStdString(player.PlayerName));
  const int row = AppendRow();
  player.Weather = wDisabled;
  // The cache may hold ratings of another weather.
  player.ClearRatings();
  for (int c = 0; c < ColCount(); ++c) {
    const TFieldData& field = Field(c);
    try {
      if (c == 0)
        SetCell(c, row, name);
      else if (c == TrainerTypeColumn)
        SetCell(c, row, QString::fromStdString(player.TrainerType));
      else if (c == TrainerSkillColumn)
        SetCell(c, row, QString::fromStdString(player.TrainerSkill));
      else if (field.Kind == fkInteger)
        SetCellInt(c, row, Trunc(player.GetValue(c)));  // 64 bits: player IDs may be wide
      else if (field.Kind == fkFloat)
        SetCellFloat(c, row, player.GetValue(c));
    } catch (const EPitchbookError&) {
      // A record out of range (a specialty the tables do not know) shows 0 rather than failing the load.
      SetCell(c, row, QStringLiteral("0"));
    }
    // Negative values show as 0; an injury level of -1 means healthy and stays.
    if (c != paInjuryLevel && Cell(c, row).startsWith(QLatin1Char('-'))) SetCell(c, row, QStringLiteral("0"));
  }
  // The rating columns follow the grid's weather and modes, as every other row's do: the record's own
  // ratings are those of its modes, not the grid's.
  RecalculateRatings(row, row);
  EndUpdate();
}

void TPlayerGrid::ReadRow(TPlayer& player, int row) const {
  if (row == -1) row = Row();
  for (int c = FirstReadColumn; c <= LastReadColumn; ++c) {
    const QString text = Cell(c, row);
    if (c == 0) {
      player.PlayerName = text.toStdString();
    } else if (c == TrainerTypeColumn) {
      player.TrainerType = text.toStdString();
    } else if (c == TrainerSkillColumn) {
      player.TrainerSkill = text.toStdString();
    } else {
      double value = 0;
      const std::string trimmed = Trim(text.toStdString());
      if (!trimmed.empty()) {
        // A damaged grid file may hold anything here: such a cell reads as 0 instead of failing the row.
        try {
          value = StrToFloat(trimmed);
        } catch (const EConvertError&) {
          value = 0;
        }
      }
      try {
        player.SetValue(c, value);
      } catch (const ERangeError&) {
        player.SetValue(c, 0);
      }
    }
  }
}

void TPlayerGrid::ReadAll(TPlayerList& list) const {
  if (IsEmpty()) return;
  for (int r = FixedRows; r < RowCount(); ++r) {
    auto player = NewPlayer();
    ReadRow(*player, r);
    list.Add(std::move(player));
  }
}

void TPlayerGrid::LoadPlayers(TPlayerList& players, const TPlayer* skip) {
  // One repaint for the whole squad, also when a player fails.
  struct TBatch {
    TAdvGrid& Grid;
    explicit TBatch(TAdvGrid& grid) : Grid(grid) { Grid.BeginUpdate(); }
    ~TBatch() { Grid.EndUpdate(); }
  };
  {
    TBatch batch(*this);
    for (TPlayer& player : players)
      if (&player != skip) AddPlayer(player);
  }
  Resort();
}

void TPlayerGrid::LoadPage(THistoryPage& page) {
  const TPlayer* skip = Preferences().DoNotImportCoach ? page.GetTrainer() : nullptr;
  LoadPlayers(page.Players, skip);
}

void TPlayerGrid::CopyAllTo(TPlayerGrid& target) {
  auto snapshot = std::make_unique<THistoryPage>();
  ReadAll(snapshot->Players);
  target.LoadPage(*snapshot);
  SelectRow(FixedRows);
}

void TPlayerGrid::RecalculateRatings(int firstRow, int lastRow) {
  firstRow = std::max(firstRow, int(FixedRows));
  lastRow = std::min(lastRow, RowCount() - 1);
  auto player = NewPlayer();
  BeginUpdate();
  for (int r = firstRow; r <= lastRow; ++r) {
    ReadRow(*player, r);
    player->ClearRatings();
    try {
      for (int c = FirstRatingColumn; c <= LastRatingColumn; ++c) {
        // As when the row was added: a negative rating (a keeper's for a field player) shows as 0.
        const double rating = player->GetValue(c);
        SetCellFloat(c, r, rating < 0 ? 0 : rating);
      }
    } catch (const ERangeError&) {
      // A specialty outside the tables has no ratings; the row keeps the ones it has.
    }
  }
  EndUpdate();
  InvalidateColumns(FirstRatingColumn, LastRatingColumn);
  Resort();
}

void TPlayerGrid::RecalculateAllRatings() {
  if (!IsEmpty()) RecalculateRatings(FixedRows, RowCount() - 1);
}

void TPlayerGrid::SortPlayers(int col, uint8_t flags, uint8_t kind) {
  SortBy(col, flags, kind);
  SetHint(QString());
}

void TPlayerGrid::HeaderSort(int col, uint8_t flags, uint8_t kind) { SortPlayers(col, flags, kind); }

// ---- Editing -----------------------------------------------------------------------------------------------------
bool TPlayerGrid::CanEditCell(int col, int row) const {
  return col < TrainerTypeColumn && TAdvGrid::CanEditCell(col, row);
}

bool TPlayerGrid::AcceptCellText(int col, int, QString& text) const {
  if (col >= TrainerTypeColumn) return false;
  if (Field(col).Kind != fkInteger) return true;
  const std::string typed = text.toStdString();
  if (!IsIntegerText(typed)) return false;
  const int value = StrToInt(typed);
  if (col == paInjuryLevel && (value < -1 || value > 9)) return false;
  if (col == paForm && value > 8) return false;
  if (col == paSpecialty && (value < 0 || value > 6)) return false;
  if (col != paInjuryLevel && value < 0) return false;
  text = QString::number(value);  // "007" is stored as "7"
  return true;
}

void TPlayerGrid::CellEdited(int, int row) { RecalculateRatings(row, row); }

// ---- Effects and looks ---------------------------------------------------------------------------------------------
int64_t TPlayerGrid::RowPlayerID(int row) const { return Cell(PlayerIDColumn, row).trimmed().toLongLong(); }

double TPlayerGrid::SpecialtyModifier(int col, int row) const {
  if (col < FirstSkillColumn || col > LastModifiedColumn) return 0;
  const int specialty = GetCellInt(paSpecialty, row);
  if (specialty < 0 || specialty >= SpecialtyCount || FModes.Weather < 0 || FModes.Weather >= WeatherCount) return 0;
  return SpecialtyWeatherModifiers[specialty][FModes.Weather][col - FirstSkillColumn];
}

double TPlayerGrid::TrainingEffect(int col, int row) const {
  if (!FModes.Training || col < FirstSkillColumn || col > LastTrainedColumn) return 0;
  try {
    return TrainingProgressEstimate(RowPlayerID(row), col, 0);
  } catch (const ERangeError&) {
    return 0;
  }
}

double TPlayerGrid::Effect(int col, int row) const { return SpecialtyModifier(col, row) + TrainingEffect(col, row); }

QColor TPlayerGrid::CellBackground(int col, int row) const {
  QColor background = QColor::fromRgb(Field(col).Background);
  if (FModes.Comparison && FModes.ComparisonPage > 0 && col >= FirstSkillColumn && col <= paCareerKickvales) {
    try {
      const TPlayer* older = History().Page(FModes.ComparisonPage).FindPlayer(RowPlayerID(row));
      if (older) {
        const double then = older->GetValue(col);
        const int now = GetCellInt(col, row);
        // For warnings, injury and age a rise is bad news.
        const bool swapped = col == paCards || col == paInjuryLevel || col == paAge;
        if (then < now)
          background = QColor::fromRgb(swapped ? ComparisonWorse : ComparisonBetter);
        else if (then > now)
          background = QColor::fromRgb(swapped ? ComparisonBetter : ComparisonWorse);
      }
    } catch (const EPitchbookError&) {
      // The compared page is gone (the store was reloaded): no comparison colour.
    }
  }
  if (col >= FirstRatingColumn && col < LastRatingColumn && !Cell(col, row).trimmed().isEmpty()) {
    try {
      if (Trunc(GetCellFloat(col, row)) == Trunc(GetCellFloat(LastRatingColumn, row)))
        background = QColor::fromRgb(BestPosition);
    } catch (const EConvertError&) {
    }
  }
  return background;
}

TPlayerGrid::TCellLook TPlayerGrid::CellLook(int col, int row) const {
  const TFieldData& field = Field(col);
  TCellLook look;
  look.Colour = QColor::fromRgb(field.FontColor);
  look.Bold = field.Bold;
  const QString cell = Cell(col, row);
  const int value = GetCellInt(col, row);
  look.Effect = Effect(col, row);
  if (look.Effect > 0) {
    look.Colour = QColor::fromRgb(Blue);
    look.Bold = true;
  } else if (look.Effect < 0) {
    look.Colour = QColor::fromRgb(Red);
    look.Bold = true;
  }
  if (col == paInjuryLevel && value >= 0) {
    look.Colour = QColor::fromRgb(Red);
    look.Italic = true;
  }
  if (col >= FirstSkillColumn && col <= LastTrainedColumn) {
    look.Text = QString::number(Trunc(value + look.Effect));
  } else if (col == paForm) {
    if (FModes.AssumePassableForms) {
      look.Text = QStringLiteral("6");
      look.Bold = true;
    } else {
      look.Text = QString::number(value);
    }
  } else if (col == paTSI) {
    look.Text = FromUtf8(GroupDigits(' ', cell.trimmed().toLongLong()));
  } else if (col == paSalary) {
    try {
      look.Text = FromUtf8(FormatMoney(cell.trimmed().toLongLong()));
    } catch (const ERangeError&) {
      look.Text = cell;
    }
  } else if (col >= paSpecialty && col <= paAggressiveness) {
    look.Text = ValueName(col, value, true);
  } else if (IsRatingColumn(col)) {
    try {
      look.Text = QString::number(RoundHalfEven(GetCellFloat(col, row)));
    } catch (const EPitchbookError&) {
      look.Text = cell;
    }
    if (col < LastRatingColumn && CellBackground(col, row) == QColor::fromRgb(BestPosition))
      look.Colour = QColor::fromRgb(Black);
  } else {
    look.Text = cell;
  }
  return look;
}

void TPlayerGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  const bool focused = DrawCellBackground(painter, rect, col, row, CellBackground(col, row));
  const QString cell = Cell(col, row);
  if (cell.trimmed().isEmpty()) return;
  const int value = GetCellInt(col, row);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  auto drawCentred = [&](const QPixmap& pixmap, int x) {
    const QSizeF size = pixmap.deviceIndependentSize();
    const int y = rect.top() + (rect.height() - static_cast<int>(size.height())) / 2;
    painter.drawPixmap(QRectF(QPointF(x, y), size), pixmap, QRectF(pixmap.rect()));
  };
  if (col == paCountryID) {
    const QPixmap& flag = TGridImages::Flag(value);
    painter.drawPixmap(QRectF(rect.adjusted(2, 2, -2, -2)), flag, QRectF(flag.rect()));
    return;
  }
  if (col == paCards) {
    if (value == 1 || value == 2) {
      const QPixmap& card = TGridImages::YellowCard();
      const int width = static_cast<int>(card.deviceIndependentSize().width());
      int x = rect.left() + (rect.width() - value * width) / 2;
      for (int i = 0; i < value; ++i, x += width) drawCentred(card, x);
    } else if (value == 3) {
      const QPixmap& card = TGridImages::RedCard();
      drawCentred(card, rect.left() + (rect.width() - static_cast<int>(card.deviceIndependentSize().width())) / 2);
    }
    return;
  }
  if (col == paInjuryLevel && value >= -1 && value <= 9) {
    if (value == 0) {
      const QPixmap& bruised = TGridImages::Bruised();
      drawCentred(bruised, rect.left() + (rect.width() - static_cast<int>(bruised.deviceIndependentSize().width())) / 2);
    } else if (value >= 1) {
      const QPixmap& injured = TGridImages::Injured();
      drawCentred(injured, rect.left() + 2);
      const int textLeft = rect.left() + 2 + static_cast<int>(injured.deviceIndependentSize().width());
      const TCellLook look = CellLook(col, row);
      DrawCellText(painter, QString::number(value), QRect(textLeft, rect.top(), rect.right() - textLeft + 1, rect.height()),
                   CellFont(look.Bold, look.Italic), focused ? QColor(Qt::black) : look.Colour, faLeft);
    }
    return;
  }
  const TCellLook look = CellLook(col, row);
  DrawCellText(painter, look.Text, rect, CellFont(look.Bold, look.Italic), focused ? QColor(Qt::black) : look.Colour,
               Field(col).Alignment);
  if (col >= FirstSkillColumn && col <= paForm) DrawFractionBar(painter, rect, QColor::fromRgb(Blue), value + look.Effect);
}

// ---- Hints ------------------------------------------------------------------------------------------------------------
QString TPlayerGrid::CellInfoText(int col, int row) const {
  if (row < FixedRows || row >= RowCount()) return {};
  const int value = GetCellInt(col, row);
  if (col == 0)
    return FromUtf8(FormatText("%s (%s)", Cell(0, row).toStdString().c_str(), Cell(PlayerIDColumn, row).toStdString().c_str()));
  if (col == paCountryID) return CountryName(value);
  if (col >= FirstSkillColumn && col <= paLeadership) return FromUtf8(SkillLevelName(value));
  if (col == paInjuryLevel) return FromUtf8(InjuryLevelName(value));
  if (col >= paSpecialty && col <= paAggressiveness) return ValueName(col, value, false);
  if (IsRatingColumn(col)) return Cell(col, row);
  return {};
}

QString TPlayerGrid::CellClickHint(int col, int row) const {
  if (row < FixedRows || row >= RowCount()) return {};
  QString hint;
  if (col == paCountryID) {
    hint = CountryName(GetCellInt(col, row));
  } else if (col >= FirstSkillColumn && col <= LastTrainedColumn) {
    const int64_t percent = RoundHalfEven(100 * TrainingEffect(col, row));
    if (percent > 0) hint = FromUtf8(FormatText(_("%s%d%% training"), "+", static_cast<int>(percent)));
  } else if (col == paSpecialty) {
    hint = ValueName(col, GetCellInt(col, row), false);
  } else if (IsRatingColumn(col)) {
    hint = Cell(col, row);
  }
  if (col >= FirstSkillColumn && col <= LastModifiedColumn) {
    const int64_t modifier = RoundHalfEven(100 * SpecialtyModifier(col, row));
    if (modifier != 0) {
      if (!hint.isEmpty()) hint += QLatin1Char('\n');
      hint += FromUtf8(FormatText(_("%s%d%% specialty"), modifier > 0 ? "+" : "", static_cast<int>(modifier)));
    }
  }
  return hint;
}

void TPlayerGrid::CellClick(int col, int row) { SetHint(CellClickHint(col, row)); }

void TPlayerGrid::DblClick() {
  if (MouseInGrid() && !indexAt(LastMousePos()).isValid()) return;
  emit HistoryGraphsRequested(Col(), Row());
}

// ---- Clipboard text -----------------------------------------------------------------------------------------------------
QString PlayerClipboardText(const TPlayerList& list, std::optional<int32_t> leagueCountryID) {
  constexpr int Listed[] = {2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 16, 17, 24, 30, 31, 32, 33, 34, 35, 37};
  QString header;
  for (int col : Listed) {
    const QString title = QString::fromUtf8(_(PlayerColumnTable[static_cast<size_t>(col)].Title));
    if (col == PlayerIDColumn)
      header += QLatin1Char('|') + FromUtf8(CenterText(title.toStdString(), 9)) + QLatin1Char('|');
    else if (col == paTSI)
      header += FromUtf8(PadLeft(title.toStdString(), 6)) + QLatin1Char('|');
    else if (title.size() >= 2)
      header += title.left(2) + QLatin1Char('|');
    else
      header += QLatin1Char(' ') + title + QLatin1Char('|');
  }
  QString text = header + QStringLiteral("\r\n\n") + QString(header.size(), QLatin1Char('-'));
  for (const TPlayer& player : list)
    text += QStringLiteral("\r\n\n") + FromUtf8(FormatClipboardLine(player, leagueCountryID));
  return text;
}
