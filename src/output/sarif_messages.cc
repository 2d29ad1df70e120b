#include "output/sarif_messages.h"

namespace {

void ClassArguments(const Finding& finding, bool v5v5, SarifMessage& message) {
  std::vector<std::string_view>& arguments = message.arguments;
  const std::string_view target_key = finding.target ? finding.target->key : std::string_view();
  switch (finding.kind) {
    case FindingKind::kBadlyMapped:
      arguments.push_back(finding.dictionary);
      break;
    case FindingKind::kValid:
      arguments.insert(arguments.end(), {finding.detail, finding.dictionary});
      break;
    case FindingKind::kNotFoundInTarget:
      if (v5v5) {
        message.id = "v5v5";
      } else {
        arguments.push_back(target_key);
      }
      break;
    case FindingKind::kDomainMissing:
      arguments.push_back(target_key);
      break;
    case FindingKind::kParentUnknown:
      arguments.insert(arguments.end(), {target_key, finding.detail});
      break;
    default:
      break;
  }
}

void AttributeArguments(const Finding& finding, SarifMessage& message) {
  std::vector<std::string_view>& arguments = message.arguments;
  const TargetRef none;
  const TargetRef& target = finding.target ? *finding.target : none;
  switch (finding.kind) {
    case FindingKind::kBadlyMapped:
      arguments.insert(arguments.end(), {finding.detail, finding.dictionary});
      return;
    case FindingKind::kRetained:
      arguments.push_back(finding.label);
      return;
    default:
      break;
  }
  arguments.insert(arguments.end(), {finding.label, finding.key});
  switch (finding.kind) {
    case FindingKind::kNotFoundInTarget:
      arguments.insert(arguments.end(), {target.target_class, target.key});
      break;
    case FindingKind::kValid:
      arguments.push_back(target.target_class);
      break;
    case FindingKind::kDroppedRow:
      arguments.insert(arguments.end(), {target.key, target.target_class, target.parent});
      if (finding.detail.empty()) {
        message.id = "noParent";
      } else {
        arguments.push_back(finding.detail);
      }
      break;
    default:
      break;
  }
}

}  // namespace

void FindingMessage(const ClassFindings& batch, const Finding& finding, bool v5v5,
                    SarifMessage& message) {
  message.id = "default";
  message.arguments.assign({batch.label, batch.key});
  switch (finding.subject) {
    case FindingSubject::kClass:
      ClassArguments(finding, v5v5, message);
      break;
    case FindingSubject::kAttribute:
      AttributeArguments(finding, message);
      break;
    case FindingSubject::kChild:
      message.arguments.push_back(finding.label);
      break;
  }
}

std::string HazardArgument(const Hazard& hazard) {
  std::string text = hazard.message;
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

std::string_view GoneArgument(std::string_view message) {
  while (!message.empty() && (message.back() == '.' || message.back() == ' ')) {
    message.remove_suffix(1);
  }
  return message;
}
