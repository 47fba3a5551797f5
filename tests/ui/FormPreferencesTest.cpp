#include "FormMainTestSupport.h"

#include "data/Currencies.h"
#include "ui/FormPreferences.h"
#include "core/ShippedFiles.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

namespace {
class TFormPreferencesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetProgramState();
    Preferences().ProgramFolder = Home.Path();
    Form = std::make_unique<TFormPreferences>(Home.Path(), [this] { ++Applied; });
  }
  void TearDown() override {
    Form.reset();
    ResetProgramState();
  }

  TTempFolder Home;
  std::unique_ptr<TFormPreferences> Form;
  int Applied = 0;
};
}  // namespace

TEST_F(TFormPreferencesTest, BoxesEnableTheControlsTheyGovern) {
  Form->show();
  auto& f = *Form;
  // Defaults: best server chosen, no proxy, history limited, no alternate path.
  EXPECT_FALSE(f.ConnectionSite().isEnabled());
  f.ChooseBestServer().setChecked(false);
  EXPECT_TRUE(f.ConnectionSite().isEnabled());

  EXPECT_FALSE(f.ProxyServer().isEnabled());
  EXPECT_FALSE(f.EnableProxyAuthentication().isEnabled());
  f.EnableProxy().setChecked(true);
  for (QWidget* w : std::initializer_list<QWidget*>{&f.ProxyServer(), &f.ProxyPort(), &f.EnableProxyAuthentication()})
    EXPECT_TRUE(w->isEnabled());
  EXPECT_FALSE(f.ProxyUserName().isEnabled());
  f.EnableProxyAuthentication().setChecked(true);
  EXPECT_TRUE(f.ProxyUserName().isEnabled());
  EXPECT_TRUE(f.ProxyPassword().isEnabled());
  // Switching the proxy off also switches its authentication off.
  f.EnableProxy().setChecked(false);
  EXPECT_FALSE(f.EnableProxyAuthentication().isChecked());
  EXPECT_FALSE(f.ProxyUserName().isEnabled());
  EXPECT_FALSE(f.ProxyPort().isEnabled());

  EXPECT_TRUE(f.SeasonLimit().isEnabled());
  f.LimitHistoryDataLoading().setChecked(false);
  EXPECT_FALSE(f.SeasonLimit().isEnabled());
  EXPECT_FALSE(f.SeasonsBack().isEnabled());
  EXPECT_EQ(f.SeasonLimit().maximum(), 99);
  EXPECT_EQ(f.SeasonLimit().value(), 2);

  EXPECT_FALSE(f.AlternateHistoryPath().isEnabled());
  EXPECT_FALSE(f.BrowseHistoryPath().isEnabled());
  f.UseAlternateHistoryPath().setChecked(true);
  EXPECT_TRUE(f.AlternateHistoryPath().isEnabled());
  EXPECT_TRUE(f.BrowseHistoryPath().isEnabled());
  Form->hide();
}

TEST_F(TFormPreferencesTest, OKCopiesTheControlsAndAppliesThem) {
  Form->show();
  auto& f = *Form;
  f.UseAlternateHistoryPath().setChecked(true);
  f.AlternateHistoryPath().setText("  /data/kickvale/history ");
  f.SeasonLimit().setValue(5);
  f.EnableProxy().setChecked(true);
  f.ProxyServer().setText("proxy.local");
  f.ProxyPort().setText("3128");
  f.League().setCurrentIndex(0);
  // Stamina hidden, Wage shown; the player name cannot be switched.
  f.PlayerColumns().item(3)->setCheckState(Qt::Unchecked);
  f.PlayerColumns().item(18)->setCheckState(Qt::Checked);
  EXPECT_FALSE(f.PlayerColumns().item(0)->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(f.PlayerColumns().item(28)->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(f.MatchColumns().item(0)->flags() & Qt::ItemIsEnabled);
  EXPECT_TRUE(f.MatchColumns().item(2)->flags() & Qt::ItemIsEnabled);
  f.OKClick();
  EXPECT_FALSE(Form->isVisible());
  const auto& prefs = Preferences();
  EXPECT_EQ(prefs.AlternateHistoryPath, "/data/kickvale/history/");
  EXPECT_TRUE(prefs.UseAlternateHistoryPath);
  EXPECT_EQ(prefs.SeasonLimit, 5);
  EXPECT_EQ(prefs.GetProxyServer(), "proxy.local");
  EXPECT_EQ(prefs.GetProxyPort(), "3128");
  EXPECT_EQ(prefs.CurrencyIndex, 0);
  EXPECT_FALSE(prefs.GetPlayerColumn(3));
  EXPECT_TRUE(prefs.GetPlayerColumn(18));
  EXPECT_TRUE(prefs.GetPlayerColumn(0));
  EXPECT_TRUE(prefs.ColumnsChanged);
  EXPECT_EQ(Applied, 1);

  // Cancel changes nothing.
  Form->show();
  f.SeasonLimit().setValue(9);
  f.CancelClick();
  EXPECT_EQ(Preferences().SeasonLimit, 5);
  EXPECT_EQ(Applied, 1);
}

TEST_F(TFormPreferencesTest, DefaultsPutEverySettingBack) {
  auto& prefs = Preferences();
  prefs.SeasonLimit = 7;
  prefs.EnableProxy = true;
  prefs.SetPlayerColumn(3, false);
  prefs.SetCurrencyIndex(4);
  prefs.ColumnsChanged = false;
  Form->show();
  EXPECT_EQ(Form->SeasonLimit().value(), 7);
  EXPECT_EQ(Form->PlayerColumns().item(3)->checkState(), Qt::Unchecked);
  Form->DefaultsClick();
  EXPECT_EQ(prefs.SeasonLimit, 2);
  EXPECT_FALSE(prefs.EnableProxy);
  EXPECT_TRUE(prefs.GetPlayerColumn(3));
  EXPECT_EQ(prefs.CurrencyIndex, DefaultCurrencyIndex);
  EXPECT_TRUE(prefs.ColumnsChanged);
  EXPECT_EQ(Applied, 1);
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(TFormPreferencesTest, WithoutGoalSoundTheGoalBoxesAreOffAndDisabled) {
  // A program whose shipped sound is gone, and no sound of the user's.
  const std::vector<std::filesystem::path> shipped = ShippedGoalSounds();
  ShippedGoalSounds().clear();
  Preferences().HomeTeamScores = true;
  Preferences().AwayTeamScores = true;
  Form->show();
  EXPECT_FALSE(Form->HomeTeamScores().isEnabled());
  EXPECT_FALSE(Form->AwayTeamScores().isChecked());
  EXPECT_FALSE(Preferences().HomeTeamScores);
  EXPECT_FALSE(Preferences().AwayTeamScores);
  Form->hide();

  WriteWholeFile(Home / "Goal.mp3", "ID3");
  Preferences().HomeTeamScores = true;
  Form->show();
  EXPECT_TRUE(Form->HomeTeamScores().isEnabled());
  EXPECT_TRUE(Form->HomeTeamScores().isChecked());
  EXPECT_FALSE(Form->AwayTeamScores().isChecked());
  Form->hide();
  ShippedGoalSounds() = shipped;

  // The sound shipped with the program is enough.
  std::filesystem::remove(Home / "Goal.mp3");
  Preferences().AwayTeamScores = true;
  Form->show();
  EXPECT_TRUE(Form->AwayTeamScores().isEnabled());
  EXPECT_TRUE(Form->AwayTeamScores().isChecked());
  Form->hide();
}

TEST_F(TFormPreferencesTest, TheLeagueListShowsTheChoicesAndTheCurrencyTableAllSlots) {
  Form->show();
  auto& f = *Form;
  EXPECT_EQ(f.League().count(), LeagueCurrencyChoices);
  EXPECT_EQ(f.League().currentIndex(), DefaultCurrencyIndex);
  EXPECT_EQ(f.League().currentText(), "USA");
  EXPECT_EQ(f.CurrencyName().text(), "US$");
  EXPECT_EQ(f.RelativeRate().text(), "10");
  for (int i = 0; i < LeagueCurrencyChoices; ++i) {
    f.League().setCurrentIndex(i);
    const TLeagueCurrency& currency = LeagueCurrencyAt(i);
    EXPECT_EQ(f.CurrencyName().text(), QString::fromUtf8(currency.CurrencyName)) << i;
  }
  f.League().setCurrentIndex(f.League().findText("South Africa"));
  EXPECT_EQ(f.RelativeRate().text(), "1.25");

  QTreeWidget& table = f.CurrencySettings();
  ASSERT_EQ(table.topLevelItemCount(), 114);
  for (int i = 1; i < table.topLevelItemCount(); ++i)
    EXPECT_LE(QString::compare(table.topLevelItem(i - 1)->text(0), table.topLevelItem(i)->text(0), Qt::CaseInsensitive),
              0)
        << i;
  const auto rows = table.findItems("Nippon", Qt::MatchExactly, 0);
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0]->text(1), "25");
  EXPECT_EQ(rows[0]->text(2), "0.10");
  EXPECT_EQ(rows[0]->text(3), "Yen");
  Form->hide();
}

TEST_F(TFormMainTest, PreferencesOKShowsAndHidesTheGridColumnsAndReleasesTheButton) {
  using enum TFormMain::TCommand;
  Window->ButtonAction(cmPreferences)->trigger();
  TFormPreferences& form = Window->FormPreferences();
  ASSERT_TRUE(form.isVisible());
  EXPECT_TRUE(Window->ButtonAction(cmPreferences)->isChecked());
  ASSERT_TRUE(Window->MainPlayerGrid().IsColumnVisible(3));
  ASSERT_FALSE(Window->TempMatchGrid().IsColumnVisible(2));
  form.PlayerColumns().item(3)->setCheckState(Qt::Unchecked);
  form.MatchColumns().item(2)->setCheckState(Qt::Checked);
  form.OKClick();
  EXPECT_FALSE(Window->ButtonAction(cmPreferences)->isChecked());
  for (TPlayerGrid* grid : {&Window->MainPlayerGrid(), &Window->TempPlayerGrid()})
    EXPECT_FALSE(grid->IsColumnVisible(3));
  for (TMatchGrid* grid : {&Window->MainMatchGrid(), &Window->TempMatchGrid()})
    EXPECT_TRUE(grid->IsColumnVisible(2));
  EXPECT_FALSE(Preferences().ColumnsChanged);
}
