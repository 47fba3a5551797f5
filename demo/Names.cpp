#include "demo/Names.h"

namespace {

std::vector<TWorldCountry> BuildCountries() {
  std::vector<TWorldCountry> c;
  c.push_back({1, "Sverige", "Sweden", "Sverige", 1, "Sverige", "kr", "0,1", "SE", "Europe", "Northern Europe", 1,
               "Svenska", 3, 6, 6777,
               {"Åke", "Björn", "Göran", "Jöns", "Linnéa", "Mårten", "Örjan", "Pär", "Sören", "Ulf", "Håkan", "Kjell",
                "Ragnar", "Torbjörn", "Anders", "Mats"},
               {"Jönsson", "Åberg", "Ström", "Sjöberg", "Nyström", "Löfgren", "Ekström", "Wahlström", "Bäckman",
                "Lindqvist", "Öhman", "Hägg", "Söderberg", "Ångström", "Berglund", "Holmén"},
               {"Växjö", "Jönköping", "Örebro", "Gävle", "Umeå", "Skövde", "Borås", "Norrköping", "Luleå", "Malmö"},
               {"IFK %s", "%s BK", "%s IF", "GIF %s", "%s FF"},
               {"Småland", "Västergötland", "Skåne", "Norrbotten", "Östergötland"}});
  c.push_back({3, "Deutschland", "Germany", "Deutschland", 3, "Deutschland", "€", "10", "DE", "Europe",
               "Central Europe", 3, "Deutsch", 0, 7, 24511,
               {"Jürgen", "Jörg", "Günter", "Bärbel", "Uwe", "Dieter", "Björn", "Sönke", "Jens", "Matthias", "Götz",
                "Rüdiger", "Kai", "Lutz", "Tobias", "Hans-Peter"},
               {"Müller", "Schäfer", "Köhler", "Krämer", "Böhm", "Weiß", "Groß", "Hölzl", "Brückner", "Schröder",
                "Lößner", "Jäger", "Fuchs", "Wagner", "Dürr", "Kühn"},
               {"Nürnberg", "Lübeck", "Düren", "Görlitz", "München", "Fürth", "Köln", "Würzburg", "Gießen", "Jena"},
               {"FC %s", "SV %s", "VfB %s", "TSV %s", "Eintracht %s", "%s 05"},
               {"Bayern", "Thüringen", "Baden-Württemberg", "Schleswig-Holstein", "Sachsen"}});
  c.push_back({5, "France", "France", "France", 5, "France", "€", "10", "FR", "Europe", "Western Europe", 5,
               "Français", -2, 8, 11873,
               {"Jérôme", "Hervé", "Frédéric", "Benoît", "Gaël", "Cédric", "Noël", "Loïc", "Amélie", "Stéphane",
                "Rémi", "Théo", "Grégoire", "Joël", "Aurélien", "Anaïs"},
               {"Lefèvre", "Ménard", "Béranger", "Dupré", "Gérard", "Mérel", "Fénelon", "Thévenet", "Lemaître",
                "Després", "Bénard", "Chrétien", "Crémieux", "Lacôte", "Ferré", "Hébert"},
               {"Nîmes", "Sète", "Béziers", "Orléans", "Besançon", "Pézenas", "Évreux", "Sélestat", "Angoulême",
                "Saint-Étienne"},
               {"AS %s", "Olympique de %s", "FC %s", "Stade %s", "US %s", "Racing %s"},
               {"Hérault", "Drôme", "Isère", "Ariège", "Corrèze"}});
  c.push_back({26, "Polska", "Poland", "Polska", 26, "Polska", "zł", "2,5", "PL", "Europe", "Central Europe", 13,
               "Polski", 1, 6, 9804,
               {"Łukasz", "Michał", "Paweł", "Wojciech", "Bartłomiej", "Zdzisław", "Jarosław", "Grzegorz", "Przemysław",
                "Radosław", "Mikołaj", "Mateusz", "Władysław", "Józef", "Stanisław", "Krzysztof"},
               {"Wójcik", "Łęcki", "Kołodziej", "Żółkiewski", "Wiśniewski", "Dąbrowski", "Gołąb", "Sępoliński",
                "Kamiński", "Błaszczykowski", "Szczęsny", "Małecki", "Pawłowski", "Zieliński", "Jóźwiak", "Nowak"},
               {"Łódź", "Kraków", "Gdańsk", "Poznań", "Toruń", "Wrocław", "Białystok", "Rzeszów", "Częstochowa",
                "Płock"},
               {"KS %s", "Wisła %s", "Lechia %s", "%s FC", "Zagłębie %s", "Polonia %s"},
               {"Małopolska", "Pomorze", "Śląsk", "Mazowsze", "Podlasie"}});
  c.push_back({35, "España", "Spain", "España", 35, "España", "€", "10", "ES", "Europe", "Southern Europe", 6,
               "Español", -3, 7, 15110,
               {"José", "Íñigo", "Ramón", "Andrés", "Joaquín", "Martín", "Sebastián", "Adrián", "Jesús", "Álvaro",
                "Rubén", "Germán", "Nicolás", "Óscar", "Iván", "Raúl"},
               {"Núñez", "Peña", "Muñoz", "Ibáñez", "Gómez", "Sánchez", "Martínez", "Ordóñez", "Jiménez", "Rodríguez",
                "Cañete", "Díaz", "López", "Castaño", "Pérez", "Fernández"},
               {"Logroño", "Cádiz", "Córdoba", "León", "Málaga", "Alcalá", "Almería", "Jaén", "Ávila", "Cáceres"},
               {"CD %s", "Real %s", "Atlético %s", "UD %s", "Deportivo %s", "%s CF"},
               {"Andalucía", "Aragón", "Castilla y León", "La Rioja", "Galicia"}});
  c.push_back({46, "Česká republika", "Czech Republic", "Česko", 46, "Česká republika", "Kč", "0,4", "CZ", "Europe",
               "Central Europe", 35, "Čeština", 2, 6, 5321,
               {"Dušan", "Jiří", "Tomáš", "Ondřej", "Lukáš", "Radek", "Přemysl", "Vojtěch", "Bořivoj", "Matěj",
                "Zdeněk", "Jaroslav", "Vítězslav", "Štěpán", "Miloš", "Petr"},
               {"Dvořák", "Novák", "Černý", "Procházka", "Kučera", "Veselý", "Horák", "Němec", "Marek", "Pokorný",
                "Růžička", "Beneš", "Šťastný", "Fiala", "Sedláček", "Doležal"},
               {"Plzeň", "Brno", "Olomouc", "Ústí", "Liberec", "Přerov", "Třebíč", "Zlín", "Kladno", "Jihlava"},
               {"FK %s", "SK %s", "Slavoj %s", "Baník %s", "%s 1905"},
               {"Morava", "Čechy", "Vysočina", "Plzeňský kraj", "Liberecký kraj"}});
  return c;
}

std::string Fill(const char* pattern, const std::string& value) {
  std::string p = pattern;
  auto at = p.find("%s");
  if (at != std::string::npos) p.replace(at, 2, value);
  return p;
}

}  // namespace

const std::vector<TWorldCountry>& WorldCountries() {
  static const std::vector<TWorldCountry> countries = BuildCountries();
  return countries;
}

int CountryIndexOf(int countryID) {
  const auto& c = WorldCountries();
  for (size_t i = 0; i < c.size(); ++i)
    if (c[i].CountryID == countryID) return static_cast<int>(i);
  return -1;
}

TPersonName MakePersonName(int countryIndex, TWorldRandom& random) {
  const auto& c = WorldCountries()[static_cast<size_t>(countryIndex)];
  TPersonName n;
  n.First = random.Pick(c.FirstNames);
  n.Last = random.Pick(c.LastNames);
  return n;
}

std::string MakeClubName(int countryIndex, TWorldRandom& random) {
  const auto& c = WorldCountries()[static_cast<size_t>(countryIndex)];
  return Fill(random.Pick(c.ClubPrefixes), random.Pick(c.Towns));
}

std::string MakeArenaName(const std::string& clubName, TWorldRandom& random) {
  static const std::vector<const char*> patterns = {"%s Arena", "%s Park", "Stadion %s", "%s Ground", "Estadio %s"};
  return Fill(random.Pick(patterns), clubName);
}
