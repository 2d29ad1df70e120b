// Feeding the proposed mapping back in as the mapping table. The proposed
// class row leaves its target columns empty, so read back its fourth field is
// the "*" of the sixth column: the class is found in the table and judged
// badly mapped, and without a domain nothing can be proposed for it. A class
// with an empty parent is never found, so it is proposed again unchanged.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

const char kSource[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Dictionary Name=\"PipingV4\">\n"
    "  <Class Name=\"Strainer\" ShortName=\"STR\" Parent=\"Pipe Fitting\" ShortParent=\"PFT\">\n"
    "    <Simple Name=\"Mesh Size\" ShortName=\"MSH\" Type=\"Real\" Value=\"40\"/>\n"
    "    <Simple Name=\"Pipe Size\" ShortName=\"PSZ\" Type=\"Real\" Value=\"\"/>\n"
    "  </Class>\n"
    "  <Class Name=\"Pump &amp; Motor Skid\" ShortName=\"PMS\" Parent=\"Equipment\" "
    "ShortParent=\"EQP\"/>\n"
    "  <Class Name=\"Drain\" ShortName=\"DRN\" Parent=\"\" ShortParent=\"\">\n"
    "    <Simple Name=\"Size\" ShortName=\"SZ\" Type=\"Real\" Value=\"\"/>\n"
    "  </Class>\n"
    "</Dictionary>\n";

const char kTarget[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Dictionary Name=\"PipingV5\" Domain=\"PIP\">\n"
    "  <Class Name=\"Pipe\" DisplayName=\"Pipe\" Superclass=\"Piping\" Creator=\"ENG\"/>\n"
    "  <Class Name=\"PipeFitting\" DisplayName=\"Pipe Fitting\" Superclass=\"Piping\" "
    "Creator=\"ENG\"/>\n"
    "</Dictionary>\n";

// The first table knows none of the source classes.
const char kFirstTable[] = "Pipe,Piping,*,Pipe,Piping,*,PIP,\n";

const char kProposedRows[] =
    "Strainer,Pipe Fitting,*,,,*,\n"
    "Strainer,Pipe Fitting,Mesh Size,,,,\n"
    "Strainer,Pipe Fitting,Pipe Size,,,,\n"
    "Pump &amp; Motor Skid,Equipment,*,,,*,\n"
    "Drain,,*,,,*,\n"
    "Drain,,Size,,,,\n";

const char kPackageOnly[] =
    "<?xml version=\"1.0\" ?>\n"
    "<Package\n"
    "     Name=\"PipingV4\" Domain=\"PIP\" xmlns=\"x-schema:V5classSchema.xml\">\n"
    "\n"
    "</Package>\n";

TEST(RoundTrip, ProposedRowsReadBackAsBadlyMappedClassesWithoutDomain) {
  e2e::ScratchDirectory root;
  e2e::MakeDictionaryFolders(root.path());
  auto file = [&](const std::string& below) { return root / ("Dictionary/" + below); };
  auto run = [&](const std::string& name, bool trace) {
    std::vector<std::string> arguments{
        "-i", "piping_v4.xml", "piping_v5.xml", "-m", name + ".csv", "-o", name};
    if (trace) arguments.push_back("-t");
    e2e::ToolRun run = e2e::RunTool(arguments, root.path().string());
    EXPECT_EQ(run.exit_status, 0);
    return run.output;
  };
  e2e::WriteFile(file("V4_Exported_XML/piping_v4.xml"), kSource);
  e2e::WriteFile(file("V5_Exported_XML/piping_v5.xml"), kTarget);
  e2e::WriteFile(file("MappingTable/first.csv"), kFirstTable);
  run("first", false);
  std::string proposed = e2e::ReadFile(file("DDL_Files/first.csv"));
  ASSERT_EQ(proposed, kProposedRows);

  // The proposed mapping, taken as it was written, becomes the next table.
  e2e::WriteFile(file("MappingTable/second.csv"), proposed);
  const std::string second = run("second", true);

  // Each badly mapped class meets the bad-mapping test once per target class,
  // and its map domain is empty.
  const std::string strainer_trace =
      "Examining class: Strainer\n"
      "      | FOUND in mapping table!\n"
      " &&&& checking v5 %%%%\n"
      "Bad mapping!\n"
      "Bad mapping!\n"
      "V5 not found!\n"
      "MapDomain = \n";
  EXPECT_NE(second.find(strainer_trace), std::string::npos) << second;

  const std::string domain_missing =
      " <font color=\"#990099\">Domain missing in mapping table! Couldn't suggest V5 "
      "XML.</font><br>\n";
  const std::string expected_body =
      "<font color=\"#FF0000\"><a name=\"STR\"></a><b>Strainer (STR)</b></font> is badly mapped "
      "in mapping table: no V5 class specified.<br>\n"
      "<b><font color=\"#0000FF\"><a name=\"STR\"></a>Strainer (STR) not found in existing V5 "
      "XML!</font></b>" +
      domain_missing +
      "&nbsp;&nbsp;&nbsp;<font color=\"#0000CC\">Mesh Size (MSH)</font> is an attribute under "
      "Strainer.<br>\n"
      "&nbsp;&nbsp;&nbsp;<font color=\"#0000CC\">Pipe Size (PSZ)</font> is an attribute under "
      "Strainer.<br>\n"
      "<font color=\"#FF0000\"><a name=\"PMS\"></a><b>Pump &amp; Motor Skid (PMS)</b></font> is "
      "badly mapped in mapping table: no V5 class specified.<br>\n"
      "<b><font color=\"#0000FF\"><a name=\"PMS\"></a>Pump &amp; Motor Skid (PMS) not found in "
      "existing V5 XML!</font></b>" +
      domain_missing +
      "<b><font color=\"#FF0000\"><a name=\"DRN\"></a>Drain (DRN) not found in mapping "
      "table!</font></b> Provide new class in mapping table.<br>\n"
      "&nbsp;&nbsp;&nbsp;<font color=\"#CC0000\">Size (SZ)</font> is an attribute under "
      "Drain.<br>\n"
      "<br><br>\n";
  const std::string report = e2e::ReadFile(file("Reports/second.html"));
  EXPECT_NE(report.find(expected_body), std::string::npos) << report;
  EXPECT_NE(report.find("New classes suggested: 3<br>\n"), std::string::npos);

  // A blue class without domain proposes nothing; only the class with the
  // empty parent is proposed again, exactly as before.
  EXPECT_EQ(e2e::ReadFile(file("DDL_Files/second.csv")), "Drain,,*,,,*,\nDrain,,Size,,,,\n");
  EXPECT_EQ(e2e::ReadFile(file("DDL_Files/second.xml")), kPackageOnly);
}

}  // namespace
