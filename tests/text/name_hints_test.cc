#include "text/name_hints.h"

#include <string>

#include <gtest/gtest.h>

#include "text/folded_text.h"

namespace {

TEST(FoldedText, CaseAccentsCompatibilityFormsAndWordGapsFoldAlike) {
  struct Case {
    const char* a;
    const char* b;
  };
  for (const Case& c : {Case{"Flow_Rate", "flow rate"}, Case{"FLOW-RATE", "FlowRate"},
                        Case{"Straße", "STRASSE"}, Case{"Débit Nominal", "debit nominal"},
                        Case{"ﬁlter", "filter"}, Case{"ＰＵＭＰ", "pump"}}) {
    EXPECT_EQ(FoldCompact(c.a), FoldCompact(c.b)) << c.a << " / " << c.b;
  }
  EXPECT_NE(FoldCompact("Pump"), FoldCompact("Pumps"));
}

// Bytes of a windows-1252 file fold as Latin-1 letters, and folding any
// byte string gives valid UTF-8.
TEST(FoldedText, InvalidUtf8IsReadByteForByte) {
  EXPECT_EQ(FoldText("D\xE9""bit"), "debit");
  std::string every;
  for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
  const std::string valid = ValidUtf8(every);
  EXPECT_EQ(ValidUtf8(valid), valid);
  EXPECT_EQ(FoldText(FoldText(every)), FoldText(every));
}

TEST(NameHints, SuggestsTheNameAMistypedOneStandsFor) {
  NameHints hints;
  for (const char* name : {"CentrifugalPump", "Valve", "Gate Valve", "MeshSize", "Pipe Size",
                           "Débit", "Pump", "Pumps"}) {
    hints.Add(name);
  }
  struct Case {
    const char* typed;
    const char* meant;  // nullptr: no hint
  };
  for (const Case& c : {Case{"centrifugalpump", "CentrifugalPump"}, Case{"gate_valve", "Gate Valve"},
                        Case{"Mesh Size", "MeshSize"}, Case{"debit", "Débit"},
                        Case{"CentrifugalPmup", "CentrifugalPump"}, Case{"CentrifugalPum", "CentrifugalPump"},
                        Case{"CentrifugalPumpe", "CentrifugalPump"}, Case{"PipeSixe", "Pipe Size"},
                        Case{"Valve", nullptr}, Case{"Vlv", nullptr}, Case{"Compressor", nullptr},
                        Case{"PUMP", "Pump"}, Case{"", nullptr}}) {
    auto hint = hints.DidYouMean(c.typed);
    if (c.meant == nullptr) {
      EXPECT_FALSE(hint) << c.typed << " -> " << hint.value_or("");
    } else {
      EXPECT_EQ(hint.value_or("(none)"), c.meant) << c.typed;
    }
  }
}

}  // namespace
