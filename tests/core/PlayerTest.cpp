// The player record: reading a Player element, values by attribute code, copies, display names.
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Player.h"
#include "core/PlayerVocabulary.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <limits>

namespace {
// A complete Player element; the element `name` gets `text` instead of its value, or is left out
// when `drop` is set.
std::string PlayerXml(const std::string& name = "PlayerName", const char* text = nullptr, bool drop = false) {
  const std::pair<const char*, const char*> fields[] = {
      {"PlayerID", "198765432"}, {"PlayerName", "Jos\xC3\xA9 Mar\xC3\xAD" "a"}, {"Age", "27"},
      {"InjuryLevel", "-1"},      {"PlayerForm", "7"},  {"StaminaSkill", "7"},  {"PlaymakerSkill", "9"},
      {"ScorerSkill", "6"},       {"PassingSkill", "8"}, {"WingerSkill", "4"},  {"SetPiecesSkill", "5"},
      {"DefenderSkill", "3"},     {"KeeperSkill", "1"}, {"Experience", "5"},    {"Leadership", "3"},
      {"Salary", "15600"},        {"TSI", "8920"},      {"CareerGoals", "14"},  {"LeagueGoals", "9"},
      {"CupGoals", "2"},          {"FriendliesGoals", "3"}, {"CareerKickvales", "1"}, {"CountryID", "12"},
      {"Cards", "1"},             {"Specialty", "1"},   {"TransferListed", "1"}, {"Agreeability", "3"},
      {"Honesty", "2"},           {"Aggressiveness", "4"}};
  std::string xml = "<Player>";
  for (auto [element, value] : fields) {
    if (name == element && drop) continue;
    xml += std::string("<") + element + ">" + (name == element && text ? text : value) + "</" + element + ">";
  }
  return xml + "<TrainerData><TrainerType>2</TrainerType><TrainerSkill>6</TrainerSkill></TrainerData></Player>";
}

void Load(TPlayer& p, const std::string& xml) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  p.LoadFromXML(doc.child("Player"));
}
}  // namespace

TEST(Player, LoadFromXMLReadsEveryField) {
  TPlayer p(wSunny, true, true);
  Load(p, PlayerXml());
  EXPECT_EQ(p.PlayerID, 198765432);
  EXPECT_EQ(p.PlayerName, "Jos\xC3\xA9 Mar\xC3\xAD" "a");
  EXPECT_EQ(p.Age, 27);
  EXPECT_EQ(p.InjuryLevel, -1);
  EXPECT_EQ(p.PlayerForm, 7);
  EXPECT_EQ(p.StaminaSkill, 7);
  EXPECT_EQ(p.PlaymakerSkill, 9);
  EXPECT_EQ(p.ScorerSkill, 6);
  EXPECT_EQ(p.PassingSkill, 8);
  EXPECT_EQ(p.WingerSkill, 4);
  EXPECT_EQ(p.SetPiecesSkill, 5);
  EXPECT_EQ(p.DefenderSkill, 3);
  EXPECT_EQ(p.KeeperSkill, 1);
  EXPECT_EQ(p.Experience, 5);
  EXPECT_EQ(p.Leadership, 3);
  EXPECT_EQ(p.Salary, 15600);
  EXPECT_EQ(p.TSI, 8920);
  EXPECT_EQ(p.CareerGoals, 14);
  EXPECT_EQ(p.LeagueGoals, 9);
  EXPECT_EQ(p.CupGoals, 2);
  EXPECT_EQ(p.FriendliesGoals, 3);
  EXPECT_EQ(p.CareerKickvales, 1);
  EXPECT_EQ(p.CountryID, 12);
  EXPECT_EQ(p.Cards, 1);
  EXPECT_EQ(p.Specialty, spTechnical);
  EXPECT_EQ(p.TransferListed, 1);
  EXPECT_EQ(p.Agreeability, 3);
  EXPECT_EQ(p.Honesty, 2);
  EXPECT_EQ(p.Aggressiveness, 4);
  EXPECT_EQ(p.TrainerType, "2");
  EXPECT_EQ(p.TrainerSkill, "6");
  // The creator's settings stay.
  EXPECT_EQ(p.Weather, wSunny);
  EXPECT_TRUE(p.IncludeTraining);
  EXPECT_TRUE(p.IgnoreForm);
  EXPECT_FALSE(p.InLineup);
}

TEST(Player, NameBlanksCollapseInOnePass) {
  const std::pair<const char*, const char*> cases[] = {
      {"Jan  van   der Berg", "Jan van  der Berg"},
      {"  Lead", " Lead"},
      {"a    b", "a  b"},
      {"Ann Lee", "Ann Lee"},
      {"", ""},
  };
  for (auto [raw, expected] : cases) {
    TPlayer p;
    Load(p, PlayerXml("PlayerName", raw));
    EXPECT_EQ(p.PlayerName, expected) << raw;
  }
}

TEST(Player, MissingTrainerDataAndNameGiveEmptyTexts) {
  std::string xml = PlayerXml("PlayerName", nullptr, true);
  xml.replace(xml.find("<TrainerData>"), xml.find("</Player>") - xml.find("<TrainerData>"), "<TrainerData/>");
  TPlayer p;
  Load(p, xml);
  EXPECT_EQ(p.PlayerName, "");
  EXPECT_EQ(p.TrainerType, "");
  EXPECT_EQ(p.TrainerSkill, "");

  std::string noTrainer = PlayerXml();
  noTrainer.replace(noTrainer.find("<TrainerData>"), noTrainer.find("</Player>") - noTrainer.find("<TrainerData>"), "");
  TPlayer q;
  Load(q, noTrainer);
  EXPECT_EQ(q.TrainerType, "");
  EXPECT_EQ(q.Age, 27);
}

TEST(Player, MissingOrMalformedNumbersFailTheElement) {
  const std::pair<const char*, const char*> cases[] = {
      {"Age", ""}, {"Age", "27 "}, {"TSI", "8.920"}, {"KeeperSkill", "x"}, {"Aggressiveness", "--1"},
      {"Salary", "99999999999"}, {"PlayerID", ""}};
  for (auto [element, text] : cases) {
    TPlayer p;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(PlayerXml(element, text).c_str()));
    try {
      p.LoadFromXML(doc.child("Player"));
      ADD_FAILURE() << element << " '" << text << "' was accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value");
    }
  }
  TPlayer p;
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(PlayerXml("Honesty", nullptr, true).c_str()));
  EXPECT_THROW(p.LoadFromXML(doc.child("Player")), EConvertError);
}

TEST(Player, ValuesByAttributeCode) {
  TPlayer p;
  Load(p, PlayerXml());
  p.Weather = wRainy;  // Technical: playmaking and scoring -0.8
  const std::pair<int, double> expected[] = {
      {1, 12},    {2, 198765432}, {3, 7},   {4, 8.2},  {5, 4},    {6, 5.2},  {7, 1},   {8, 8},  {9, 3},
      {10, 5},    {11, 7},        {12, 5},  {13, 3},   {14, 1},   {15, -1},  {16, 27}, {17, 8920},
      {18, 15600}, {19, 14},      {20, 9},  {21, 2},   {22, 3},   {23, 1},   {24, 1},  {25, 3}, {26, 2},
      {27, 4},    {0, -1},        {28, -1}, {29, -1},  {38, -1},  {-5, -1}};
  for (auto [code, value] : expected) EXPECT_DOUBLE_EQ(p.GetValue(code), value) << code;
  EXPECT_EQ(p.GetIntValue(4), 8);
  EXPECT_EQ(p.GetIntValue(6), 5);
  EXPECT_EQ(p.GetIntValue(28), -1);
  for (int code = 30; code <= 37; ++code) EXPECT_GT(p.GetValue(code), 0) << code;
  EXPECT_EQ(p.GetBaseSkill(4), 9);   // stored, without the weather
  EXPECT_EQ(p.GetBaseSkill(10), 5);
  EXPECT_EQ(p.GetBaseSkill(11), -1);
  EXPECT_EQ(p.GetBaseSkill(2), -1);
}

TEST(Player, SetValueStoresTheIntegerPartInTheCodesField) {
  TPlayer p;
  for (int code = 1; code <= 27; ++code) p.SetValue(code, code + 0.75);
  EXPECT_EQ(p.CountryID, 1);
  EXPECT_EQ(p.PlayerID, 2);
  EXPECT_EQ(p.StaminaSkill, 3);
  EXPECT_EQ(p.PlaymakerSkill, 4);
  EXPECT_EQ(p.WingerSkill, 5);
  EXPECT_EQ(p.ScorerSkill, 6);
  EXPECT_EQ(p.KeeperSkill, 7);
  EXPECT_EQ(p.PassingSkill, 8);
  EXPECT_EQ(p.DefenderSkill, 9);
  EXPECT_EQ(p.SetPiecesSkill, 10);
  for (int code = 11; code <= 27; ++code) EXPECT_EQ(p.GetIntValue(code), code) << code;
  EXPECT_EQ(p.PlayerForm, 11);
  EXPECT_EQ(p.Aggressiveness, 27);

  p.SetValue(paInjuryLevel, -1.9);  // toward zero
  EXPECT_EQ(p.InjuryLevel, -1);
  p.SetValue(paPlayerID, -7);  // sign-extended
  EXPECT_EQ(p.PlayerID, -7);

  // Rating codes are computed; setting them or a code without a field changes nothing.
  TPlayer q;
  q.KeeperSkill = 10;
  q.PlayerForm = 8;
  q.InjuryLevel = -1;
  const double keeper = q.GetKeeperRating();
  q.SetValue(paKeeperRating, 1);
  q.SetValue(28, 5);
  EXPECT_EQ(q.GetKeeperRating(), keeper);
  // SetValue leaves the cache alone: the stale rating stays until ClearRatings.
  q.SetValue(paKeeper, 20);
  EXPECT_EQ(q.GetKeeperRating(), keeper);
}

TEST(Player, ValuesOutside32BitsAreRangeErrors) {
  TPlayer p;
  EXPECT_THROW(p.SetValue(paAge, 2147483648.0), ERangeError);
  EXPECT_THROW(p.SetValue(paAge, -2147483649.0), ERangeError);
  EXPECT_THROW(p.SetValue(paAge, std::numeric_limits<double>::quiet_NaN()), ERangeError);
  EXPECT_THROW(p.SetValue(29, 1e12), ERangeError);
  EXPECT_EQ(p.Age, 0);
  p.SetValue(paAge, 2147483647.9);
  EXPECT_EQ(p.Age, 2147483647);
  p.PlayerID = int64_t(1) << 33;
  EXPECT_DOUBLE_EQ(p.GetValue(paPlayerID), 8589934592.0);
  EXPECT_THROW(p.GetIntValue(paPlayerID), ERangeError);
}

TEST(Player, CloneCopiesValuesFlagsAndTheRatingCache) {
  TPlayer p(wSunny, true, false);
  Load(p, PlayerXml());
  p.IncludeTraining = false;
  p.IgnoreForm = true;
  p.InLineup = true;
  const double best = p.GetBestRating();
  auto c = p.Clone();
  EXPECT_NE(c.get(), &p);
  EXPECT_EQ(c->PlayerName, p.PlayerName);
  EXPECT_EQ(c->TrainerSkill, "6");
  EXPECT_EQ(c->TransferListed, 1);
  EXPECT_EQ(c->Weather, wSunny);
  EXPECT_TRUE(c->IgnoreForm);
  EXPECT_FALSE(c->IncludeTraining);
  EXPECT_TRUE(c->InLineup);
  for (int code = 1; code <= 37; ++code) EXPECT_EQ(c->GetValue(code), p.GetValue(code)) << code;
  EXPECT_EQ(c->RatingCache(), p.RatingCache());
  // A clone returns the cached ratings without recomputing them.
  c->KeeperSkill = 20;
  EXPECT_EQ(c->GetBestRating(), best);
}

TEST(PlayerVocabulary, SkillLevelNames) {
  const std::pair<double, const char*> cases[] = {
      {0, "non-existent"}, {-1, "non-existent"}, {-0.5, "non-existent"}, {5.99, "inadequate"},
      {13, "world class"}, {16, "extra-terrestrial"}, {20, "divine"}, {20.9, "divine"},
      {21, "divine +1"},   {23, "divine +3"},   {23.7, "divine +3"}};
  for (auto [level, name] : cases) EXPECT_EQ(SkillLevelName(level), name) << level;
  EXPECT_STREQ(SkillLevelNames[0], "non-existent");
  EXPECT_STREQ(SkillLevelNames[20], "divine");
}

TEST(PlayerVocabulary, NamesOfCodedValues) {
  EXPECT_EQ(SpecialtyName(0), "");
  EXPECT_EQ(SpecialtyName(0, true), "");
  EXPECT_EQ(SpecialtyName(1), "Technical");
  EXPECT_EQ(SpecialtyName(5, true), "Hea");
  EXPECT_EQ(SpecialtyName(6), "Regainer");
  EXPECT_EQ(AgreeabilityName(5), "beloved team member");
  EXPECT_EQ(AgreeabilityName(0, true), "Nas");
  EXPECT_EQ(HonestyName(5), "saint like");
  EXPECT_EQ(HonestyName(3, true), "Upr");
  EXPECT_EQ(AggressivenessName(4), "fiery");
  EXPECT_EQ(AggressivenessName(1, true), "Cal");
  EXPECT_EQ(WeatherName(2), "Partially cloudy");
  EXPECT_EQ(WeatherName(5), "Disabled");
  EXPECT_THROW(SpecialtyName(7), ERangeError);
  EXPECT_THROW(AggressivenessName(5), ERangeError);
  EXPECT_THROW(HonestyName(-1), ERangeError);
  EXPECT_EQ(InjuryLevelName(-1), "healthy");
  EXPECT_EQ(InjuryLevelName(0), "bruised, but playing");
  EXPECT_EQ(InjuryLevelName(1), "bruised, but training");
  EXPECT_EQ(InjuryLevelName(3), "injured (3 weeks)");
}

TEST(PlayerVocabulary, NamesAreTranslatedWhereShown) {
  TTempFolder programFolder;  // no "locale" folder of its own: the build tree's catalogues are used
  const std::string savedLocale = setlocale(LC_ALL, nullptr);
  const char* oldAll = std::getenv("LC_ALL");
  const char* oldLanguage = std::getenv("LANGUAGE");
  const std::string savedAll = oldAll ? oldAll : "", savedLanguage = oldLanguage ? oldLanguage : "";
  auto restore = [&] {
    if (oldAll) setenv("LC_ALL", savedAll.c_str(), 1); else unsetenv("LC_ALL");
    if (oldLanguage) setenv("LANGUAGE", savedLanguage.c_str(), 1); else unsetenv("LANGUAGE");
    InitTranslations(programFolder.Path());
    setlocale(LC_ALL, savedLocale.c_str());
  };
  if (!setlocale(LC_ALL, "de_DE.UTF-8")) {
    restore();
    FAIL() << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  }
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  setenv("LANGUAGE", "de", 1);
  InitTranslations(programFolder.Path());
  EXPECT_EQ(SkillLevelName(23), "g\xC3\xB6ttlich +3");
  EXPECT_EQ(SkillLevelName(13), "Weltklasse");
  EXPECT_EQ(SpecialtyName(0), "");  // never the catalogue header
  EXPECT_EQ(SpecialtyName(spHead, true), "Kop");
  EXPECT_EQ(InjuryLevelName(4), "verletzt (4 Wochen)");
  EXPECT_STREQ(SkillLevelNames[20], "divine");  // the table itself stays untranslated
  restore();
  EXPECT_EQ(SkillLevelName(23), "divine +3");
}
