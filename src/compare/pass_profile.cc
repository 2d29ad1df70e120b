#include "compare/pass_profile.h"

namespace {

constexpr ClassNames kV4ClassNames{"Name", "ShortName", "Parent", "ShortParent"};
constexpr ClassNames kV5ClassNames{"DisplayName", "Name", "Superclass", "Superclass"};
constexpr AttributeNames kV4AttributeNames{"Name", "ShortName", "Value"};
constexpr AttributeNames kV5AttributeNames{"DisplayName", "Name", "Default"};

constexpr std::string_view kV4BadCodes[] = {"",    "\n",  "PIP", "EQT", "INS", "TUB",
                                            "HVA", "CND", "RWY", "HGR", "*"};
// In the V5/V5 pass CND, RWY and HGR are ordinary class names.
constexpr std::string_view kV5BadCodes[] = {"", "\n", "PIP", "EQT", "INS", "TUB", "HVA", "*"};

const PassProfile kV4{
    false,   false,   kV4ClassNames,     kV5ClassNames,     "Creator",   nullptr, nullptr,
    nullptr, nullptr, kV4AttributeNames, kV5AttributeNames, kV4BadCodes, "V5"};
const PassProfile kV4Old{
    false,   true,    kV4ClassNames,     kV4ClassNames,     "User",      nullptr, nullptr,
    nullptr, nullptr, kV4AttributeNames, kV4AttributeNames, kV4BadCodes, "V5"};
const PassProfile kV5{
    true,     false,  kV5ClassNames,     kV5ClassNames,     "Creator",   "UUID", "Creator",
    "Domain", "UUID", kV5AttributeNames, kV5AttributeNames, kV5BadCodes, "V5B"};
const PassProfile kV5Old{
    true,     true,    kV4ClassNames,     kV4ClassNames,     "User",      nullptr, nullptr,
    "Domain", nullptr, kV4AttributeNames, kV4AttributeNames, kV5BadCodes, "V5B"};

}  // namespace

const PassProfile& ProfileFor(bool v5v5, bool old_format) {
  if (v5v5) return old_format ? kV5Old : kV5;
  return old_format ? kV4Old : kV4;
}
