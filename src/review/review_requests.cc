#include "review/review_requests.h"

#include <initializer_list>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

// The body as a JSON object, or null with why.
std::optional<Json> ObjectOf(std::string_view body, std::string& problem) {
  Json value = Json::parse(body.begin(), body.end(), nullptr, false);
  if (value.is_discarded()) {
    problem = "the request is not JSON";
    return std::nullopt;
  }
  if (!value.is_object()) {
    problem = "the request is not a JSON object";
    return std::nullopt;
  }
  return value;
}

bool OnlyMembers(const Json& object, std::initializer_list<std::string_view> names,
                 std::string& problem) {
  for (const auto& [name, value] : object.items()) {
    bool known = false;
    for (std::string_view allowed : names) known = known || name == allowed;
    if (!known) {
      problem = "the request has a member '" + name + "' it does not take";
      return false;
    }
  }
  return true;
}

// The string member `name`, when present; false with why when it is not a
// string.
bool StringMember(const Json& object, const char* name, std::string& out, std::string& problem) {
  const auto found = object.find(name);
  if (found == object.end()) return true;
  if (!found->is_string()) {
    problem = std::string("the request's ") + name + " is not a string";
    return false;
  }
  out = found->get<std::string>();
  return true;
}

bool ReadItem(const Json& object, ItemName& item, std::string& problem) {
  const auto klass = object.find("class");
  if (klass == object.end() || !klass->is_string()) {
    problem = "the request names no class key";
    return false;
  }
  item.class_key = klass->get<std::string>();
  const auto attribute = object.find("attribute");
  if (attribute == object.end()) return true;
  if (!attribute->is_object() || !OnlyMembers(*attribute, {"key", "label"}, problem)) {
    if (problem.empty()) problem = "the request's attribute is not an object";
    return false;
  }
  const auto key = attribute->find("key"), label = attribute->find("label");
  if (key == attribute->end() || label == attribute->end() || !key->is_string() ||
      !label->is_string()) {
    problem = "the request's attribute needs its key and its label, as strings";
    return false;
  }
  item.for_attribute = true;
  item.attribute_key = key->get<std::string>();
  item.attribute_label = label->get<std::string>();
  return true;
}

bool ReadTarget(const Json& object, DecideRequest& request, std::string& problem) {
  const auto target = object.find("target");
  if (!target->is_object() || !OnlyMembers(*target, {"class", "key"}, problem)) {
    if (problem.empty()) problem = "the request's target is not an object";
    return false;
  }
  if (!StringMember(*target, "class", request.target_class, problem) ||
      !StringMember(*target, "key", request.target_key, problem)) {
    return false;
  }
  if (!target->contains("key") || request.item.for_attribute != target->contains("class")) {
    problem = request.item.for_attribute
                  ? "an attribute's target is its class's key and its own key"
                  : "a class's target is its key alone";
    return false;
  }
  return true;
}

}  // namespace

std::optional<DecideRequest> ReadDecideRequest(std::string_view body, std::string& problem) {
  const std::optional<Json> object = ObjectOf(body, problem);
  if (!object ||
      !OnlyMembers(*object,
                   {"class", "attribute", "target", "typed", "in", "no_mapping", "open", "showing"},
                   problem)) {
    return std::nullopt;
  }
  DecideRequest request;
  if (!ReadItem(*object, request.item, problem) ||
      !StringMember(*object, "showing", request.showing, problem) ||
      !StringMember(*object, "typed", request.typed, problem) ||
      !StringMember(*object, "in", request.target_class, problem)) {
    return std::nullopt;
  }
  int kinds = 0;
  for (const char* flag : {"no_mapping", "open"}) {
    const auto found = object->find(flag);
    if (found == object->end()) continue;
    if (!found->is_boolean() || !found->get<bool>()) {
      problem = std::string("the request's ") + flag + " is not true";
      return std::nullopt;
    }
    ++kinds;
    request.kind = std::string_view(flag) == "open" ? DecideRequest::Kind::kOpen
                                                    : DecideRequest::Kind::kNoMapping;
  }
  if (object->contains("typed")) {
    ++kinds;
    request.kind = DecideRequest::Kind::kTyped;
  }
  if (object->contains("target")) {
    ++kinds;
    request.kind = DecideRequest::Kind::kTarget;
    if (object->contains("in")) {
      problem = "the request has a target and a class to look in: give one";
      return std::nullopt;
    }
    if (!ReadTarget(*object, request, problem)) return std::nullopt;
  }
  if (kinds != 1) {
    problem = "the request decides one of: a target, a typed text, no_mapping or open";
    return std::nullopt;
  }
  return request;
}

std::optional<AcceptToolsRequest> ReadAcceptToolsRequest(std::string_view body,
                                                         std::string& problem) {
  const std::optional<Json> object = ObjectOf(body, problem);
  if (!object || !OnlyMembers(*object, {"class", "showing"}, problem)) return std::nullopt;
  AcceptToolsRequest request;
  if (!StringMember(*object, "class", request.class_key, problem) ||
      !StringMember(*object, "showing", request.showing, problem)) {
    return std::nullopt;
  }
  return request;
}

std::optional<ApplyRequest> ReadApplyRequest(std::string_view body, std::string& problem) {
  const std::optional<Json> object = ObjectOf(body, problem);
  if (!object || !OnlyMembers(*object, {"retarget", "preview"}, problem)) return std::nullopt;
  ApplyRequest request;
  if (!StringMember(*object, "preview", request.preview, problem)) return std::nullopt;
  const auto retarget = object->find("retarget");
  if (retarget == object->end()) return request;
  if (!retarget->is_array()) {
    problem = "the request's retarget is not a list of table lines";
    return std::nullopt;
  }
  for (const Json& line : *retarget) {
    if (!line.is_number_integer() || line.get<long long>() < 1 ||
        line.get<long long>() > (1LL << 40)) {
      problem = "the request's retarget holds something other than a table line";
      return std::nullopt;
    }
    request.retargets.push_back(static_cast<long>(line.get<long long>()));
  }
  return request;
}

std::optional<std::string> ReadShowingRequest(std::string_view body, std::string& problem) {
  const std::optional<Json> object = ObjectOf(body, problem);
  if (!object || !OnlyMembers(*object, {"showing"}, problem)) return std::nullopt;
  std::string showing;
  if (!StringMember(*object, "showing", showing, problem)) return std::nullopt;
  return showing;
}
