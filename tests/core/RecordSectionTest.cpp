// Player sections of rating record files: the writer's exact text, the reader, and whole files.
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/PlayerList.h"
#include "core/RecordSection.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
std::vector<std::string> SplitBars(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    lines.push_back(text.substr(start, bar - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::unique_ptr<TPlayer> ReadBack(const std::string& section) {
  auto lines = SplitBars(section);
  auto p = std::make_unique<TPlayer>();
  ReadRecordSection(*p, lines, 0, lines.size() - 1);
  return p;
}

std::string WithLine(const std::string& section, const std::string& key, const std::string& line) {
  std::string text = section;
  const size_t at = text.find("|" + key + "=") + 1;
  text.replace(at, text.find('|', at) - at, line);
  return text;
}

std::unique_ptr<TPlayerList> Fixture() {
  auto list = std::make_unique<TPlayerList>();
  list->LoadFromPlayersFile(FixturePath("core/players.xml"));
  return list;
}
}  // namespace

TEST(RecordSection, WriterProducesTheKeysInTheirOrder) {
  auto list = Fixture();
  TPlayer& p = (*list)[3];  // the coach
  p.StaminaSkill = 4.99;     // fractional skills are written truncated
  EXPECT_EQ(WriteRecordSection(p),
            "[player203344556]|name=\xC5\x81ukasz \xC5\xBBmuda|ald=34|ska=-1|for=6|uth=4|spe=6|mal=4|fra=8|ytt=3|fas=7|"
            "bac=5|mlv=1|rut=12|led=7|sal=9800|mkt=1840000|gev=33|gtl=25|gtc=4|gtt=4|kck=2|CountryID=38|warnings=0|"
            "speciality=5|specialityLabel=Head|gentleness=4|gentlenessLabel=popular guy|honesty=3|"
            "honestyLabel=upright|Aggressiveness=3|AggressivenessLabel=temperamental|TrainerType=2|TrainerSkill=6||");
}

TEST(RecordSection, EveryStoredFieldSurvivesTheRoundTrip) {
  auto list = Fixture();
  for (const TPlayer& p : *list) {
    auto q = ReadBack(WriteRecordSection(p));
    SCOPED_TRACE(p.PlayerName);
    EXPECT_EQ(q->PlayerID, p.PlayerID);
    std::string singleBlanks = p.PlayerName;  // runs of blanks come back as one
    while (singleBlanks.find("  ") != std::string::npos) singleBlanks.erase(singleBlanks.find("  "), 1);
    EXPECT_EQ(q->PlayerName, singleBlanks);
    for (int code = 1; code <= 27; ++code) EXPECT_EQ(q->GetValue(code), p.GetValue(code)) << code;
    EXPECT_EQ(q->TrainerType, p.TrainerType);
    EXPECT_EQ(q->TrainerSkill, p.TrainerSkill);
    EXPECT_EQ(q->TransferListed, 0);  // not stored
  }
}

TEST(RecordSection, NamesComeBackWithSingleBlanks) {
  TPlayer p;
  for (auto [written, read] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Jos\xC3\xA9  Mar\xC3\xAD" "a   N\xC3\xBA\xC3\xB1" "ez", "Jos\xC3\xA9 Mar\xC3\xAD" "a N\xC3\xBA\xC3\xB1" "ez"},
           {" Lead and trail ", "Lead and trail"},
           {"A=B", "A B"},
           {"", ""}}) {
    p.PlayerName = written;
    EXPECT_EQ(ReadBack(WriteRecordSection(p))->PlayerName, read) << written;
  }
}

TEST(RecordSection, TsiIsStoredInThousandsAndReadBackTruncated) {
  TPlayer p;
  p.TSI = 4120;
  const std::string section = WriteRecordSection(p);
  EXPECT_NE(section.find("|mkt=4120000|"), std::string::npos);
  for (const char* mkt : {"4120000", "4120001", "4120999"})
    EXPECT_EQ(ReadBack(WithLine(section, "mkt", std::string("mkt=") + mkt))->TSI, 4120) << mkt;
  EXPECT_EQ(ReadBack(WithLine(section, "mkt", "mkt=4121000"))->TSI, 4121);
  EXPECT_EQ(ReadBack(WithLine(section, "mkt", "mkt=999"))->TSI, 0);

  // A TSI above 2147483 needs more than 32 bits in thousands and must still read back.
  p.TSI = 3250000;
  const std::string big = WriteRecordSection(p);
  EXPECT_NE(big.find("|mkt=3250000000|"), std::string::npos);
  EXPECT_EQ(ReadBack(big)->TSI, 3250000);
}

TEST(RecordSection, MissingOrMalformedValuesFailTheSection) {
  auto list = Fixture();
  const std::string section = WriteRecordSection((*list)[1]);
  const std::pair<std::string, std::string> cases[] = {
      {"ald", "ald="}, {"ald", "ald"}, {"ald", "xyz=24"}, {"for", "for=8x"}, {"honesty", "honesty=high"},
      {"mkt", "mkt="}, {"mkt", "mkt=99999999999999999"}};
  for (const auto& [key, line] : cases)
    EXPECT_THROW(ReadBack(WithLine(section, key, line)), EConvertError) << line;

  std::string noHead = section;
  noHead.replace(0, 7, "[plyer");
  EXPECT_THROW(ReadBack(noHead), EConvertError);
  std::string noClose = section;
  noClose.erase(noClose.find(']'), 1);
  EXPECT_THROW(ReadBack(noClose), EConvertError);
  EXPECT_THROW(ReadBack("[player12x]|name=X"), EConvertError);
}

TEST(RecordSection, ValuesOutsideTheLabelTablesCannotBeWritten) {
  for (auto [code, value] : std::initializer_list<std::pair<int, int>>{
           {paSpecialty, 7}, {paSpecialty, -1}, {paAgreeability, 6}, {paHonesty, 6}, {paAggressiveness, 5}}) {
    TPlayer p;
    p.SetValue(code, value);
    EXPECT_THROW(WriteRecordSection(p), ERangeError) << code << "=" << value;
  }
}

TEST(RecordSection, KeyLookupsFindTheFirstOccurrence) {
  const std::string text = "[player1]|name Ann Lee |spe 7|speciality 2|TrainerType|TrainerSkill 6 x|honestyLabel y";
  EXPECT_EQ(RecordTextValue(text, "name"), "Ann Lee");
  EXPECT_EQ(RecordWordValue(text, "spe"), "7");
  EXPECT_EQ(RecordWordValue(text, "speciality"), "2");
  EXPECT_EQ(RecordWordValue(text, "TrainerType"), "");
  EXPECT_EQ(RecordWordValue(text, "TrainerSkill"), "6");
  EXPECT_EQ(RecordWordValue(text, "trainerskill"), "");
  EXPECT_EQ(RecordWordValue(text, "absent"), "");
  EXPECT_EQ(RecordTextValue(text, "absent"), "");
  EXPECT_EQ(RecordIntValue(text, "spe"), 7);
  EXPECT_THROW(RecordIntValue(text, "TrainerType"), EConvertError);
  // "honesty" would find the label line when that came first.
  EXPECT_EQ(RecordWordValue(text, "honesty"), "abel");
}

TEST(RecordSection, JoiningTrimsAndCollapsesBlanksAndEquals) {
  const std::vector<std::string> lines = {"  [player5]  ", "", "name =  Ann   Lee", "\tald=24\r", "x==y"};
  EXPECT_EQ(JoinRecordLines(lines, 0, 4), "[player5]|name Ann Lee|ald 24|x y");
  EXPECT_EQ(JoinRecordLines(lines, 2, 3), "name Ann Lee|ald 24");
}

TEST(RecordSection, RecordTextIsUtf8OrElseWindows1252) {
  EXPECT_EQ(DecodeRecordText("M\xC3\xBCller"), "M\xC3\xBCller");
  EXPECT_EQ(DecodeRecordText("M\xFCller \x80"), "M\xC3\xBCller \xE2\x82\xAC");
}

TEST(RecordFile, LoadsTheSectionsOfAWindows1252File) {
  TPlayerList list(wRainy, false, true);
  list.LoadFromRecordFile(FixturePath("core/record-cp1252.krf"));
  ASSERT_EQ(list.Count(), 2);
  const TPlayer& a = list[1];
  EXPECT_EQ(a.PlayerID, 209988776);
  EXPECT_EQ(a.PlayerName, "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(a.TSI, 4120);
  EXPECT_EQ(a.DefenderSkill, 11);
  EXPECT_EQ(a.Specialty, spQuick);
  EXPECT_EQ(a.Agreeability, 1);
  EXPECT_EQ(a.Honesty, 4);
  EXPECT_EQ(a.Aggressiveness, 4);
  EXPECT_EQ(a.TrainerSkill, "");
  EXPECT_EQ(a.Weather, wRainy);
  EXPECT_TRUE(a.IgnoreForm);
  const TPlayer& b = list[2];
  EXPECT_EQ(b.PlayerName, "Lukasz Zmuda Se\xC3\xB1or");
  EXPECT_EQ(b.TSI, 1840);
  EXPECT_EQ(b.TrainerType, "2");
  EXPECT_EQ(b.TrainerSkill, "6");
}

TEST(RecordFile, SavedSectionsReadBackAsTheSameList) {
  auto list = Fixture();
  std::string text;
  list->SaveToRecordText(text);
  std::string sections;
  for (const TPlayer& p : *list) sections += WriteRecordSection(p);
  EXPECT_EQ(text, sections);

  TTempFolder tmp;
  std::string file = "teamName=FC S\xC3\xBC" "dstadt\n" + text;
  std::replace(file.begin(), file.end(), '|', '\n');
  WriteWholeFile(tmp / "squad.krf", file + "trailing=ignored\n");
  TPlayerList loaded;
  loaded.LoadFromRecordFile(tmp / "squad.krf");
  ASSERT_EQ(loaded.Count(), list->Count());
  for (int i = 1; i <= list->Count(); ++i) {
    EXPECT_EQ(loaded[i].PlayerID, (*list)[i].PlayerID);
    EXPECT_EQ(loaded[i].GetValue(paTSI), (*list)[i].GetValue(paTSI));
    EXPECT_EQ(loaded[i].GetValue(paBestRating), (*list)[i].GetValue(paBestRating));
  }
}

TEST(RecordFile, AFailingSectionLeavesTheListUnchanged) {
  TTempFolder tmp;
  TPlayer good, bad;
  good.PlayerID = 1;
  bad.PlayerID = 2;
  std::string text = WriteRecordSection(good) + WithLine(WriteRecordSection(bad), "ald", "ald=");
  std::replace(text.begin(), text.end(), '|', '\n');
  WriteWholeFile(tmp / "bad.krf", text);
  TPlayerList list;
  list.Add(std::make_unique<TPlayer>());
  EXPECT_THROW(list.LoadFromRecordFile(tmp / "bad.krf"), EConvertError);
  EXPECT_THROW(list.LoadFromRecordFile(tmp / "missing.krf"), EInOutError);
  EXPECT_EQ(list.Count(), 1);

  WriteWholeFile(tmp / "empty.krf", "teamName=x\n[player3]\nname=y\n");  // no closing line: no section
  list.LoadFromRecordFile(tmp / "empty.krf");
  EXPECT_EQ(list.Count(), 1);
}

TEST(RecordFile, EachSectionIsDecodedOnItsOwn) {
  TTempFolder tmp;
  TPlayer p;
  p.PlayerID = 5;
  p.PlayerName = "M\xC3\xBCller";
  std::string text = "teamName=FC S\xFC" "dstadt|" + WriteRecordSection(p);  // Windows-1252 header, UTF-8 section
  std::replace(text.begin(), text.end(), '|', '\n');
  WriteWholeFile(tmp / "mixed.krf", text);
  TPlayerList list;
  list.LoadFromRecordFile(tmp / "mixed.krf");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[1].PlayerName, "M\xC3\xBCller");
}
