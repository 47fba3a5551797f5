#pragma once
// The club's finances of a snapshot (file kind "Economy"): this week's expected figures and last week's.
// Amounts are in the unit the server delivers (the game's base currency).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLEconomy {
public:
  int32_t FanClubSize = 0;
  int32_t SponsorsPopularity = 0;
  int32_t SupportersPopularity = 0;
  int64_t Cash = 0;
  int64_t ExpectedCash = 0;
  int64_t IncomeSponsors = 0;
  int64_t IncomeSpectators = 0;
  int64_t IncomeFinancial = 0;
  int64_t IncomeTemporary = 0;
  int64_t IncomeSum = 0;
  int64_t CostsPlayers = 0;
  int64_t CostsStaff = 0;
  int64_t CostsArena = 0;
  int64_t CostsYouth = 0;
  int64_t CostsFinancial = 0;
  int64_t CostsTemporary = 0;
  int64_t CostsSum = 0;
  int64_t ExpectedWeeksTotal = 0;
  int64_t LastIncomeSponsors = 0;
  int64_t LastIncomeSpectators = 0;
  int64_t LastIncomeFinancial = 0;
  int64_t LastIncomeTemporary = 0;
  int64_t LastIncomeSum = 0;
  int64_t LastCostsPlayers = 0;
  int64_t LastCostsStaff = 0;
  int64_t LastCostsArena = 0;
  int64_t LastCostsYouth = 0;
  int64_t LastCostsFinancial = 0;
  int64_t LastCostsTemporary = 0;
  int64_t LastCostsSum = 0;
  int64_t LastWeeksTotal = 0;

  // Replaces the record with the file's values, all elements directly under Team, read in the order of the
  // fields. Every value is mandatory: an empty or non-numeric one raises EConvertError, a file that cannot be
  // parsed EInOutError. On failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  bool operator==(const TXMLEconomy&) const = default;
};
