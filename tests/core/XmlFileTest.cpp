#include "core/Errors.h"
#include "core/Utils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
std::string RootText(const pugi::xml_document& doc, const char* child) {
  return ChildText(doc.document_element(), child);
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "(no EInOutError)";
}
}  // namespace

TEST(XmlFile, SkeletonHasDeclarationAndEmptyRoot) {
  std::vector<std::string> lines{"before"};
  WriteXMLSkeleton(lines, "Matches");
  EXPECT_EQ(lines, (std::vector<std::string>{"before", "<?xml version=\"1.0\" ?>", "<Matches>", "</Matches>"}));

  pugi::xml_document doc;
  doc.append_child("Old");
  NewXMLDocument(doc, "Matches");
  EXPECT_STREQ(doc.document_element().name(), "Matches");
  EXPECT_TRUE(doc.document_element().first_child().empty());
  EXPECT_EQ(std::distance(doc.children().begin(), doc.children().end()), 2);  // declaration + root
}

TEST(XmlFile, OpenCreatesAMissingFileFromTheSkeletonAndLaterOpensIt) {
  TTempFolder tmp;
  auto path = tmp / "12345.xml";
  pugi::xml_document doc;
  OpenXMLFile(path, doc, "Matches");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_STREQ(doc.document_element().name(), "Matches");

  pugi::xml_document onDisk;
  LoadXMLFile(path, onDisk);
  EXPECT_STREQ(onDisk.document_element().name(), "Matches");

  doc.document_element().append_child("MatchData").append_attribute("ID") = "7";
  SaveXMLFile(doc, path);
  pugi::xml_document again;
  OpenXMLFile(path, again, "Other");  // exists: the root argument does not matter any more
  EXPECT_STREQ(again.document_element().name(), "Matches");
  EXPECT_STREQ(again.document_element().child("MatchData").attribute("ID").value(), "7");
}

TEST(XmlFile, OpenRaisesWhenTheFileCannotBeCreated) {
  TTempFolder tmp;
  pugi::xml_document doc;
  EXPECT_NE(ErrorOf([&] { OpenXMLFile(tmp / "missing" / "a.xml", doc, "Root"); }).find("a.xml"),
            std::string::npos);
}

TEST(XmlFile, LoadRaisesNamingTheFileWhenMissingOrMalformed) {
  TTempFolder tmp;
  WriteWholeFile(tmp / "bad.xml", "<?xml version=\"1.0\"?>\n<Root><A></Root>\n");
  WriteWholeFile(tmp / "empty.xml", "");
  WriteWholeFile(tmp / "text.xml", "no xml at all");
  for (const char* name : {"missing.xml", "bad.xml", "empty.xml", "text.xml"}) {
    SCOPED_TRACE(name);
    pugi::xml_document doc;
    std::string message = ErrorOf([&] { LoadXMLFile(tmp / name, doc); });
    EXPECT_NE(message.find((tmp / name).string()), std::string::npos) << message;
  }
  pugi::xml_document doc;
  EXPECT_NE(ErrorOf([&] { LoadXMLFile(tmp.Path(), doc); }).find(tmp.Path().string()), std::string::npos);
}

TEST(XmlFile, LoadConvertsWesternEncodingsToUtf8AndSavesUtf8) {
  TTempFolder tmp;
  struct {
    const char* Name;
    std::string Bytes;
    const char* Expected;
  } cases[] = {
      {"latin1.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><R><N>M\xFCller</N></R>", "Müller"},
      {"cp1252.xml", "<?xml version='1.0' encoding='windows-1252'?><R><N>\x80 \x8A</N></R>", "€ Š"},
      {"undeclared.xml", "<?xml version=\"1.0\"?><R><N>Jos\xE9</N></R>", "José"},
      {"utf8.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?><R><N>Müller €</N></R>", "Müller €"},
      {"bom.xml", "\xEF\xBB\xBF<R><N>Ærø</N></R>", "Ærø"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteWholeFile(tmp / c.Name, c.Bytes);
    pugi::xml_document doc;
    LoadXMLFile(tmp / c.Name, doc);
    EXPECT_EQ(RootText(doc, "N"), c.Expected);

    // A saved copy is UTF-8 and says so; it reads back the same.
    SaveXMLFile(doc, tmp / "copy.xml");
    std::string saved = ReadWholeFile(tmp / "copy.xml");
    EXPECT_TRUE(IsValidUtf8(saved));
    EXPECT_EQ(saved.find("8859"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("1252"), std::string::npos) << saved;
    pugi::xml_document copy;
    LoadXMLFile(tmp / "copy.xml", copy);
    EXPECT_EQ(RootText(copy, "N"), c.Expected);
  }
}

TEST(XmlFile, LoadsARealAnswerOfTheGame) {
  pugi::xml_document doc;
  LoadXMLFile(FixturePath("realdata/economy.xml"), doc);
  EXPECT_EQ(RootText(doc, "FetchedDate"), "2014-10-28 11:04:50");
  EXPECT_EQ(ChildText(doc.document_element().child("Team"), "TeamName"), "Buros FC");
  EXPECT_EQ(ChildText(doc.document_element(), "NoSuchElement"), "");
}

TEST(XmlFile, ParsedTextInMemoryReportsItsSourceName) {
  pugi::xml_document doc;
  ParseXMLText("<R><A>1</A></R>", doc, "answer");
  EXPECT_EQ(RootText(doc, "A"), "1");
  EXPECT_NE(ErrorOf([&] { ParseXMLText("<R>", doc, "players answer"); }).find("players answer"),
            std::string::npos);
}

TEST(XmlFile, SaveIndentsAndCopyChildNodesCopiesDeeplyInOrder) {
  pugi::xml_document source;
  ParseXMLText("<S><A x=\"1\"><B>b</B></A><C>c</C></S>", source, "source");
  pugi::xml_document target;
  NewXMLDocument(target, "T");
  target.document_element().append_child("First");
  CopyChildNodes(source.document_element(), target.document_element());
  source.document_element().child("A").child("B").text().set("changed");

  std::vector<std::string> names;
  for (auto child : target.document_element().children()) names.push_back(child.name());
  EXPECT_EQ(names, (std::vector<std::string>{"First", "A", "C"}));
  EXPECT_EQ(ChildText(target.document_element().child("A"), "B"), "b");
  EXPECT_STREQ(target.document_element().child("A").attribute("x").value(), "1");

  TTempFolder tmp;
  SaveXMLFile(target, tmp / "t.xml");
  std::string text = ReadWholeFile(tmp / "t.xml");
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>", 0), 0u) << text;
  EXPECT_NE(text.find("\n  <A x=\"1\">\n    <B>b</B>"), std::string::npos) << text;
}
