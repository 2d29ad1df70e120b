#include "dictionary/migration_xml.h"

#ifdef _WIN32
#include <windows.h>
// psapi.h needs the declarations of windows.h first.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "dictionary/dictionary_queries.h"

namespace {

using namespace std::string_literals;

struct Releaser {
  void operator()(MigrationXMLNode* document) const { document->Release(); }
};
using Document = std::unique_ptr<MigrationXMLNode, Releaser>;

// The root element, reached as the program reaches it.
MigrationXMLNode* Root(const Document& document) {
  void* position = document->GetFirstNodePosition(nullptr);
  return document->GetNextNode(position, nullptr);
}

std::string Value(MigrationXMLNode* node, const char* attribute) {
  return GetValueByTagName(node, attribute).str();
}

// The `Name` of every element named `element` beneath `scope`, walked in
// the program's calling order.
std::vector<std::string> Names(MigrationXMLNode* scope, const char* element) {
  std::vector<std::string> names;
  MigrationXMLSearch search(element);
  if (scope != nullptr) scope->GetFirstNodePosition(nullptr);
  void* position = search.SearchStart(scope);
  while (position != nullptr) {
    MigrationXMLNode* found = search.SearchNext(position);
    if (found != nullptr) names.push_back(Value(found, "Name"));
  }
  return names;
}

long PeakRssKilobytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#endif
}

class MigrationXmlTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    zor_test::WriteFile(directory_ / name, bytes);
    return (directory_ / name).string();
  }
  Document Load(const std::string& bytes) {
    return Document(MigrationXMLNode::CreateFromFile(Write("input.xml", bytes).c_str()));
  }
  // The root's attribute `a`, or "<null>" when the document does not load.
  std::string RootValue(const std::string& bytes) {
    Document document = Load(bytes);
    return document ? Value(Root(document), "a") : "<null>";
  }

  zor_test::ScratchDirectory directory_;
};

// Every encoding is read as UTF-8; a file that is not well-formed, holds
// no element or cannot be read gives a null document.
TEST_F(MigrationXmlTest, DocumentsLoadAsUtf8OrNotAtAll) {
  const std::string xml = "<r a=\"\xE2\x82\xAC&#xD6;\"/>";  // euro sign, O-umlaut by reference
  const std::string bom = "\xEF\xBB\xBF", declared = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
  const std::string cp1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>";
  const std::string utf8 = "\xE2\x82\xAC\xC3\x96", null = "<null>";
  const std::pair<std::string, std::string> rows[] = {
      {zor_test::Utf16(bom + xml), utf8},
      {zor_test::Utf16(bom + xml, false), utf8},
      {bom + xml, utf8},
      {zor_test::Utf16(declared + xml), utf8},
      {zor_test::Utf16(declared + xml, false), utf8},
      // Without mark or declaration UTF-16 is recognised from the opening "<".
      {zor_test::Utf16(xml), utf8},
      {latin1 + "<r a=\"Ventil f\xFCr \xD6l\"/>", "Ventil f\xC3\xBCr \xC3\x96l"},
      {cp1252 + "<r a=\"\x80 5 f\xFCr \x93\xD6l\x94\"/>",
       "\xE2\x82\xAC 5 f\xC3\xBCr \xE2\x80\x9C\xC3\x96l\xE2\x80\x9D"},
      // A byte windows-1252 leaves undefined, and an encoding nobody knows.
      {cp1252 + "<r a=\"\x81\"/>", null},
      {"<?xml version=\"1.0\" encoding=\"x-unknown\"?><r a=\"x\"/>", null},
      {"<r><a/>", null},                 // truncated
      {"<r a=\"1\" a=\"2\"/>", null},    // duplicate attribute
      {"<r a=\"&undefined;\"/>", null},  // undefined entity
      {"<r/><s/>", null},                // two roots
      {"<r a=\"\xC3\x28\"/>", null},     // invalid UTF-8
      {"<r a=\"x\0y\"/>"s, null},        // NUL byte
      {"", null},
      {"<!-- only a comment -->", null},
      {"<?xml version=\"1.0\"?>", null},
  };
  for (const auto& [bytes, expected] : rows) {
    EXPECT_EQ(RootValue(bytes), expected) << bytes;
    Document from_bytes(MigrationXMLNode::CreateFromBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(from_bytes == nullptr, expected == null) << bytes;
  }
  EXPECT_EQ(MigrationXMLNode::CreateFromFile(directory_.path().string().c_str()), nullptr);
  EXPECT_EQ(MigrationXMLNode::CreateFromFile((directory_ / "missing.xml").string().c_str()),
            nullptr);
}

TEST_F(MigrationXmlTest, NothingOutsideTheFileIsRead) {
  const std::string secret = Write("secret.xml", "<s a=\"TOP-SECRET-42\"/>");
  const std::string dtd = Write("secret.dtd", "<!ENTITY leak \"TOP-SECRET-42\">");
  const std::string internal_subset =
      "<!DOCTYPE r [<!ENTITY ext SYSTEM \"file://" + secret + "\">]>";
  // Skipped in content, so the element it holds never appears; an external
  // entity in an attribute is malformed.
  Document skipped = Load(internal_subset + "<r a=\"x\">&ext;</r>");
  ASSERT_TRUE(skipped);
  void* child = Root(skipped)->GetFirstNodePosition(nullptr);
  EXPECT_EQ(Root(skipped)->GetNextNode(child, nullptr), nullptr);
  EXPECT_EQ(RootValue(internal_subset + "<r a=\"&ext;\"/>"), "<null>");
  // With an unread external declaration an undeclared entity is no error: it
  // is skipped.
  EXPECT_EQ(
      RootValue("<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + dtd + "\"> %p;]><r a=\"&leak;\"/>"),
      "");
  EXPECT_EQ(RootValue("<!DOCTYPE r SYSTEM \"file://" + dtd + "\"><r a=\"&leak;\"/>"), "");
}

TEST_F(MigrationXmlTest, EntityExpansionBombIsRefusedWithinSmallMemory) {
  std::string entities = "<!ENTITY l0 \"lollollollollollollollollollol\">";
  for (int level = 1; level <= 9; ++level) {
    entities += "<!ENTITY l" + std::to_string(level) + " \"" +
                zor_test::Repeat("&l" + std::to_string(level - 1) + ";", 10) + "\">";
  }
  const long before = PeakRssKilobytes();
  EXPECT_FALSE(Load("<!DOCTYPE r [" + entities + "]><r>&l9;</r>"));
  EXPECT_FALSE(Load("<!DOCTYPE r [" + entities + "]><r a=\"&l9;\"/>"));
  EXPECT_LT(PeakRssKilobytes() - before, 64 * 1024);
}

TEST_F(MigrationXmlTest, ValuesAreDecodedOnceAndAbsentOnesReadEmpty) {
  Document document = Load(
      "<!DOCTYPE r [<!ENTITY co \"Acme &#38;amp; Co\">]>"
      "<r a=\"&co;\" b=\"&#x41;&#66;&lt;&gt;&quot;&apos;\" c=\"x&#9;y\n z\tw\r\nv\" "
      "d=\"R&amp;amp;D\" "
      "Domain=\"\"/>");
  ASSERT_TRUE(document);
  MigrationXMLNode* root = Root(document);
  EXPECT_EQ(Value(root, "a"), "Acme & Co");
  EXPECT_EQ(Value(root, "b"), "AB<>\"'");
  // Literal white space becomes blanks; a character reference to a tab stays.
  EXPECT_EQ(Value(root, "c"), "x\ty  z w v");
  // Values come back as the parser decodes them, with no further unescaping.
  EXPECT_EQ(Value(root, "d"), "R&amp;D");
  // Names compare exactly; a missing attribute or element reads as empty.
  EXPECT_EQ(root->GetAttribute("A"), nullptr);
  ASSERT_NE(root->GetAttribute("Domain"), nullptr);
  EXPECT_EQ(Value(root, "Domain"), "");
  EXPECT_EQ(Value(root, "Missing"), "");
  EXPECT_EQ(Value(nullptr, "a"), "");
}

TEST_F(MigrationXmlTest, SearchesYieldElementsInDocumentOrderByExactName) {
  Document document = Load(
      "<?xml version=\"1.0\"?><!-- head --><?tool x?><!DOCTYPE Dictionary>\n"
      "<Dictionary Name=\"root\"><Package>"
      "<Class Name=\"A\"><Simple Name=\"a1\"/>"
      "<Class Name=\"A.inner\"><Simple Name=\"inner1\"/></Class>"
      "<Group><Simple Name=\"a2\"/></Group></Class>"
      "</Package>"
      "<v5:Class xmlns:v5=\"urn:v5\" Name=\"prefixed\"/><class Name=\"lower\"/>"
      "<Class Name=\"B\"/></Dictionary><!-- tail -->");
  ASSERT_TRUE(document);
  void* position = document->GetFirstNodePosition(nullptr);
  MigrationXMLNode* root = document->GetNextNode(position, nullptr);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Value(root, "Name"), "root");
  EXPECT_EQ(document->GetNextNode(position, nullptr), nullptr);

  using V = std::vector<std::string>;
  EXPECT_EQ(Names(root, "Class"), (V{"A", "A.inner", "B"}));
  MigrationXMLSearch classes("Class");
  position = classes.SearchStart(root);
  MigrationXMLNode* a = classes.SearchNext(position);
  MigrationXMLNode* inner = classes.SearchNext(position);
  MigrationXMLNode* b = classes.SearchNext(position);
  EXPECT_EQ(position, nullptr);
  EXPECT_EQ(Names(a, "Simple"), (V{"a1", "a2"}));
  EXPECT_EQ(Names(inner, "Simple"), (V{"inner1"}));
  EXPECT_EQ(Names(b, "Simple"), V{});
  EXPECT_EQ(Names(nullptr, "Class"), V{});
}

}  // namespace
