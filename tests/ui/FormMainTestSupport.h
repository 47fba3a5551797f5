#pragma once
// Shared pieces of the main window's tests: captured message boxes, players, and a created main window in
// a fresh program folder.
#include "TestSupport.h"

#include "core/Player.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "ui/FormMain.h"
#include "ui/Messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Message boxes and questions go to lists; questions are answered from a queue (default: the first button).
struct TCapturedMessages {
  QStringList Texts;
  QStringList Questions;
  std::deque<TMessageButton> Answers;
  TCapturedMessages() {
    SetMessageSink([this](const QString& text) { Texts << text; });
    SetQuestionSink([this](const QString& text, int buttons) {
      Questions << text;
      if (!Answers.empty()) {
        const TMessageButton answer = Answers.front();
        Answers.pop_front();
        return answer;
      }
      return (buttons & mbOK) ? mbOK : mbYes;
    });
  }
  ~TCapturedMessages() {
    SetMessageSink({});
    SetQuestionSink({});
  }
};

inline std::unique_ptr<TPlayer> MakeTestPlayer(const std::string& name, int64_t id, int skill = 5) {
  auto p = std::make_unique<TPlayer>();
  p->PlayerName = name;
  p->PlayerID = id;
  p->Age = 22;
  p->InjuryLevel = -1;
  p->PlayerForm = 7;
  p->Experience = 4;
  p->Leadership = 3;
  p->StaminaSkill = 6;
  p->PlaymakerSkill = skill;
  p->WingerSkill = 4;
  p->ScorerSkill = 3;
  p->KeeperSkill = 1;
  p->PassingSkill = 5;
  p->DefenderSkill = 7;
  p->SetPiecesSkill = 2;
  p->TSI = 12345;
  p->Salary = 23000;
  p->CountryID = 1;
  p->Agreeability = 2;
  p->Honesty = 3;
  p->Aggressiveness = 1;
  return p;
}

inline void AddTestPlayers(TPlayerGrid& grid, std::initializer_list<const char*> names, int64_t firstID = 1000) {
  int64_t id = firstID;
  for (const char* name : names) {
    grid.AddPlayer(*MakeTestPlayer(name, id, 3 + static_cast<int>(id % 5)));
    ++id;
  }
}

inline QStringList GridNames(const TAdvGrid& grid) {
  QStringList names;
  if (grid.IsEmpty()) return names;
  for (int r = TAdvGrid::FixedRows; r < grid.RowCount(); ++r) names << grid.Cell(0, r);
  return names;
}

// Processes events until done() or the time is up; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 60000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// The global state the window reads, put back to a first start's.
inline void ResetProgramState() {
  History().Clear();
  History().SetTrainingOn(false);
  auto& prefs = Preferences();
  prefs.SetDefaults();
  prefs.ColumnsChanged = false;
  prefs.SelectedTeamM.clear();
  prefs.SelectedTeamT.clear();
  prefs.IndexTypeM = prefs.IndexResultM = prefs.IndexWeatherM = 0;
  prefs.IndexTypeT = prefs.IndexResultT = prefs.IndexWeatherT = 0;
  prefs.StateAssumePassableForms = prefs.StatePlayerComparison = prefs.StateTraining = false;
}

// A main window created in a fresh program folder (not shown: the start-up loader does not run).
class TFormMainTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetProgramState();
    Window = std::make_unique<TFormMain>(Home.Path() / "");
    ASSERT_TRUE(Window->FormCreate());
  }
  void TearDown() override {
    Window.reset();
    ResetProgramState();
  }

  TTempFolder Home;
  TCapturedMessages Messages;
  std::unique_ptr<TFormMain> Window;
};
