// Writes the planned dictionaries as exported XML, in the attribute layout
// each comparison reads.
#include <string>

#include "bench/tree_model.h"

namespace zor_bench {
namespace {

void AppendAttribute(std::string& out, const char* name, const std::string& value) {
  out += ' ';
  out += name;
  out += "=\"";
  for (char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  out += '"';
}

// A class element with its attribute definitions; `head` and `simple`
// append the XML attributes of the class and of one definition.
template <typename Attributes, typename Head, typename Simple>
void AppendClass(std::string& out, const Attributes& attributes, Head head, Simple simple) {
  out += "  <Class";
  head(out);
  if (attributes.empty()) {
    out += "/>\n";
    return;
  }
  out += ">\n";
  for (const auto& attribute : attributes) {
    out += "    <Simple";
    simple(out, attribute);
    out += "/>\n";
  }
  out += "  </Class>\n";
}

std::string DocumentStart(const char* name, const char* domain) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Dictionary Name=\"") + name +
         "\" Domain=\"" + domain + "\">\n";
}

void AppendV4Class(std::string& out, const SourceClass& c, bool with_domains) {
  AppendClass(
      out, c.attributes,
      [&](std::string& o) {
        AppendAttribute(o, "Name", c.label);
        AppendAttribute(o, "ShortName", c.key);
        AppendAttribute(o, "Parent", c.parent_label);
        AppendAttribute(o, "ShortParent", c.parent_key);
        if (with_domains) AppendAttribute(o, "Domain", c.domain);
      },
      [&](std::string& o, const SourceAttribute& a) {
        AppendAttribute(o, "Name", a.label);
        AppendAttribute(o, "ShortName", a.key);
        AppendAttribute(o, "Type", a.type);
        AppendAttribute(o, "Value", a.value);
        if (with_domains) AppendAttribute(o, "Domain", c.domain);
      });
}

void AppendV5Class(std::string& out, const SourceClass& c) {
  AppendClass(
      out, c.attributes,
      [&](std::string& o) {
        AppendAttribute(o, "DisplayName", c.label);
        AppendAttribute(o, "Name", c.key);
        AppendAttribute(o, "Superclass", c.parent_key);
        AppendAttribute(o, "UUID", c.uuid);
        AppendAttribute(o, "Domain", c.domain);
        AppendAttribute(o, "Creator", c.creator);
      },
      [&](std::string& o, const SourceAttribute& a) {
        AppendAttribute(o, "DisplayName", a.label);
        AppendAttribute(o, "Name", a.key);
        AppendAttribute(o, "Type", a.type);
        AppendAttribute(o, "Default", a.value);
        AppendAttribute(o, "Domain", c.domain);
      });
}

void AppendTargetClass(std::string& out, const TargetClass& t) {
  AppendClass(
      out, t.attributes,
      [&](std::string& o) {
        AppendAttribute(o, "Name", t.key);
        AppendAttribute(o, "DisplayName", t.label);
        AppendAttribute(o, "Superclass", t.parent_key);
        AppendAttribute(o, "Creator", t.creator);
        // A class exported without an identifier has no UUID attribute.
        if (!t.uuid.empty()) AppendAttribute(o, "UUID", t.uuid);
        AppendAttribute(o, "Domain", t.domain);
      },
      [&](std::string& o, const TargetAttribute& a) {
        AppendAttribute(o, "Name", a.key);
        AppendAttribute(o, "DisplayName", a.label);
        AppendAttribute(o, "Type", a.type);
      });
}

void AppendOldLayoutTargetClass(std::string& out, const TargetClass& t) {
  AppendClass(
      out, t.attributes,
      [&](std::string& o) {
        AppendAttribute(o, "Name", t.label);
        AppendAttribute(o, "ShortName", t.key);
        AppendAttribute(o, "Parent", t.parent_label);
        AppendAttribute(o, "ShortParent", t.parent_key);
        AppendAttribute(o, "User", t.creator);
        AppendAttribute(o, "Domain", t.domain);
      },
      [&](std::string& o, const TargetAttribute& a) {
        AppendAttribute(o, "Name", a.label);
        AppendAttribute(o, "ShortName", a.key);
        AppendAttribute(o, "Type", a.type);
      });
}

}  // namespace

std::string WriteSourceXml(const DictionaryPlan& plan, const PlanSettings& settings) {
  std::string out = DocumentStart(settings.v4() ? "GeneratedPlantV4" : "GeneratedPlantV5A", "EQT");
  out.reserve(plan.sources.size() * (200 + 120 * static_cast<size_t>(settings.options.attributes)));
  for (const SourceClass& c : plan.sources) {
    if (settings.v4())
      AppendV4Class(out, c, false);
    else if (settings.old_layout())
      AppendV4Class(out, c, true);
    else
      AppendV5Class(out, c);
  }
  out += "</Dictionary>\n";
  return out;
}

std::string WriteTargetXml(const DictionaryPlan& plan, const PlanSettings& settings) {
  std::string out = DocumentStart(settings.v4() ? "GeneratedPlantV5" : "GeneratedPlantV5B", "EQT");
  out.reserve(plan.targets.size() * (200 + 90 * static_cast<size_t>(settings.options.attributes)));
  for (int index : plan.target_order) {
    const TargetClass& t = plan.targets[static_cast<size_t>(index)];
    if (settings.old_layout())
      AppendOldLayoutTargetClass(out, t);
    else
      AppendTargetClass(out, t);
  }
  out += "</Dictionary>\n";
  return out;
}

}  // namespace zor_bench
