#include "data/XMLEconomy.h"

#include "core/Utils.h"
#include "data/XMLFields.h"

void TXMLEconomy::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLEconomy::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  const pugi::xml_node team = ParseXMLRoot(bytes, sourceName, doc).child("Team");
  TXMLEconomy read;
  read.FanClubSize = ElementInt(team, {"FanClubSize"});
  read.SponsorsPopularity = ElementInt(team, {"SponsorsPopularity"});
  read.SupportersPopularity = ElementInt(team, {"SupportersPopularity"});
  // Amounts are converted with the full 64-bit range of their fields: a club with more than 2^31 in cash or
  // turnover must not lose its whole snapshot.
  read.Cash = ElementInt64(team, {"Cash"});
  read.ExpectedCash = ElementInt64(team, {"ExpectedCash"});
  read.IncomeSponsors = ElementInt64(team, {"IncomeSponsors"});
  read.IncomeSpectators = ElementInt64(team, {"IncomeSpectators"});
  read.IncomeFinancial = ElementInt64(team, {"IncomeFinancial"});
  read.IncomeTemporary = ElementInt64(team, {"IncomeTemporary"});
  read.IncomeSum = ElementInt64(team, {"IncomeSum"});
  read.CostsPlayers = ElementInt64(team, {"CostsPlayers"});
  read.CostsStaff = ElementInt64(team, {"CostsStaff"});
  read.CostsArena = ElementInt64(team, {"CostsArena"});
  read.CostsYouth = ElementInt64(team, {"CostsYouth"});
  read.CostsFinancial = ElementInt64(team, {"CostsFinancial"});
  read.CostsTemporary = ElementInt64(team, {"CostsTemporary"});
  read.CostsSum = ElementInt64(team, {"CostsSum"});
  read.ExpectedWeeksTotal = ElementInt64(team, {"ExpectedWeeksTotal"});
  read.LastIncomeSponsors = ElementInt64(team, {"LastIncomeSponsors"});
  read.LastIncomeSpectators = ElementInt64(team, {"LastIncomeSpectators"});
  read.LastIncomeFinancial = ElementInt64(team, {"LastIncomeFinancial"});
  read.LastIncomeTemporary = ElementInt64(team, {"LastIncomeTemporary"});
  read.LastIncomeSum = ElementInt64(team, {"LastIncomeSum"});
  read.LastCostsPlayers = ElementInt64(team, {"LastCostsPlayers"});
  read.LastCostsStaff = ElementInt64(team, {"LastCostsStaff"});
  read.LastCostsArena = ElementInt64(team, {"LastCostsArena"});
  read.LastCostsYouth = ElementInt64(team, {"LastCostsYouth"});
  read.LastCostsFinancial = ElementInt64(team, {"LastCostsFinancial"});
  read.LastCostsTemporary = ElementInt64(team, {"LastCostsTemporary"});
  read.LastCostsSum = ElementInt64(team, {"LastCostsSum"});
  read.LastWeeksTotal = ElementInt64(team, {"LastWeeksTotal"});
  *this = read;
}
