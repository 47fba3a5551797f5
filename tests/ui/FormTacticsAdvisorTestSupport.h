#pragma once
// The lineup search's three windows on a created main window, as the program builds them, with players
// whose strength follows one level.
#include "FormMainTestSupport.h"

#include "core/PlayerList.h"
#include "ui/FormCustomFormation.h"
#include "ui/FormTacticsAdvisor.h"
#include "ui/FormTeamSelection.h"
#include "ui/FormationDisplay.h"
#include "ui/Icons.h"
#include "ui/SyncHook.h"

#include <QListWidget>

// A field player whose every outfield skill is level: a higher level gives a higher best rating.
inline std::unique_ptr<TPlayer> LevelPlayer(const std::string& name, int64_t id, int level) {
  auto p = MakeTestPlayer(name, id);
  p->PlaymakerSkill = p->WingerSkill = p->ScorerSkill = p->PassingSkill = p->DefenderSkill = level;
  p->SetPiecesSkill = level;
  p->KeeperSkill = 1;
  return p;
}

inline std::unique_ptr<TPlayer> KeeperPlayer(const std::string& name, int64_t id, int level) {
  auto p = MakeTestPlayer(name, id);
  p->PlaymakerSkill = p->WingerSkill = p->ScorerSkill = p->PassingSkill = p->DefenderSkill = 1;
  p->KeeperSkill = level;
  return p;
}

class TLineupWindowsTest : public TFormMainTest {
protected:
  void SetUp() override {
    TFormMainTest::SetUp();
    TSyncHook::Install();
    Advisor = std::make_unique<TFormTacticsAdvisor>(*Window);
    Selection = std::make_unique<TFormTeamSelection>(*Window, *Advisor);
    Custom = std::make_unique<TFormCustomFormation>(*Advisor);
  }
  void TearDown() override {
    Custom.reset();
    Selection.reset();
    Advisor.reset();
    TSyncHook::Uninstall();
    TFormMainTest::TearDown();
  }

  // Puts the players into the main grid, in this order.
  void AddToGrid(std::vector<std::unique_ptr<TPlayer>> players) {
    for (auto& p : players) Window->MainPlayerGrid().AddPlayer(*p);
  }
  // Field players "P01".. with these levels, then keepers "K1".. with theirs.
  void AddSquad(const std::vector<int>& levels, const std::vector<int>& keeperLevels = {10, 8}) {
    std::vector<std::unique_ptr<TPlayer>> players;
    int64_t id = 5000;
    for (size_t i = 0; i < levels.size(); ++i) {
      char name[8];
      std::snprintf(name, sizeof name, "P%02d", static_cast<int>(i + 1));
      players.push_back(LevelPlayer(name, id++, levels[i]));
    }
    for (size_t i = 0; i < keeperLevels.size(); ++i)
      players.push_back(KeeperPlayer("K" + std::to_string(i + 1), id++, keeperLevels[i]));
    AddToGrid(std::move(players));
  }
  // The main window's Tactics Advisor command.
  void OpenAdvisor() { Window->TacticsAdvisorClick(); }

  // Names of the checked (or, with enabled, the enabled) items of a list.
  static QStringList ItemNames(const QListWidget& list, bool enabled = false) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
      const QListWidgetItem& item = *list.item(row);
      const bool match = enabled ? bool(item.flags() & Qt::ItemIsEnabled) : item.checkState() == Qt::Checked;
      if (match) names << item.text().left(30).trimmed();
    }
    return names;
  }
  static void Check(QListWidget& list, int row, bool checked) {
    list.item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  // Runs the search's window calls until it has ended.
  bool WaitForSearch(int milliseconds = 120000) {
    return WaitUntil([this] { return !Selection->Searching(); }, milliseconds);
  }

  std::unique_ptr<TFormTacticsAdvisor> Advisor;
  std::unique_ptr<TFormTeamSelection> Selection;
  std::unique_ptr<TFormCustomFormation> Custom;
};
