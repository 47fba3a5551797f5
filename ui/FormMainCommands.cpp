// The main window's commands on the players and the matches: moving players between the grids, the
// clipboard list, the display modes and the weather, opening team files, the team and filter boxes and
// Delete Match.
#include "ui/FormMain.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/TeamMatchFile.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"
#include "download/TeamTitles.h"
#include "ui/FormCustomFormation.h"
#include "ui/FormTacticsAdvisor.h"
#include "ui/FormTeamSelection.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"
#include "ui/Messages.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <QToolButton>

#include <cmath>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }
// The catalogue keeps line breaks as "\n"; the program's messages break lines with "\r\n".
std::string CrLf(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) {
    if (*c == '\n') out += '\r';
    out += *c;
  }
  return out;
}

constexpr QRgb FilterOff = 0xFFFFFBF0;  // cream: the box's own title, no filtering
constexpr QRgb FilterOn = 0xFFA6CAF0;   // sky blue: a filter is set

void ShowFilterColour(QComboBox& box) {
  const QColor colour = QColor::fromRgba(box.currentIndex() <= 0 ? FilterOff : FilterOn);
  box.setStyleSheet(QStringLiteral("QComboBox { background-color: %1; }").arg(colour.name()));
}

const char* WeatherHint(int imageIndex) {
  switch (imageIndex) {
    case iiSunny: return N_("Sunny");
    case iiPartiallyCloudy: return N_("Partially cloudy");
    case iiOvercast: return N_("Overcast");
    case iiRainy: return N_("Rainy");
    case iiUndefinedWeather: return N_("Undefined");
    default: return N_("Disabled (Default)");
  }
}
}  // namespace

// ---- Display modes ------------------------------------------------------------------------------------------------

int TFormMain::GetWeatherCode() const { return WeatherCodeOfImage(FWeatherImage); }
bool TFormMain::IsAssumePassableForms() const { return FMenuActions[cmAssumePassableForms]->isChecked(); }
bool TFormMain::IsTrainingOn() const { return FMenuActions[cmTraining]->isChecked(); }
bool TFormMain::IsComparisonOn() const { return FMenuActions[cmPlayerComparison]->isChecked(); }

TPlayerGridModes TFormMain::DisplayModes() const {
  TPlayerGridModes modes;
  modes.Weather = WeatherCodeOfImage(FWeatherTag);
  modes.Training = IsTrainingOn();
  modes.AssumePassableForms = IsAssumePassableForms();
  modes.Comparison = IsComparisonOn();
  modes.ComparisonPage = FComparisonPage;
  return modes;
}

void TFormMain::SetModesOnGrids() {
  const TPlayerGridModes modes = DisplayModes();
  // The training estimates read the store's toggle, so it changes before the grids recompute.
  History().SetTrainingOn(modes.Training);
  for (TPlayerGrid* grid : {FPlayerGridM, FPlayerGridT}) {
    if (!grid) continue;
    grid->SetWeather(modes.Weather);
    grid->SetAssumePassableForms(modes.AssumePassableForms);
    grid->SetTrainingOn(modes.Training);
    grid->SetComparison(modes.Comparison, modes.ComparisonPage);
  }
}

void TFormMain::AssumePassableFormsClick() { FMenuActions[cmAssumePassableForms]->trigger(); }
void TFormMain::TrainingClick() { FMenuActions[cmTraining]->trigger(); }
void TFormMain::PlayerComparisonClick() { FMenuActions[cmPlayerComparison]->trigger(); }

void TFormMain::ChooseWeather(int imageIndex) {
  if (!(imageIndex >= iiSunny && imageIndex <= iiUndefinedWeather)) imageIndex = iiDisabledWeather;
  FWeatherImage = imageIndex;
  QAction* button = FButtonActions[cmWeather];
  button->setIcon(ToolIcon(imageIndex));
  button->setToolTip(Q(FormatText(_("%s weather"), _(WeatherHint(imageIndex)))));
  for (QAction* entry : FWeatherGroup->actions())
    if (entry->data().toInt() == imageIndex) entry->setChecked(true);
  ApplyWeather();
}

void TFormMain::ApplyWeather() {
  if (FWeatherImage == FWeatherTag) return;
  FWeatherTag = FWeatherImage;
  SetModesOnGrids();
}

// ---- Player grids ---------------------------------------------------------------------------------------------------

TPlayerGrid& TFormMain::FocusedPlayerGrid() const {
  // The window's focus child, which stays while another window is in front: a right click on a grid of
  // this window while it is not the active one gives that grid the focus without hasFocus() becoming true.
  return focusWidget() == FPlayerGridM ? *FPlayerGridM : *FPlayerGridT;
}

std::unique_ptr<TPlayer> TFormMain::ReadCurrentPlayer(const TPlayerGrid& grid) const {
  auto player = std::make_unique<TPlayer>(wDisabled, false, false);
  grid.ReadRow(*player);
  return player;
}

void TFormMain::AddToMainGridClick() {
  if (FPlayerGridT->IsEmpty()) return;
  if (!ShiftHeld()) FPlayerGridM->Clear();
  FPlayerGridT->CopyAllTo(*FPlayerGridM);
}

void TFormMain::ClearGridClick(bool main) {
  TPlayerGrid& grid = main ? *FPlayerGridM : *FPlayerGridT;
  if (grid.IsEmpty()) return;
  const std::string table = main ? _("main table") : _("temporary table");
  const QString question =
      Q(FormatText(CrLf(_("All data on %s will be lost.\nDo you wish to proceed?")).c_str(), table.c_str()));
  if (AskQuestion(this, TQuestionIcon::Warning, question, mbOK | mbCancel) == mbCancel) return;
  grid.Clear();
}

void TFormMain::OpenClick(bool main) {
  const QString filter = T(N_("XML Files")) + QStringLiteral(" (*.xml);;") + T(N_("Kickvale Record Files")) +
                         QStringLiteral(" (*.krf)");
  const QString file = QFileDialog::getOpenFileName(this, T(N_("Open")), Q(FProgramFolder.string()), filter);
  if (file.isEmpty()) return;
  OpenTeamFile(main, std::filesystem::path(file.toStdString()));
}

bool TFormMain::OpenTeamFile(bool main, const std::filesystem::path& file) {
  auto page = std::make_unique<THistoryPage>();
  try {
    page->Load(file.string());
  } catch (const std::exception&) {
    // A players file on its own (not one of a snapshot's nine files) still holds a squad.
    page = std::make_unique<THistoryPage>();
    try {
      std::string extension = file.extension().string();
      for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (extension != ".xml") throw;
      page->Players.LoadFromPlayersFile(file);
    } catch (const std::exception&) {
      ShowErrorMessage(this, T(N_("Invalid team data file.")));
      return false;
    }
  }
  // The grid changes only once the file has been read.
  TPlayerGrid& grid = main ? *FPlayerGridM : *FPlayerGridT;
  grid.Clear();
  grid.LoadPage(*page);
  return true;
}

void TFormMain::ListAddClick() {
  TPlayerGrid& grid = FocusedPlayerGrid();
  if (grid.IsEmpty()) return;
  auto player = ReadCurrentPlayer(grid);
  player->IncludeTraining = IsTrainingOn();
  // A player of the same name is replaced; the list's last player fills his place.
  if (const int index = FClipboardList->IndexOfName(player->PlayerName); index > 0) FClipboardList->Delete(index);
  FClipboardList->Add(std::move(player));
  UpdatePopupMenu();
}

void TFormMain::ListClearClick() {
  FClipboardList->Clear();
  UpdatePopupMenu();
}

void TFormMain::CopyToClipboardClick() {
  std::optional<int32_t> countryID;
  if (FShownHistoryPage >= 1 && FShownHistoryPage <= History().Count())
    countryID = History().Page(FShownHistoryPage).World.CountryID;
  QString text;
  try {
    text = PlayerClipboardText(*FClipboardList, countryID);
  } catch (const ERangeError& e) {
    // A specialty outside the tables (an edited grid file) has no clipboard line.
    ShowErrorMessage(this, Q(e.what()));
    return;
  }
  QGuiApplication::clipboard()->setText(text);
  FClipboardList->Clear();
  UpdatePopupMenu();
}

void TFormMain::CopyAllToClipboardClick() {
  TPlayerGrid& grid = FocusedPlayerGrid();
  FClipboardList->Clear();
  if (!grid.IsEmpty())
    for (int row = TAdvGrid::FixedRows; row < grid.RowCount(); ++row) {
      auto player = std::make_unique<TPlayer>(wDisabled, false, false);
      grid.ReadRow(*player, row);
      player->IncludeTraining = IsTrainingOn();
      FClipboardList->Add(std::move(player));
    }
  CopyToClipboardClick();
}

void TFormMain::AddCurrentPlayer(TPlayerGrid& source, TPlayerGrid& target) {
  if (source.IsEmpty()) return;
  auto player = std::make_unique<TPlayer>(GetWeatherCode(), IsTrainingOn(), IsAssumePassableForms());
  source.ReadRow(*player);
  target.AddPlayer(*player);
  target.Resort();
}

void TFormMain::PopupAddClick() {
  TPlayerGrid& source = FocusedPlayerGrid();
  AddCurrentPlayer(source, &source == FPlayerGridM ? *FPlayerGridT : *FPlayerGridM);
}

void TFormMain::PopupMoveClick() {
  TPlayerGrid& source = FocusedPlayerGrid();
  TPlayerGrid& target = &source == FPlayerGridM ? *FPlayerGridT : *FPlayerGridM;
  if (source.IsEmpty()) return;
  // An empty grid's blank row takes the first player, so it does not count.
  const int before = target.IsEmpty() ? 0 : target.RowCount() - TAdvGrid::FixedRows;
  const int sourceRow = source.Row();
  AddCurrentPlayer(source, target);
  if (target.RowCount() - TAdvGrid::FixedRows > before) source.DeleteRow(sourceRow);
}

void TFormMain::DeletePlayerClick() {
  TPlayerGrid& grid = FocusedPlayerGrid();
  if (grid.IsEmpty()) return;
  grid.DeleteRow(grid.Row());
}

void TFormMain::ExportToKeeperAnalyzerClick() {
  TPlayerGrid& grid = FocusedPlayerGrid();
  if (!ToolWindow(iiKeeperAnalyzer) || grid.IsEmpty()) return;
  const auto player = ReadCurrentPlayer(grid);
  emit KeeperAnalyzerExport(static_cast<int>(std::trunc(player->GetValue(paTSI))),
                            static_cast<int>(std::trunc(player->GetValue(paForm))) - 1, 1);
  ToolButtonClick(iiKeeperAnalyzer);
}

void TFormMain::ExportToInjuryAnalyzerClick() {
  TPlayerGrid& grid = FocusedPlayerGrid();
  if (!ToolWindow(iiInjuryAnalyzer) || grid.IsEmpty()) return;
  const auto player = ReadCurrentPlayer(grid);
  const int doctors = History().Count() > 0 ? History().Latest().Club.Doctors : 0;
  emit InjuryAnalyzerExport(static_cast<int>(std::trunc(player->GetValue(paInjuryLevel))),
                            static_cast<int>(std::trunc(player->GetValue(paAge))), doctors);
  ToolButtonClick(iiInjuryAnalyzer);
}

void TFormMain::BringTacticsWindowsForward(QWidget& advisorWindow) {
  auto front = [](QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
  };
  // The window the user works in comes first: a running or shown lineup search, then the custom
  // formation (above the advisor it belongs to), then the advisor itself.
  auto* advisor = qobject_cast<TFormTacticsAdvisor*>(&advisorWindow);
  QWidget* selection = advisor ? static_cast<QWidget*>(advisor->TeamSelection()) : nullptr;
  QWidget* formation = advisor ? static_cast<QWidget*>(advisor->CustomFormation()) : nullptr;
  if (selection && (selection->isVisible() || advisor->TeamSelection()->Searching())) {
    front(selection);
  } else if (formation && formation->isVisible()) {
    front(&advisorWindow);
    front(formation);
  } else if (advisorWindow.isVisible()) {
    front(&advisorWindow);
  }
}

void TFormMain::TacticsAdvisorClick() {
  QWidget* window = ToolWindow(iiTacticsAdvisor);
  if (!window) return;
  // The button is down while one of the advisor's windows is on screen (a trigger has already toggled
  // the action, so its checked state cannot tell).
  auto* advisor = qobject_cast<TFormTacticsAdvisor*>(window);
  const bool selectionShown = advisor && advisor->TeamSelection() &&
                              (advisor->TeamSelection()->isVisible() || advisor->TeamSelection()->Searching());
  const bool formationShown = advisor && advisor->CustomFormation() && advisor->CustomFormation()->isVisible();
  FButtonActions[cmTacticsAdvisor]->setChecked(true);
  if (window->isVisible() || selectionShown || formationShown) {
    BringTacticsWindowsForward(*window);
    return;
  }
  auto squad = std::make_shared<TPlayerList>(GetWeatherCode(), IsTrainingOn(), IsAssumePassableForms());
  FPlayerGridM->ReadAll(*squad);
  emit TacticsAdvisorRequested(squad);
  const auto& entry = FToolWindows[iiTacticsAdvisor];
  if (entry.Open)
    entry.Open(0);
  else
    window->show();
}

// ---- Matches tab --------------------------------------------------------------------------------------------------

void TFormMain::RefreshTeamTitles() {
  const std::vector<std::string> titles = TeamTitles(FFolders->MatchesFolder());
  QStringList items;
  items.reserve(static_cast<qsizetype>(titles.size()));
  for (const std::string& title : titles) items << Q(title);
  for (QComboBox* box : {FTeamBoxM, FTeamBoxT}) {
    const QString remembered = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(box->findText(remembered));
  }
}

void TFormMain::RestoreMatchGrids() {
  const auto& prefs = Preferences();
  struct THalf {
    bool Main;
    const std::string& Team;
    int Type, Result, Weather;
    const char* GridFile;
  };
  const THalf halves[] = {
      {true, prefs.SelectedTeamM, prefs.IndexTypeM, prefs.IndexResultM, prefs.IndexWeatherM, "MatchGridMain.mgf"},
      {false, prefs.SelectedTeamT, prefs.IndexTypeT, prefs.IndexResultT, prefs.IndexWeatherT, "MatchGridTemp.mgf"}};
  for (const THalf& half : halves) {
    QComboBox& team = TeamBox(half.Main);
    {
      const QSignalBlocker blocker(&team);
      team.setCurrentIndex(team.findText(Q(half.Team)));
    }
    for (auto [box, index] : {std::pair{&TypeBox(half.Main), half.Type}, std::pair{&ResultBox(half.Main), half.Result},
                              std::pair{&WeatherBox(half.Main), half.Weather}}) {
      const QSignalBlocker blocker(box);
      box->setCurrentIndex(index >= 2 && index < box->count() ? index : 0);
      ShowFilterColour(*box);
    }
    TMatchGrid& grid = half.Main ? *FMatchGridM : *FMatchGridT;
    const std::string teamID = ComboBoxIDText(team);
    if (!IsDigitsID(teamID)) continue;
    try {
      grid.LoadFromFile(teamID, FFolders->WorkFolder() / half.GridFile);
      // No grid file yet (or one of another team): the team's match file has the matches.
      if (grid.IsEmpty()) grid.LoadTeam(teamID);
      grid.ApplyFilter(TypeBox(half.Main).currentIndex(), ResultBox(half.Main).currentIndex(),
                       WeatherBox(half.Main).currentIndex());
    } catch (const std::exception&) {
      grid.Clear();
    }
  }
}

void TFormMain::TeamBoxChange(bool main) {
  TMatchGrid& grid = main ? *FMatchGridM : *FMatchGridT;
  std::string teamID = ComboBoxIDText(TeamBox(main));
  // Only an ID of digits names a match file.
  if (!IsDigitsID(teamID)) teamID.clear();
  try {
    grid.LoadTeam(teamID);
  } catch (const std::exception& e) {
    ShowErrorMessage(this, Q(e.what()));
  }
  grid.ApplyFilter(TypeBox(main).currentIndex(), ResultBox(main).currentIndex(), WeatherBox(main).currentIndex());
}

void TFormMain::FilterBoxChange(bool main, QComboBox& box) {
  if (box.currentIndex() == 1) {
    const QSignalBlocker blocker(&box);
    box.setCurrentIndex(0);
  }
  ShowFilterColour(box);
  TMatchGrid& grid = main ? *FMatchGridM : *FMatchGridT;
  grid.ApplyFilter(TypeBox(main).currentIndex(), ResultBox(main).currentIndex(), WeatherBox(main).currentIndex());
}

void TFormMain::DeleteMatchClick(bool main) {
  TMatchGrid& grid = main ? *FMatchGridM : *FMatchGridT;
  const int row = grid.Row();
  if (!grid.IsMatchRow(row)) return;
  const QString name = grid.Cell(0, row).mid(1);
  const std::string matchID = grid.Cell(2, row).trimmed().toStdString();
  const std::string format =
      CrLf(_("Match: %s\nMatch ID: %s\n\nThis match node is going to be removed from match file.\nDo you wish to "
             "proceed?"));
  const QString question = Q(FormatText(format.c_str(), name.toStdString().c_str(), matchID.c_str()));
  if (AskQuestion(this, TQuestionIcon::Warning, question, mbYes | mbNo) == mbNo) return;
  const std::string teamID = TeamIDOfTitle(TeamBox(main).currentText().toStdString());
  // Only IDs of digits become part of a path.
  if (!IsDigitsID(teamID) || !IsDigitsID(matchID)) return;
  const auto path = TTeamMatchFile::PathOf(FFolders->MatchesFolder(), teamID);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return;
  try {
    TTeamMatchFile file;
    file.LoadFromFile(path);
    if (!file.DeleteMatch(matchID)) return;
    file.SaveToFile(path);
  } catch (const EPitchbookError& e) {
    ShowErrorMessage(this, Q(e.what()));
    return;
  }
  grid.DeleteRow(row);
}

void TFormMain::MatchDownloadMenuClick() {
  if (History().Count() < 1) {
    ShowInformationMessage(
        this, Q(CrLf(_("You have to download your team xml files\nbefore continuing with match download."))));
    return;
  }
  ToolButtonClick(iiDownload, 1);
}
