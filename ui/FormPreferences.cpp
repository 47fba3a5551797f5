#include "ui/FormPreferences.h"

#include "core/Intl.h"
#include "core/ShippedFiles.h"
#include "core/Utils.h"
#include "data/Currencies.h"
#include "data/GameHosts.h"
#include "data/Preferences.h"
#include "ui/MatchGrid.h"
#include "ui/PlayerGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QShowEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }

// Columns the user cannot switch: the player name, the coach's trainer type and skill, the match name.
bool FixedPlayerColumn(int index) { return index == 0 || index == 28 || index == 29; }
bool FixedMatchColumn(int index) { return index == 0; }

void FillColumnList(QListWidget& list, std::span<const TFieldData> fields, bool (*fixed)(int)) {
  for (size_t i = 0; i < fields.size(); ++i) {
    auto* item = new QListWidgetItem(
        QStringLiteral("%1 (%2)").arg(T(fields[i].Hint), T(fields[i].Title)), &list);
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (!fixed(static_cast<int>(i))) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    item->setCheckState(Qt::Unchecked);
  }
}

QVBoxLayout* PageLayout(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(10, 10, 10, 10);
  return layout;
}
}  // namespace

TFormPreferences::TFormPreferences(std::filesystem::path programFolder, std::function<void()> applyColumns,
                                   QWidget* parent)
    : QDialog(parent), FProgramFolder(std::move(programFolder)), FApplyColumns(std::move(applyColumns)) {
  setWindowTitle(T(N_("Preferences")));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  FTabs = new QTabWidget(this);
  FTabs->addTab(BuildGridsTab(), T(N_("&Grids")));
  FTabs->addTab(BuildConnectionTab(), T(N_("&Connection")));
  FTabs->addTab(BuildStartupTab(), T(N_("&Startup")));
  FTabs->addTab(BuildMatchViewerTab(), T(N_("Match &Viewer")));
  FTabs->addTab(BuildMiscTab(), T(N_("&Misc")));
  layout->addWidget(FTabs, 1);

  auto* buttons = new QHBoxLayout;
  auto* defaults = new QPushButton(T(N_("&Defaults")), this);
  auto* ok = new QPushButton(T(N_("&OK")), this);
  auto* cancel = new QPushButton(T(N_("Cancel")), this);
  ok->setDefault(true);
  buttons->addWidget(defaults);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &TFormPreferences::OKClick);
  connect(cancel, &QPushButton::clicked, this, &TFormPreferences::CancelClick);
  connect(defaults, &QPushButton::clicked, this, &TFormPreferences::DefaultsClick);
  resize(560, 480);
  UpdateEnabledStates();
}

TFormPreferences::~TFormPreferences() = default;

QWidget* TFormPreferences::BuildGridsTab() {
  auto* tabs = new QTabWidget;
  auto* columns = new QWidget;
  auto* columnsLayout = new QGridLayout(columns);
  columnsLayout->addWidget(new QLabel(T(N_("Players Grid"))), 0, 0);
  columnsLayout->addWidget(new QLabel(T(N_("Matches Grid"))), 0, 1);
  FPlayerColumns = new QListWidget(columns);
  FMatchColumns = new QListWidget(columns);
  FillColumnList(*FPlayerColumns, PlayerColumnTable, FixedPlayerColumn);
  FillColumnList(*FMatchColumns, MatchFields, FixedMatchColumn);
  columnsLayout->addWidget(FPlayerColumns, 1, 0);
  columnsLayout->addWidget(FMatchColumns, 1, 1);
  tabs->addTab(columns, T(N_("Columns")));

  auto* download = new QWidget;
  auto* downloadLayout = PageLayout(download);
  FLoadToTemp = new QCheckBox(T(N_("Load downloaded players into the temporary grid")), download);
  FDoNotImportCoach = new QCheckBox(T(N_("Do not import the coach into the grids")), download);
  downloadLayout->addWidget(FLoadToTemp);
  downloadLayout->addWidget(FDoNotImportCoach);
  downloadLayout->addStretch(1);
  tabs->addTab(download, T(N_("Download")));
  return tabs;
}

QWidget* TFormPreferences::BuildConnectionTab() {
  auto* tabs = new QTabWidget;

  auto* kickvale = new QWidget;
  auto* kickvaleLayout = PageLayout(kickvale);
  FChooseBestServer = new QCheckBox(T(N_("Choose best available server")), kickvale);
  kickvaleLayout->addWidget(FChooseBestServer);
  auto* siteRow = new QHBoxLayout;
  siteRow->addWidget(new QLabel(T(N_("Connection site:")), kickvale));
  FConnectionSite = new QComboBox(kickvale);
  FConnectionSite->setEditable(true);
  for (const std::string& address : GameHosts().ServerAddresses) FConnectionSite->addItem(Q(address));
  FConnectionSite->setMinimumContentsLength(18);
  siteRow->addWidget(FConnectionSite, 1);
  kickvaleLayout->addLayout(siteRow);
  FSaveUsernamePassword = new QCheckBox(T(N_("Remember user name and security code")), kickvale);
  kickvaleLayout->addWidget(FSaveUsernamePassword);
  kickvaleLayout->addStretch(1);
  tabs->addTab(kickvale, T(N_("Kickvale")));

  auto* proxy = new QWidget;
  auto* proxyLayout = PageLayout(proxy);
  FEnableProxy = new QCheckBox(T(N_("Enable proxy usage")), proxy);
  proxyLayout->addWidget(FEnableProxy);
  // One form, so that the four edits line up.
  auto* form = new QFormLayout;
  FProxyServer = new QLineEdit(proxy);
  FProxyPort = new QLineEdit(proxy);
  FProxyPort->setMaximumWidth(80);
  form->addRow(T(N_("Server:")), FProxyServer);
  form->addRow(T(N_("Port:")), FProxyPort);
  FEnableProxyAuthentication = new QCheckBox(T(N_("Enable proxy authentication")), proxy);
  form->addRow(FEnableProxyAuthentication);
  FProxyUserName = new QLineEdit(proxy);
  FProxyPassword = new QLineEdit(proxy);
  FProxyPassword->setEchoMode(QLineEdit::Password);
  form->addRow(T(N_("User name:")), FProxyUserName);
  form->addRow(T(N_("Password:")), FProxyPassword);
  proxyLayout->addLayout(form);
  FProxyWarning = new QLabel(
      T(N_("DO NOT confuse proxy user name and password with your Kickvale user name and pasword")), proxy);
  FProxyWarning->setWordWrap(true);
  FProxyWarning->setAlignment(Qt::AlignCenter);
  QFont bold = FProxyWarning->font();
  bold.setBold(true);
  FProxyWarning->setFont(bold);
  FProxyWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
  proxyLayout->addStretch(1);
  proxyLayout->addWidget(FProxyWarning);
  proxyLayout->addStretch(1);
  tabs->addTab(proxy, T(N_("Proxy")));

  auto* misc = new QWidget;
  auto* miscLayout = PageLayout(misc);
  FCheckUpdates = new QCheckBox(T(N_("Check for a newer version at start")), misc);
  miscLayout->addWidget(FCheckUpdates);
  miscLayout->addStretch(1);
  tabs->addTab(misc, T(N_("Misc")));

  connect(FChooseBestServer, &QCheckBox::toggled, this, [this] { UpdateEnabledStates(); });
  connect(FEnableProxy, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) FEnableProxyAuthentication->setChecked(false);
    UpdateEnabledStates();
  });
  connect(FEnableProxyAuthentication, &QCheckBox::toggled, this, [this] { UpdateEnabledStates(); });
  return tabs;
}

QWidget* TFormPreferences::BuildStartupTab() {
  auto* page = new QWidget;
  auto* layout = PageLayout(page);
  auto* limitRow = new QHBoxLayout;
  FLimitHistory = new QCheckBox(T(N_("Limit history data loading:")), page);
  FSeasonLimit = new QSpinBox(page);
  FSeasonLimit->setRange(0, 99);
  FSeasonLimit->setValue(2);
  FSeasonsBack = new QLabel(T(N_("seasons back")), page);
  limitRow->addWidget(FLimitHistory);
  limitRow->addWidget(FSeasonLimit);
  limitRow->addWidget(FSeasonsBack);
  limitRow->addStretch(1);
  layout->addLayout(limitRow);
  FUseAlternatePath = new QCheckBox(T(N_("Use alternate history path:")), page);
  layout->addWidget(FUseAlternatePath);
  auto* pathRow = new QHBoxLayout;
  FAlternatePath = new QLineEdit(page);
  FBrowse = new QToolButton(page);
  FBrowse->setText(QStringLiteral("..."));
  pathRow->addWidget(FAlternatePath, 1);
  pathRow->addWidget(FBrowse);
  layout->addLayout(pathRow);
  auto* note = new QLabel(T(N_("A new history path is used from the next start of the program.")), page);
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addStretch(1);
  connect(FLimitHistory, &QCheckBox::toggled, this, [this] { UpdateEnabledStates(); });
  connect(FUseAlternatePath, &QCheckBox::toggled, this, [this] { UpdateEnabledStates(); });
  connect(FBrowse, &QToolButton::clicked, this, [this] { BrowseClick(); });
  return page;
}

QWidget* TFormPreferences::BuildMatchViewerTab() {
  auto* page = new QWidget;
  auto* layout = PageLayout(page);
  auto* group = new QGroupBox(T(N_("Goal sound")), page);
  auto* groupLayout = new QVBoxLayout(group);
  FHomeTeamScores = new QCheckBox(T(N_("Home team scores")), group);
  FAwayTeamScores = new QCheckBox(T(N_("Away team scores")), group);
  groupLayout->addWidget(FHomeTeamScores);
  groupLayout->addWidget(FAwayTeamScores);
  layout->addWidget(group);
  FGoalSoundMissing = new QLabel(T(N_("The sound file \"Goal.mp3\" is missing from the program folder.")), page);
  FGoalSoundMissing->setWordWrap(true);
  FGoalSoundMissing->hide();
  layout->addWidget(FGoalSoundMissing);
  layout->addStretch(1);
  return page;
}

QWidget* TFormPreferences::BuildMiscTab() {
  auto* page = new QWidget;
  auto* layout = PageLayout(page);
  auto* form = new QFormLayout;
  FLeague = new QComboBox(page);
  for (int leagueID : LeagueCurrencyOrder) FLeague->addItem(QString::fromUtf8(LeagueCurrencyOf(leagueID).LeagueName));
  FCurrencyName = new QLabel(page);
  FRelativeRate = new QLabel(page);
  form->addRow(T(N_("League:")), FLeague);
  form->addRow(T(N_("Currency:")), FCurrencyName);
  form->addRow(T(N_("Relative Rate:")), FRelativeRate);
  layout->addLayout(form);
  layout->addWidget(new QLabel(T(N_("Currency Settings")), page));
  FCurrencySettings = new QTreeWidget(page);
  FCurrencySettings->setRootIsDecorated(false);
  FCurrencySettings->setHeaderLabels({T(N_("League")), T(N_("ID")), T(N_("Rate")), T(N_("Currency"))});
  // One line per filled slot, sorted as the lines "name, ID, rate, currency" are.
  struct TLine {
    QString Text;
    QStringList Fields;
  };
  std::vector<TLine> lines;
  for (const TLeagueCurrency& currency : LeagueCurrencies) {
    if (!currency.IsFilled()) continue;
    QStringList fields = {QString::fromUtf8(currency.LeagueName), QString::number(currency.LeagueID),
                          Q(FormatFloat(currency.Rate, 2)), QString::fromUtf8(currency.CurrencyName)};
    lines.push_back({fields.join(QLatin1Char('\t')), fields});
  }
  std::sort(lines.begin(), lines.end(), [](const TLine& a, const TLine& b) {
    return QString::compare(a.Text, b.Text, Qt::CaseInsensitive) < 0;
  });
  for (const TLine& line : lines) {
    auto* item = new QTreeWidgetItem(FCurrencySettings, line.Fields);
    for (int c : {1, 2}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  for (int c = 0; c < 4; ++c) FCurrencySettings->resizeColumnToContents(c);
  layout->addWidget(FCurrencySettings, 1);
  connect(FLeague, &QComboBox::currentIndexChanged, this, [this] { LeagueChange(); });
  return page;
}

void TFormPreferences::UpdateEnabledStates() {
  FConnectionSite->setEnabled(!FChooseBestServer->isChecked());
  const bool proxy = FEnableProxy->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{FProxyServer, FProxyPort, FEnableProxyAuthentication})
    control->setEnabled(proxy);
  const bool authentication = FEnableProxyAuthentication->isChecked();
  FProxyUserName->setEnabled(authentication);
  FProxyPassword->setEnabled(authentication);
  const bool limit = FLimitHistory->isChecked();
  FSeasonLimit->setEnabled(limit);
  FSeasonsBack->setEnabled(limit);
  const bool alternate = FUseAlternatePath->isChecked();
  FAlternatePath->setEnabled(alternate);
  FBrowse->setEnabled(alternate);
}

void TFormPreferences::LeagueChange() {
  const int index = FLeague->currentIndex();
  if (index < 0 || index >= LeagueCurrencyChoices) {
    FCurrencyName->clear();
    FRelativeRate->clear();
    return;
  }
  const TLeagueCurrency& currency = LeagueCurrencyAt(index);
  FCurrencyName->setText(QString::fromUtf8(currency.CurrencyName));
  FRelativeRate->setText(Q(FloatToStr(currency.Rate)));
}

void TFormPreferences::BrowseClick() {
  const QString start = FAlternatePath->text().trimmed().isEmpty() ? Q(FProgramFolder.string())
                                                                   : FAlternatePath->text().trimmed();
  const QString folder = QFileDialog::getExistingDirectory(this, T(N_("History folder")), start);
  if (!folder.isEmpty()) FAlternatePath->setText(folder);
}

void TFormPreferences::WriteToWindow(const TPreferences& p) {
  for (int i = 0; i < PlayerColumnCount; ++i)
    FPlayerColumns->item(i)->setCheckState(p.GetPlayerColumn(i) ? Qt::Checked : Qt::Unchecked);
  for (int i = 0; i < MatchColumnCount; ++i)
    FMatchColumns->item(i)->setCheckState(p.GetMatchColumn(i) ? Qt::Checked : Qt::Unchecked);
  FLoadToTemp->setChecked(p.LoadPlayersToTempGird);
  FDoNotImportCoach->setChecked(p.DoNotImportCoach);
  FChooseBestServer->setChecked(p.ChooseBestServer);
  FConnectionSite->setCurrentText(Q(p.ConnectionSite));
  FSaveUsernamePassword->setChecked(p.SaveUsernamePassword);
  FEnableProxy->setChecked(p.EnableProxy);
  FProxyServer->setText(Q(p.ProxyServer));
  FProxyPort->setText(Q(p.ProxyPort));
  FEnableProxyAuthentication->setChecked(p.EnableProxyAuthentication);
  FProxyUserName->setText(Q(p.ProxyUserName));
  FProxyPassword->setText(Q(p.ProxyPassword));
  FCheckUpdates->setChecked(p.CheckUpdates);
  FLimitHistory->setChecked(p.LimitHistoryDataLoading);
  FSeasonLimit->setValue(p.SeasonLimit);
  FUseAlternatePath->setChecked(p.UseAlternateHistoryPath);
  FAlternatePath->setText(Q(p.AlternateHistoryPath));
  FHomeTeamScores->setChecked(p.HomeTeamScores);
  FAwayTeamScores->setChecked(p.AwayTeamScores);
  FLeague->setCurrentIndex(std::clamp(p.CurrencyIndex, 0, LeagueCurrencyChoices - 1));
  LeagueChange();
  UpdateEnabledStates();
}

void TFormPreferences::ReadFromWindow(TPreferences& p) const {
  for (int i = 0; i < PlayerColumnCount; ++i)
    if (!FixedPlayerColumn(i)) p.SetPlayerColumn(i, FPlayerColumns->item(i)->checkState() == Qt::Checked);
  for (int i = 0; i < MatchColumnCount; ++i)
    if (!FixedMatchColumn(i)) p.SetMatchColumn(i, FMatchColumns->item(i)->checkState() == Qt::Checked);
  p.LoadPlayersToTempGird = FLoadToTemp->isChecked();
  p.DoNotImportCoach = FDoNotImportCoach->isChecked();
  p.ChooseBestServer = FChooseBestServer->isChecked();
  p.ConnectionSite = FConnectionSite->currentText().trimmed().toStdString();
  p.SaveUsernamePassword = FSaveUsernamePassword->isChecked();
  p.EnableProxy = FEnableProxy->isChecked();
  p.ProxyServer = FProxyServer->text().trimmed().toStdString();
  p.ProxyPort = FProxyPort->text().trimmed().toStdString();
  p.EnableProxyAuthentication = FEnableProxyAuthentication->isChecked();
  p.ProxyUserName = FProxyUserName->text().toStdString();
  p.ProxyPassword = FProxyPassword->text().toStdString();
  p.CheckUpdates = FCheckUpdates->isChecked();
  p.LimitHistoryDataLoading = FLimitHistory->isChecked();
  p.SeasonLimit = FSeasonLimit->value();
  p.UseAlternateHistoryPath = FUseAlternatePath->isChecked();
  p.AlternateHistoryPath = FAlternatePath->text().toStdString();
  p.HomeTeamScores = FHomeTeamScores->isChecked();
  p.AwayTeamScores = FAwayTeamScores->isChecked();
  p.SetCurrencyIndex(std::clamp(FLeague->currentIndex(), 0, LeagueCurrencyChoices - 1));
}

void TFormPreferences::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  auto& prefs = Preferences();
  // Without the sound file there is nothing to play.
  const bool sound = !GoalSoundFile(FProgramFolder).empty();
  if (!sound) {
    prefs.HomeTeamScores = false;
    prefs.AwayTeamScores = false;
  }
  FHomeTeamScores->setEnabled(sound);
  FAwayTeamScores->setEnabled(sound);
  FGoalSoundMissing->setVisible(!sound);
  WriteToWindow(prefs);
}

void TFormPreferences::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) emit Closed();
}

void TFormPreferences::OKClick() {
  auto& prefs = Preferences();
  ReadFromWindow(prefs);
  prefs.Apply();
  if (FApplyColumns) FApplyColumns();
  close();
}

void TFormPreferences::CancelClick() { close(); }

void TFormPreferences::DefaultsClick() {
  auto& prefs = Preferences();
  prefs.SetDefaults();
  prefs.Apply();
  if (FApplyColumns) FApplyColumns();
  close();
}
