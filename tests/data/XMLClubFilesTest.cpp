// The readers of the club files: which values must be numbers, which may be empty, and that a failing file
// leaves the record as it was.
#include "XMLFixtureEdit.h"

#include "core/Errors.h"
#include "data/XMLArena.h"
#include "data/XMLClub.h"
#include "data/XMLEconomy.h"
#include "data/XMLRegion.h"
#include "data/XMLTeam.h"
#include "data/XMLTraining.h"

#include <gtest/gtest.h>

namespace {
std::string NotAnInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

TEST(XMLTeam, ReadsEveryFieldOfTheTeamDetails) {
  TXMLTeam team;
  team.Read(FixturePath("data/TeamDetails.xml"));
  EXPECT_EQ(team.LeagueID, "5");
  EXPECT_EQ(team.TeamID, "177327");
  EXPECT_EQ(team.TeamName, "Olympique de Mémed");
  EXPECT_EQ(team.Loginname, "Jürgen Ødegård");
  EXPECT_EQ(team.Email, "jo@example.org");
  EXPECT_EQ(team.ICQ, "123456");
  EXPECT_EQ(team.HomePage, "http://memed.example.org/?a=1&b=2");
  EXPECT_EQ(team.LeagueLevelUnitName, "VII.85");
  EXPECT_EQ(team.NumberOfVictories, 4);
  EXPECT_EQ(team.NumberOfUndefeated, 11);
  EXPECT_EQ(team.TrainerPlayerID, 238124673);
}

TEST(XMLTeam, NumbersAreStrictAndTextsNeverFail) {
  using TInt = TFieldCase<TXMLTeam, int32_t>;
  RunFieldCases<TXMLTeam, int32_t>(
      "TeamDetails.xml",
      {
          TInt{"letters in victories", "<NumberOfVictories>4<", "<NumberOfVictories>4a<",
               &TXMLTeam::NumberOfVictories, 0, NotAnInteger("4a")},
          TInt{"empty victories", "<NumberOfVictories>4<", "<NumberOfVictories><",
               &TXMLTeam::NumberOfVictories, 0, NotAnInteger("")},
          TInt{"missing victories", "<NumberOfVictories>4</NumberOfVictories>", "",
               &TXMLTeam::NumberOfVictories, 0, NotAnInteger("")},
          TInt{"leading blanks are allowed", "<NumberOfUndefeated>11<", "<NumberOfUndefeated>  11<",
               &TXMLTeam::NumberOfUndefeated, 11, ""},
          TInt{"a trailing blank is not", "<NumberOfUndefeated>11<", "<NumberOfUndefeated>11 <",
               &TXMLTeam::NumberOfUndefeated, 0, NotAnInteger("11 ")},
          TInt{"beyond 32 bits", "<NumberOfUndefeated>11<", "<NumberOfUndefeated>2147483648<",
               &TXMLTeam::NumberOfUndefeated, 0, NotAnInteger("2147483648")},
          TInt{"smallest 32-bit value", "<NumberOfUndefeated>11<", "<NumberOfUndefeated>-2147483648<",
               &TXMLTeam::NumberOfUndefeated, INT32_MIN, ""},
          TInt{"decimal fraction", "<NumberOfUndefeated>11<", "<NumberOfUndefeated>11.0<",
               &TXMLTeam::NumberOfUndefeated, 0, NotAnInteger("11.0")},
          TInt{"team without trainer", "<PlayerID>238124673</PlayerID>", "", &TXMLTeam::TrainerPlayerID, 0,
               NotAnInteger("")},
      });
  using TText = TFieldCase<TXMLTeam, std::string>;
  RunFieldCases<TXMLTeam, std::string>(
      "TeamDetails.xml",
      {
          TText{"missing e-mail", "<Email>jo@example.org</Email>", "", &TXMLTeam::Email, "", ""},
          TText{"empty ICQ", "<ICQ>123456</ICQ>", "<ICQ/>", &TXMLTeam::ICQ, "", ""},
          TText{"league without LeagueID", "<LeagueID>5</LeagueID>", "", &TXMLTeam::LeagueID, "", ""},
          TText{"TeamID stays text", "<TeamID>177327<", "<TeamID>0177327<", &TXMLTeam::TeamID, "0177327", ""},
          TText{"CDATA name", "<TeamName>Olympique de Mémed<", "<TeamName><![CDATA[A < B]]><",
                &TXMLTeam::TeamName, "A < B", ""},
          TText{"any root name", "KickvaleData", "SomeOtherRoot", &TXMLTeam::TeamName, "Olympique de Mémed", ""},
          TText{"no User element", "User>", "Manager>", &TXMLTeam::Loginname, "", ""},
      });
}

TEST(XMLTraining, ReadsEveryFieldAndAcceptsAnEmptyStaminaShare) {
  TXMLTraining training;
  training.Read(FixturePath("data/Training.xml"));
  EXPECT_EQ(training.TrainingLevel, 95);
  EXPECT_EQ(training.StaminaTrainingPart, 15);
  EXPECT_EQ(training.TrainingType, 8);
  EXPECT_EQ(training.Morale, 6);
  EXPECT_EQ(training.SelfConfidence, 4);
  EXPECT_EQ(training.Experience433, 1);
  EXPECT_EQ(training.Experience451, 2);
  EXPECT_EQ(training.Experience352, 3);
  EXPECT_EQ(training.Experience532, 5);
  EXPECT_EQ(training.Experience343, 7);
  EXPECT_EQ(training.Experience541, 9);
  EXPECT_EQ(training.TrainerID, 238124673);

  using TInt = TFieldCase<TXMLTraining, int32_t>;
  const std::string stamina = "<StaminaTrainingPart>15</StaminaTrainingPart>";
  RunFieldCases<TXMLTraining, int32_t>(
      "Training.xml",
      {
          TInt{"empty stamina share", stamina, "<StaminaTrainingPart></StaminaTrainingPart>",
               &TXMLTraining::StaminaTrainingPart, 0, ""},
          TInt{"blank stamina share", stamina, "<StaminaTrainingPart> </StaminaTrainingPart>",
               &TXMLTraining::StaminaTrainingPart, 0, ""},
          TInt{"missing stamina share", stamina, "", &TXMLTraining::StaminaTrainingPart, 0, ""},
          TInt{"stamina share that is no number", stamina, "<StaminaTrainingPart>x</StaminaTrainingPart>",
               &TXMLTraining::StaminaTrainingPart, 0, NotAnInteger("x")},
          TInt{"empty training level", "<TrainingLevel>95<", "<TrainingLevel><", &TXMLTraining::TrainingLevel, 0,
               NotAnInteger("")},
          TInt{"missing formation experience", "<Experience541>9</Experience541>", "",
               &TXMLTraining::Experience541, 0, NotAnInteger("")},
          TInt{"attributes do not matter", "<Morale>6<", "<Morale Available=\"True\">6<", &TXMLTraining::Morale,
               6, ""},
      });
  using TInt64 = TFieldCase<TXMLTraining, int64_t>;
  RunFieldCases<TXMLTraining, int64_t>(
      "Training.xml",
      {
          TInt64{"trainer ID beyond 32 bits", "<TrainerID>238124673<", "<TrainerID>3000000000<",
                 &TXMLTraining::TrainerID, 3000000000, ""},
          TInt64{"empty trainer ID", "<TrainerID>238124673<", "<TrainerID><", &TXMLTraining::TrainerID, 0,
                 NotAnInteger("")},
      });
}

TEST(XMLArena, ReadsTheCapacitiesAndTreatsEmptyExpansionsAsNone) {
  TXMLArena arena;
  arena.Read(FixturePath("data/ArenaDetails.xml"));
  EXPECT_EQ(arena.ArenaName, "Stade de l'Étoile");
  EXPECT_EQ(arena.Terraces, 9000);
  EXPECT_EQ(arena.Basic, 3500);
  EXPECT_EQ(arena.Roof, 1200);
  EXPECT_EQ(arena.VIP, 300);
  EXPECT_EQ(arena.Total, 14000);
  EXPECT_EQ(arena.ExpandedTerraces, 1000);
  EXPECT_EQ(arena.ExpandedBasic, 500);
  EXPECT_EQ(arena.ExpandedRoof, 200);
  EXPECT_EQ(arena.ExpandedVIP, 50);

  using TInt = TFieldCase<TXMLArena, int32_t>;
  const std::string expanded =
      "<Terraces>1000</Terraces>\n      <Basic>500</Basic>\n      <Roof>200</Roof>\n      <VIP>50</VIP>";
  const std::string emptyExpanded = "<Terraces/><Basic></Basic><Roof/><VIP/>";
  RunFieldCases<TXMLArena, int32_t>(
      "ArenaDetails.xml",
      {
          TInt{"empty expanded terraces", expanded, emptyExpanded, &TXMLArena::ExpandedTerraces, 0, ""},
          TInt{"empty expanded basic", expanded, emptyExpanded, &TXMLArena::ExpandedBasic, 0, ""},
          TInt{"empty expanded roof", expanded, emptyExpanded, &TXMLArena::ExpandedRoof, 0, ""},
          TInt{"empty expanded VIP", expanded, emptyExpanded, &TXMLArena::ExpandedVIP, 0, ""},
          TInt{"no expansion element", "ExpandedCapacity>", "Rebuilding>", &TXMLArena::ExpandedBasic, 0, ""},
          TInt{"current values unaffected", expanded, emptyExpanded, &TXMLArena::Basic, 3500, ""},
          TInt{"expansion that is no number", "<Roof>200</Roof>", "<Roof>2OO</Roof>", &TXMLArena::ExpandedRoof, 0,
               NotAnInteger("2OO")},
          TInt{"empty current total", "<Total>14000</Total>", "<Total></Total>", &TXMLArena::Total, 0,
               NotAnInteger("")},
          TInt{"missing current VIP", "<VIP>300</VIP>", "", &TXMLArena::VIP, 0, NotAnInteger("")},
      });
  using TText = TFieldCase<TXMLArena, std::string>;
  RunFieldCases<TXMLArena, std::string>(
      "ArenaDetails.xml", {TText{"missing name", "<ArenaName>Stade de l'Étoile</ArenaName>", "",
                                 &TXMLArena::ArenaName, "", ""}});
}

// The economy fields in their order, with the element each comes from.
struct TEconomyAmount {
  const char* Name;
  int64_t TXMLEconomy::*Field;
};
const TEconomyAmount EconomyAmounts[] = {
    {"Cash", &TXMLEconomy::Cash},
    {"ExpectedCash", &TXMLEconomy::ExpectedCash},
    {"IncomeSponsors", &TXMLEconomy::IncomeSponsors},
    {"IncomeSpectators", &TXMLEconomy::IncomeSpectators},
    {"IncomeFinancial", &TXMLEconomy::IncomeFinancial},
    {"IncomeTemporary", &TXMLEconomy::IncomeTemporary},
    {"IncomeSum", &TXMLEconomy::IncomeSum},
    {"CostsPlayers", &TXMLEconomy::CostsPlayers},
    {"CostsStaff", &TXMLEconomy::CostsStaff},
    {"CostsArena", &TXMLEconomy::CostsArena},
    {"CostsYouth", &TXMLEconomy::CostsYouth},
    {"CostsFinancial", &TXMLEconomy::CostsFinancial},
    {"CostsTemporary", &TXMLEconomy::CostsTemporary},
    {"CostsSum", &TXMLEconomy::CostsSum},
    {"ExpectedWeeksTotal", &TXMLEconomy::ExpectedWeeksTotal},
    {"LastIncomeSponsors", &TXMLEconomy::LastIncomeSponsors},
    {"LastIncomeSpectators", &TXMLEconomy::LastIncomeSpectators},
    {"LastIncomeFinancial", &TXMLEconomy::LastIncomeFinancial},
    {"LastIncomeTemporary", &TXMLEconomy::LastIncomeTemporary},
    {"LastIncomeSum", &TXMLEconomy::LastIncomeSum},
    {"LastCostsPlayers", &TXMLEconomy::LastCostsPlayers},
    {"LastCostsStaff", &TXMLEconomy::LastCostsStaff},
    {"LastCostsArena", &TXMLEconomy::LastCostsArena},
    {"LastCostsYouth", &TXMLEconomy::LastCostsYouth},
    {"LastCostsFinancial", &TXMLEconomy::LastCostsFinancial},
    {"LastCostsTemporary", &TXMLEconomy::LastCostsTemporary},
    {"LastCostsSum", &TXMLEconomy::LastCostsSum},
    {"LastWeeksTotal", &TXMLEconomy::LastWeeksTotal},
};

TEST(XMLEconomy, EveryFieldComesFromItsOwnElement) {
  // The fixture gives field i (counted from 1 in field order) the value i * 1001, the first three i.
  TXMLEconomy economy;
  economy.Read(FixturePath("data/Economy.xml"));
  EXPECT_EQ(economy.FanClubSize, 1);
  EXPECT_EQ(economy.SponsorsPopularity, 2);
  EXPECT_EQ(economy.SupportersPopularity, 3);
  int64_t index = 3;
  for (const auto& amount : EconomyAmounts) {
    ++index;
    EXPECT_EQ(economy.*amount.Field, index * 1001) << amount.Name;
  }
}

TEST(XMLEconomy, EveryValueIsMandatory) {
  std::vector<TFieldCase<TXMLEconomy, int64_t>> amounts;
  int64_t index = 3;
  for (const auto& amount : EconomyAmounts) {
    ++index;
    const std::string value = std::to_string(index * 1001);
    const std::string open = std::string("<") + amount.Name + ">";
    amounts.push_back({amount.Name, open + value + "<", open + "<", amount.Field, 0, NotAnInteger("")});
  }
  RunFieldCases<TXMLEconomy, int64_t>("Economy.xml", amounts);
  using TInt = TFieldCase<TXMLEconomy, int32_t>;
  RunFieldCases<TXMLEconomy, int32_t>(
      "Economy.xml",
      {
          TInt{"empty fan club", "<FanClubSize>1<", "<FanClubSize><", &TXMLEconomy::FanClubSize, 0,
               NotAnInteger("")},
          TInt{"missing sponsors' popularity", "<SponsorsPopularity>2</SponsorsPopularity>", "",
               &TXMLEconomy::SponsorsPopularity, 0, NotAnInteger("")},
          TInt{"supporters' popularity with letters", "<SupportersPopularity>3<", "<SupportersPopularity>good<",
               &TXMLEconomy::SupportersPopularity, 0, NotAnInteger("good")},
          TInt{"a fan club beyond 32 bits", "<FanClubSize>1<", "<FanClubSize>3000000000<",
               &TXMLEconomy::FanClubSize, 0, NotAnInteger("3000000000")},
      });
}

TEST(XMLEconomy, AmountsUseTheFull64BitRange) {
  using TInt64 = TFieldCase<TXMLEconomy, int64_t>;
  RunFieldCases<TXMLEconomy, int64_t>(
      "Economy.xml",
      {
          TInt64{"cash beyond 32 bits", "<Cash>4004<", "<Cash>3000000000<", &TXMLEconomy::Cash, 3000000000, ""},
          TInt64{"a loss beyond 32 bits", "<LastWeeksTotal>31031<", "<LastWeeksTotal>-2147483649<",
                 &TXMLEconomy::LastWeeksTotal, -2147483649, ""},
          TInt64{"cash beyond 64 bits", "<Cash>4004<", "<Cash>9223372036854775808<", &TXMLEconomy::Cash, 0,
                 NotAnInteger("9223372036854775808")},
      });
}

TEST(XMLClub, ReadsTheStaffAndTheYouthLevel) {
  TXMLClub club;
  club.Read(FixturePath("data/Club.xml"));
  EXPECT_EQ(club.KeeperTrainers, 1);
  EXPECT_EQ(club.AssistantTrainers, 2);
  EXPECT_EQ(club.Psychologists, 3);
  EXPECT_EQ(club.PressSpokesmen, 4);
  EXPECT_EQ(club.Economists, 5);
  EXPECT_EQ(club.Physiotherapists, 6);
  EXPECT_EQ(club.Doctors, 7);
  EXPECT_EQ(club.YouthLevel, 8);

  using TInt = TFieldCase<TXMLClub, int32_t>;
  RunFieldCases<TXMLClub, int32_t>(
      "Club.xml",
      {
          TInt{"empty doctors", "<Doctors>7<", "<Doctors><", &TXMLClub::Doctors, 0, NotAnInteger("")},
          TInt{"keeper trainers with letters", "<KeeperTrainers>1<", "<KeeperTrainers>one<",
               &TXMLClub::KeeperTrainers, 0, NotAnInteger("one")},
          TInt{"no youth squad", "YouthSquad>", "Academy>", &TXMLClub::YouthLevel, 0, NotAnInteger("")},
          TInt{"staff outside Specialists is not read", "Specialists>", "Staff>", &TXMLClub::KeeperTrainers, 0,
               NotAnInteger("")},
      });
}

TEST(XMLRegion, ReadsNothingNotEvenAMissingFile) {
  TTempFolder folder;
  TXMLRegion region;
  EXPECT_NO_THROW(region.Read(folder / "2009-09-28 RegionDetails.xml"));
}

TEST(ClubFileReaders, FailOnFilesThatAreMissingOrNoXML) {
  TTempFolder folder;
  WriteWholeFile(folder / "broken.xml", "<?xml version=\"1.0\"?>\n<KickvaleData><Team><TeamID>1</Team>");
  WriteWholeFile(folder / "empty.xml", "");
  const std::function<void(const std::filesystem::path&)> readers[] = {
      [](const auto& path) { TXMLTeam().Read(path); },     [](const auto& path) { TXMLTraining().Read(path); },
      [](const auto& path) { TXMLArena().Read(path); },    [](const auto& path) { TXMLEconomy().Read(path); },
      [](const auto& path) { TXMLClub().Read(path); },
  };
  for (const auto& read : readers) {
    EXPECT_THROW(read(folder / "missing.xml"), EInOutError);
    EXPECT_THROW(read(folder / "broken.xml"), EInOutError);
    EXPECT_THROW(read(folder / "empty.xml"), EInOutError);
  }
}

TEST(ClubFileReaders, ConvertADeclaredSingleByteEncodingToUTF8) {
  TTempFolder folder;
  const std::string head = "<?xml version=\"1.0\" encoding=\"";
  const std::string body =
      "\"?>\n<KickvaleData><User><Loginname>J\xFCrgen</Loginname></User><Team><TeamID>1</TeamID>"
      "<TeamName>Caf\xE9 \x80 Club</TeamName><NumberOfVictories>0</NumberOfVictories>"
      "<NumberOfUndefeated>0</NumberOfUndefeated><Trainer><PlayerID>1</PlayerID></Trainer></Team>"
      "</KickvaleData>";
  WriteWholeFile(folder / "latin1.xml", head + "ISO-8859-1" + body);
  WriteWholeFile(folder / "cp1252.xml", head + "windows-1252" + body);
  TXMLTeam team;
  team.Read(folder / "latin1.xml");
  EXPECT_EQ(team.Loginname, "Jürgen");
  team.Read(folder / "cp1252.xml");
  EXPECT_EQ(team.Loginname, "Jürgen");
  EXPECT_EQ(team.TeamName, "Café € Club");
}
}  // namespace
