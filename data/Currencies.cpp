#include "data/Currencies.h"

#include "core/Errors.h"

const std::array<TLeagueCurrency, LeagueCurrencySlots> LeagueCurrencies{{
    {1, "Sverige", 1.0, "kr"},
    {2, "England", 15.0, "£"},
    {3, "Deutschland", 10.0, "€"},
    {4, "Italia", 10.0, "€"},
    {5, "France", 10.0, "€"},
    {6, "México", 1.0, "Pesos"},
    {7, "Argentina", 10.0, "Pesos"},
    {8, "USA", 10.0, "US$"},
    {9, "Norge", 1.0, "Kroner"},
    {10, "Danmark", 1.0, "Kroner"},
    {11, "Suomi", 10.0, "€"},
    {12, "Nederland", 10.0, "€"},
    {13, "Oceania", 5.0, "AU$"},
    {14, "Canada", 5.0, "C$"},
    {15, "Scotland", 15.0, "£"},
    {16, "Ireland", 10.0, "€"},
    {17, "Chile", 50.0, "Pesos"},
    {18, "Colombia", 10.0, "US$"},
    {19, "Uruguay", 1.0, "Pesos"},
    {20, "Venezuela", 10.0, "bolivares"},
    {21, "Peru", 10.0, "US$"},
    {22, "Brasil", 5.0, "reais"},
    {23, "Portugal", 10.0, "€"},
    {24, "South Africa", 1.25, "Rand"},
    {25, "Nippon", 0.1, "Yen"},
    {26, "Polska", 2.5, "ztoty"},
    {27, "India", 0.25, "Rupees"},
    {28, "China", 1.0, "Yuan"},
    {29, "Hanguk", 10.0, "Won"},
    {30, "Prathet Thai", 0.25, "Baht"},
    {31, "Türkiye", 10.0, "TL"},
    {32, "Misr", 2.5, "E£"},
    {33, "Österreich", 10.0, "€"},
    {34, "Rossiya", 0.25, "Roubel"},
    {35, "España", 10.0, "€"},
    {36, "România", 0.5, "Lei"},
    {37, "Ísland", 0.1, "Ikr"},
    {38, "België", 10.0, "€"},
    {39, "Malaysia", 2.5, "MYR"},
    {40, "Schweiz", 5.0, "CHF"},
    {41, "Singapore", 5.0, "SG$"},
    {42, "Hrvatska", 1.0, "Kuna"},
    {43, "Srbija", 1.0, "dinar"},
    {44, "Magyarország", 50.0, "eFt"},
    {45, "Hellas", 10.0, "€"},
    {46, "Ceska republika", 0.25, "Koruny"},
    {47, "Eesti", 0.5, "Krooni"},
    {48, "Latvija", 20.0, "Lats"},
    {49, "Indonesia", 1.0, "Rp"},
    {50, "Philippines", 0.25, "Pesos"},
    {51, "Israel", 2.0, "NIS"},
    {52, "Chinese Taipei", 10.0, "$"},
    {53, "Hong Kong SAR", 1.0, "HKD"},
    {},  // 54
    {55, "Bulgaria", 5.0, "Lev"},
    {56, "Cymru", 15.0, "£"},
    {57, "Slovenija", 10.0, "€"},
    {},  // 58
    {},  // 59
    {},  // 60
    {61, "Lietuva", 2.5, "Lt"},
    {62, "Ukraina", 2.0, "hryvnia"},
    {63, "Bosna i Hercegovina", 5.0, "marka"},
    {64, "Pakistan", 0.2, "rupee"},
    {65, "Vietnam", 1.0, "dong*"},
    {66, "Slovensko", 0.2, "koruna"},
    {67, "Paraguay", 2.0, "PYG"},
    {68, "Ecuador", 10.0, "$"},
    {69, "Bolivia", 1.0, "BOB"},
    {70, "Nigeria", 0.1, "kNaira"},
    {71, "Føroyar", 1.0, "Kroner"},
    {72, "Al Maghrib", 1.0, "dirhams"},
    {},  // 73
    {},  // 74
    {75, "Saudi Arabia", 2.5, "SAR"},
    {76, "Tounes", 7.0, "Dinars"},
    {77, "Costa Rica", 4.0, "Colon"},
    {78, "United Arab Emirates", 4.0, "Dirham"},
    {79, "Lëtzebuerg", 10.0, "€"},
    {80, "Iran", 1.0, "Rial"},
    {},  // 81
    {82, "Cyprus", 5.0, "CYP"},
    {83, "Republica Dominicana", 0.5, "pesos"},
    {},  // 84
    {},  // 85
    {86, "Sénégal", 20.0, "000 XOF"},
    {87, "Byelarus", 5.0, "000 BYR"},
    {88, "Northern Ireland", 15.0, "£"},
    {89, "Jamaica", 0.5, "JMD"},
    {90, "Kenya", 0.5, "KES"},
    {91, "Panama", 10.0, "$"},
    {92, "Makedonija", 0.5, "MKD"},
    {},  // 93
    {94, "Shqiperia", 50.0, "000 lek"},
    {95, "Honduras", 5.0, "HNL"},
    {96, "El Salvador", 10.0, "US$"},
    {97, "Malta", 20.0, "lira"},
    {98, "Kyrgyzstan", 0.2, "som"},
    {99, "Moldova", 0.5, "lei"},
    {100, "Sakartvelo", 5.0, "Lari"},
    {101, "Andorra", 10.0, "€"},
    {102, "Guatemala", 10.0, "$"},
    {103, "Al Urdun", 5.0, "JOD"},
    {104, "Hayastan", 20.0, "000 dram"},
    {105, "Trinidad & Tobago", 1.0, "TTD"},
    {},  // 106
    {},  // 107
    {},  // 108
    {},  // 109
    {},  // 110
    {},  // 111
    {},  // 112
    {},  // 113
    {},  // 114
    {},  // 115
    {},  // 116
    {},  // 117
    {},  // 118
    {},  // 119
    {},  // 120
    {121, "Nicaragua", 0.5, "NIO"},
    {122, "Kazakhstan", 0.1, "tenge"},
    {123, "Suriname", 5.0, "000 SRG"},
    {},  // 124
    {125, "Liechtenstein", 5.0, "CHF"},
    {126, "Al Jazair", 0.1, "DZD"},
    {127, "Mongol Uls", 5.0, "000 tugrik"},
    {128, "Lubnan", 5.0, "000 LBP"},
    {129, "Bahrain", 20.0, "BHD"},
    {130, "Barbados", 5.0, "BBD"},
    {131, "Cabo Verde", 0.1, "Esc."},
    {132, "Côte d’Ivoire", 20.0, "000 XOF"},
    {133, "Azerbaijan", 10.0, "AZN"},
    {134, "Al Kuwayt", 25.0, "dinar"},
    {135, "Al Iraq", 5.0, "dinar"},
    {136, "Crna Gora", 10.0, "€"},
    {137, "Angola", 0.1, "kwanza"},
    {138, "Bangladesh", 0.2, "taka"},
    {139, "Al Yaman", 0.1, "rial"},
    {140, "Uman", 20.0, "rial"},
}};

// Leagues 86, 104 and 125..140 are not offered. The order is alphabetical with accents and case ignored
// (Ísland among the I's, Føroyar before France), the way a user reads the list.
const std::array<int, LeagueCurrencyChoices> LeagueCurrencyOrder{{
    72, 103, 101, 7, 38, 69, 63, 22, 55, 87, 14, 46,
    17, 28, 52, 18, 77, 56, 82, 10, 3, 68, 47, 96,
    2, 35, 71, 5, 102, 29, 45, 95, 53, 42, 27, 49,
    80, 16, 37, 51, 4, 89, 122, 90, 98, 48, 79, 61,
    44, 92, 39, 97, 6, 32, 99, 12, 121, 70, 25, 9,
    88, 13, 33, 64, 91, 67, 21, 50, 26, 23, 30, 83,
    36, 34, 100, 75, 40, 15, 94, 41, 57, 66, 24, 43,
    11, 123, 1, 76, 105, 31, 62, 78, 19, 8, 20, 65,
}};

const TLeagueCurrency& LeagueCurrencyOf(int leagueID) {
  if (leagueID < 1 || leagueID > LeagueCurrencySlots) throw ERangeError();
  return LeagueCurrencies[leagueID - 1];
}

const TLeagueCurrency& LeagueCurrencyAt(int index) {
  if (index < 0 || index >= LeagueCurrencyChoices) throw ERangeError();
  return LeagueCurrencyOf(LeagueCurrencyOrder[index]);
}
