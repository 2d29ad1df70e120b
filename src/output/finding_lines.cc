#include "output/finding_lines.h"

namespace {

constexpr std::string_view kIndent = "&nbsp;&nbsp;&nbsp;";

// The anchor that the table of contents links to, and the class's names.
void AnchoredClass(FindingLine& line, const ClassFindings& batch) {
  line.Markup("<a name=\"").Markup(batch.key).Markup("\"></a>").Named(batch.label, batch.key);
}

FindingLine NotInMappingTable(const ClassFindings& batch, bool v5v5, FindingLine line) {
  line.Markup("<b><font color=\"#FF0000\">");
  AnchoredClass(line, batch);
  line.Text(" not found in mapping table!").Markup("</font></b>").Text(" ");
  line.Text(v5v5 ? "Provide new class in mapping table and V5 DDL. 1"
                 : "Provide new class in mapping table.");
  return std::move(line.Markup("<br>\n"));
}

FindingLine BadlyMappedClass(const ClassFindings& batch, const Finding& finding, FindingLine line) {
  line.Markup("<font color=\"#FF0000\"><a name=\"").Markup(batch.key).Markup("\"></a><b>");
  line.Named(batch.label, batch.key).Markup("</b></font>");
  line.Text(" is badly mapped in mapping table: no ").Text(finding.dictionary);
  return std::move(line.Text(" class specified.").Markup("<br>\n"));
}

FindingLine ValidClass(const ClassFindings& batch, const Finding& finding, FindingLine line) {
  line.Markup("<font color=\"#007200\">");
  AnchoredClass(line, batch);
  line.Markup("</font>").Text(" valid in mapping table and ").Text(finding.dictionary);
  line.Text(" XML (mapped as \"").Text(finding.detail).Text("\").");
  return std::move(line.Markup("<br>\n"));
}

FindingLine ClassNotFound(const ClassFindings& batch, const Finding& finding, bool v5v5,
                          FindingLine line) {
  line.Markup("<b><font color=\"#0000FF\">");
  AnchoredClass(line, batch);
  if (v5v5) {
    line.Text(" not found in existing V5B XML a!").Markup("</font></b>");
    return std::move(
        line.Text(" Provide new class in mapping table and V5A DDL.").Markup("<br>\n"));
  }
  line.Text(" not found in existing V5 XML!").Markup("</font></b>");
  switch (finding.kind) {
    case FindingKind::kDomainMissing:
      line.Text(" ").Markup("<font color=\"#990099\">");
      line.Text("Domain missing in mapping table! Couldn't suggest V5 XML.").Markup("</font>");
      break;
    case FindingKind::kParentUnknown:
      line.Text(" Provide new class in V5 XML DDL. ").Markup("<font color=\"#990099\">");
      line.Text("Parent (").Text(finding.detail).Text(") is not in mapping, or not in XML!");
      line.Markup("</font>");
      break;
    default:
      line.Text(" Provide new class in V5 XML DDL.");
  }
  return std::move(line.Markup("<br>\n"));
}

FindingLine ClassLine(const ClassFindings& batch, const Finding& finding, bool v5v5,
                      FindingLine line) {
  switch (finding.kind) {
    case FindingKind::kNotInMappingTable:
      return NotInMappingTable(batch, v5v5, std::move(line));
    case FindingKind::kBadlyMapped:
      return BadlyMappedClass(batch, finding, std::move(line));
    case FindingKind::kValid:
      return ValidClass(batch, finding, std::move(line));
    default:
      return ClassNotFound(batch, finding, v5v5, std::move(line));
  }
}

FindingLine AttributeUnderClass(const ClassFindings& batch, const Finding& finding,
                                const char* colour, FindingLine line) {
  line.Markup(kIndent).Markup("<font color=\"").Markup(colour).Markup("\">");
  line.Named(finding.label, finding.key).Markup("</font>");
  return std::move(
      line.Text(" is an attribute under ").Text(batch.label).Text(".").Markup("<br>\n"));
}

FindingLine MissingAttribute(const Finding& finding, bool v5v5, FindingLine line) {
  line.Markup("<b>").Markup(kIndent).Markup("<font color=\"#0000CC\">");
  line.Named(finding.label, finding.key);
  if (v5v5) {
    line.Text(" not found in existing V5B XML!").Markup("</font></b>");
    return std::move(
        line.Text(" Provide new attribute in mapping table and V5 DDL.").Markup("<br>\n"));
  }
  line.Text(" not found in existing V5 XML!").Markup("</font></b>");
  return std::move(line.Text(" Provide new attribute in V5 XML DDL.").Markup("<br>\n"));
}

// The row's target, as it names it, and where the run looked instead.
FindingLine DroppedRowLine(const Finding& finding, FindingLine line) {
  const TargetRef named = finding.target.value_or(TargetRef{});
  line.Markup(kIndent).Named(finding.label, finding.key).Text(" is not compared: its row names ");
  line.Text(named.key).Text(" of ").Text(named.target_class).Text(", but ");
  if (finding.detail.empty()) {
    line.Text("no ").Text(finding.dictionary).Text(" class has the parent ").Text(named.parent);
  } else {
    line.Text("the run looks only in ").Text(finding.detail).Text(", the first ");
    line.Text(finding.dictionary).Text(" class under ").Text(named.parent);
    line.Text(", which lacks it");
  }
  return std::move(line.Text(".").Markup("<br>\n"));
}

FindingLine AttributeLine(const ClassFindings& batch, const Finding& finding, bool v5v5,
                          FindingLine line) {
  switch (finding.kind) {
    case FindingKind::kNotInMappingTable:
      return AttributeUnderClass(batch, finding, "#CC0000", std::move(line));
    case FindingKind::kClassNotInTarget:
      return AttributeUnderClass(batch, finding, "#0000CC", std::move(line));
    case FindingKind::kValid:
      line.Markup(kIndent).Markup("<font color=\"#003600\">").Named(finding.label, finding.key);
      line.Markup("</font>").Text(" valid in mapping table and ").Text(finding.dictionary);
      return std::move(line.Text(" XML.").Markup("<br>\n"));
    case FindingKind::kBadlyMapped:
      line.Markup(kIndent).Markup("<b><font color=\"#CC5500\">").Text(finding.detail);
      line.Markup("</font></b><font color=\"#000000\">");
      line.Text(" is badly mapped in mapping table: no ").Text(finding.dictionary);
      return std::move(line.Text(" attribute specified.").Markup("</font><br>\n"));
    case FindingKind::kNoRow:
      line.Markup(kIndent).Named(finding.label, finding.key).Text(" has no row in mapping table ");
      return std::move(
          line.Text("under ").Text(batch.label).Text(": not compared.").Markup("<br>\n"));
    case FindingKind::kDroppedRow:
      return DroppedRowLine(finding, std::move(line));
    case FindingKind::kRetained:
      line.Markup("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
      line.Markup("<font color=\"#444444\">").Text(finding.label);
      // The retained name keeps its line end inside the font element.
      line.Markup(std::string_view(finding.detail).substr(finding.label.size()));
      return std::move(line.Markup("</font><br>\n"));
    default:
      return MissingAttribute(finding, v5v5, std::move(line));
  }
}

FindingLine ChildLine(const Finding& finding, FindingLine line) {
  line.Markup(kIndent).Text("Child ").Markup("<font color=\"#000000\"><b>").Text(finding.label);
  line.Markup("</font></b>").Text(" is now missing the above inherited attribute(s).");
  return std::move(line.Markup("<br>\n"));
}

}  // namespace

FindingLine& FindingLine::Markup(std::string_view markup) {
  if (form_ == LineForm::kHtml) text_ += markup;
  return *this;
}

FindingLine& FindingLine::Text(std::string_view text) {
  text_ += text;
  return *this;
}

FindingLine& FindingLine::Named(std::string_view label, std::string_view key) {
  return Text(label).Text(" (").Text(key).Text(")");
}

FindingLine UnmappedClassLine(const ClassFindings& batch, LineForm form) {
  FindingLine line(form);
  line.Markup("<b><font color=\"#FF6600\">");
  AnchoredClass(line, batch);
  line.Markup("</font><font color=\"#999999\">").Text(" was explicitly unmapped in mapping table.");
  line.Markup("</font></b><br>\n");
  return line;
}

FindingLine LineOf(const ClassFindings& batch, const Finding& finding, bool v5v5, LineForm form) {
  FindingLine line(form);
  switch (finding.subject) {
    case FindingSubject::kClass:
      if (finding.kind == FindingKind::kExplicitlyUnmapped) {
        return UnmappedClassLine(batch, form);
      }
      return ClassLine(batch, finding, v5v5, std::move(line));
    case FindingSubject::kAttribute:
      return AttributeLine(batch, finding, v5v5, std::move(line));
    case FindingSubject::kChild:
      return ChildLine(finding, std::move(line));
  }
  return line;
}
