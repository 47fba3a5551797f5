#include "download/TeamTitles.h"

#include "core/TeamMatchFile.h"
#include "core/Utils.h"

#include <pugixml.hpp>

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

std::string TeamTitleOfFile(const fs::path& matchFile) {
  const std::string teamID = matchFile.stem().string();
  pugi::xml_document doc;
  try {
    LoadXMLFile(matchFile, doc);
  } catch (const std::exception&) {
    return {};
  }
  // The newest match is the last element; text or comments after it do not count.
  pugi::xml_node newest;
  for (pugi::xml_node child = doc.document_element().last_child(); child; child = child.previous_sibling())
    if (child.type() == pugi::node_element) {
      newest = child;
      break;
    }
  const pugi::xml_node lineup = newest.child(TTeamMatchFile::LineupName);
  if (!lineup) return {};
  const pugi::xml_node home = lineup.child("HomeTeam");
  std::string name, id;
  if (ChildText(home, "HomeTeamID") == teamID) {
    name = ChildText(home, "HomeTeamName");
    id = ChildText(home, "HomeTeamID");
  } else {
    const pugi::xml_node away = lineup.child("AwayTeam");
    name = ChildText(away, "AwayTeamName");
    id = ChildText(away, "AwayTeamID");
  }
  return name + " (" + id + ")";
}

std::vector<std::string> TeamTitles(const fs::path& matchesFolder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(matchesFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".xml" && it->is_regular_file(ec)) files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> titles;
  titles.reserve(files.size());
  for (const fs::path& file : files)
    if (std::string title = TeamTitleOfFile(file); !title.empty()) titles.push_back(std::move(title));
  return titles;
}

std::string TeamIDOfTitle(std::string_view title) {
  const size_t open = title.rfind('(');
  std::string_view rest = open == std::string_view::npos ? title : title.substr(open + 1);
  const size_t close = rest.rfind(')');
  if (close == std::string_view::npos) return {};
  return Trim(std::string(rest.substr(0, close)));
}
