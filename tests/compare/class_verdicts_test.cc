// The verdicts on one source class, drawn from a mapping table handed to the
// comparison in memory and read through the pass's cursor, with both lookup
// strategies. Each case is a table and the findings it must give, in the
// order the report shows them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/class_loop.h"
#include "compare/pass_state.h"
#include "dictionary/element_walk.h"
#include "output/finding_names.h"

namespace {

// The target of every case: a class found by its key and short parent, and
// another found by its short parent alone.
constexpr std::string_view kTarget = R"(<Dictionary Name="V5" Domain="EQT">
  <Class Name="CentrifugalPump" DisplayName="Centrifugal Pump" Superclass="RotatingEquipment" Creator="ROT">
    <Simple Name="FlowRate" DisplayName="Flow Rate" Type="Real"/>
    <Simple Name="Speed" DisplayName="Speed" Type="Real"/>
  </Class>
  <Class Name="ElectricMotor" DisplayName="Electric Motor" Superclass="Driver" Creator="ELE">
    <Simple Name="RatedPower" DisplayName="Rated Power" Type="Real"/>
  </Class>
</Dictionary>
)";

// The class Pump of parent Equipment with these attributes.
std::string SourceWith(const std::vector<std::string>& attributes) {
  std::string xml = "<Dictionary Name=\"V4\">\n";
  xml += "  <Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\" ShortParent=\"EQP\">\n";
  for (const std::string& name : attributes) {
    xml += "    <Simple Name=\"" + name + "\" ShortName=\"" + name + "\" Type=\"Real\"/>\n";
  }
  return xml + "  </Class>\n</Dictionary>\n";
}

class Document {
 public:
  explicit Document(std::string_view xml)
      : document_(MigrationXMLNode::CreateFromBytes(xml.data(), xml.size())) {}
  ~Document() {
    if (document_) document_->Release();
  }
  MigrationXMLNode* Root() const { return FirstNode(document_); }

 private:
  MigrationXMLNode* document_;
};

// SUBJECT VERDICT KIND[ label][ / detail][ in target class] @row line
std::string Describe(const Finding& finding) {
  std::string text = std::string(SubjectName(finding.subject)) + " " +
                     VerdictName(finding.verdict) + " " + FindingKindName(finding.kind);
  if (!finding.label.empty()) text += " " + finding.label;
  if (!finding.detail.empty() && finding.detail != finding.label) text += " / " + finding.detail;
  if (finding.target && !finding.target->target_class.empty()) {
    text += " in " + finding.target->target_class;
  }
  if (finding.row) text += " @" + std::to_string(finding.row->line);
  return text;
}

class DescribedFindings : public FindingSink {
 public:
  void Accept(const ClassFindings& batch) override {
    for (const Finding& finding : batch.findings) lines.push_back(Describe(finding));
  }
  std::vector<std::string> lines;
};

std::vector<std::string> Verdicts(const std::vector<std::string>& attributes,
                                  const std::string& table, LookupStrategy strategy) {
  Document source(SourceWith(attributes));
  Document target(kTarget);
  ComparisonState state;
  state.settings.row_references = true;
  state.source_root = source.Root();
  state.target_root = target.Root();
  // As the run holds the table: its bytes and one line end more.
  const ZORUnicodeString table_text(table + "\n");
  PassState pass(state, table_text, strategy);
  DescribedFindings findings;
  CompareClasses(pass, findings, nullptr);
  return findings.lines;
}

struct VerdictCase {
  const char* name;
  std::vector<std::string> attributes;
  std::string table;
  std::vector<std::string> findings;
};

const std::string kPumpRow = "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n";
const std::string kFlowRow =
    "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n";

TEST(ClassVerdicts, EachTableGivesItsFindingsThroughBothCursors) {
  const VerdictCase cases[] = {
      {"a class row naming a target class: valid, and its attribute rows follow it",
       {"Flow Rate"},
       kPumpRow + kFlowRow,
       {"class green valid / Centrifugal Pump @1",
        "attribute green valid Flow Rate in CentrifugalPump @2"}},
      {"a class row naming a domain code as its target: badly mapped, then not found",
       {"Flow Rate"},
       "Pump,Equipment,*,EQT,RotatingEquipment,*,EQT,\n",
       {"class red badly_mapped @1", "class purple parent_unknown / RotatingEquipment @1",
        "attribute purple class_not_in_target Flow Rate"}},
      {"an explicitly unmapped class: a row without a target is badly mapped, one with a "
       "target is retained, and the class rows of its children lose it",
       {"Flow Rate", "Head", "Seal"},
       "Pump,Equipment,*,No Mapping,,*,EQT,\n" + kFlowRow +
           "Pump,Equipment,Head,No Mapping,,,EQT,\n"
           "Pump,Equipment,Seal,\n"
           "Impeller,Pump,*,Impeller,RotatingEquipment,*,EQT,\n",
       {"class orange explicitly_unmapped @1", "attribute red badly_mapped Seal @4",
        "attribute orange retained Flow Rate / Flow Rate\n @2",
        "child orange child_loses_attributes Impeller @5"}},
      {"an attribute mapped to another target class: looked for in the first class of the "
       "row's parent",
       {"Rated Power", "Flow Rate"},
       kPumpRow + "Pump,Equipment,Rated Power,ElectricMotor,Driver,RatedPower,EQT,\n" +
           "Pump,Equipment,Flow Rate,Motor,Driver,FlowRate,EQT,\n",
       {"class green valid / Centrifugal Pump @1",
        "attribute green valid Rated Power in ElectricMotor @2",
        "attribute grey dropped_row Flow Rate / ElectricMotor in Motor @3"}},
      {"a row of another class right after the class's own rows: taken as the attribute's",
       {"Flow Rate", "Speed"},
       kPumpRow + kFlowRow +
           "Valve,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,EQT,\n" +
           "Valve,Equipment,*,Valve,Equipment,*,EQT,\n",
       {"class green valid / Centrifugal Pump @1",
        "attribute green valid Flow Rate in CentrifugalPump @2",
        "attribute green valid Speed in CentrifugalPump @3"}},
      {"an attribute whose row comes after another class's row: not looked for",
       {"Flow Rate", "Speed"},
       kPumpRow + kFlowRow + "Valve,Equipment,Size,Valve,Equipment,Size,EQT,\n" +
           "Pump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,EQT,\n",
       {"class green valid / Centrifugal Pump @1",
        "attribute green valid Flow Rate in CentrifugalPump @2", "attribute grey no_row Speed @1"}},
      {"no class row: the class and its attributes are missing from the table",
       {"Flow Rate"},
       "Valve,Equipment,*,Valve,Equipment,*,EQT,\n",
       {"class red not_in_mapping_table", "attribute red not_in_mapping_table Flow Rate"}},
  };
  for (const VerdictCase& verdict_case : cases) {
    for (LookupStrategy strategy : {LookupStrategy::kIndexed, LookupStrategy::kLinearScans}) {
      EXPECT_EQ(Verdicts(verdict_case.attributes, verdict_case.table, strategy),
                verdict_case.findings)
          << verdict_case.name
          << (strategy == LookupStrategy::kIndexed ? " (indexed)" : " (scanning)");
    }
  }
}

}  // namespace
