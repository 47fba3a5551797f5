#include "data/XMLArena.h"

#include "core/Utils.h"
#include "data/XMLFields.h"

#include <utility>

void TXMLArena::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLArena::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  const pugi::xml_node arena = ParseXMLRoot(bytes, sourceName, doc).child("Arena");
  TXMLArena read;
  read.ArenaName = ElementText(arena, {"ArenaName"});
  const pugi::xml_node current = arena.child("CurrentCapacity");
  read.Terraces = ElementInt(current, {"Terraces"});
  read.Basic = ElementInt(current, {"Basic"});
  read.Roof = ElementInt(current, {"Roof"});
  read.VIP = ElementInt(current, {"VIP"});
  read.Total = ElementInt(current, {"Total"});
  // An arena with nothing under construction has empty expansion values; that is not an error.
  const pugi::xml_node expanded = arena.child("ExpandedCapacity");
  read.ExpandedTerraces = ElementIntOr(expanded, {"Terraces"}, 0);
  read.ExpandedBasic = ElementIntOr(expanded, {"Basic"}, 0);
  read.ExpandedRoof = ElementIntOr(expanded, {"Roof"}, 0);
  read.ExpandedVIP = ElementIntOr(expanded, {"VIP"}, 0);
  *this = std::move(read);
}
