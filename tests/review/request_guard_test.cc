// What a request must show before the review answers it: each case a
// request as a browser, another site's page or a script would send it.
#include "review/request_guard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kToken[] = "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";

struct GuardCase {
  const char* what;
  GuardedRequest request;
  int status;
  bool set_cookie = false;
};

TEST(RequestGuard, AnswersOnlyItsOwnPageWithItsToken) {
  const RequestGuard guard(kToken, 4567);
  const std::string cookie = "theme=dark; zorvez-review-4567=" + std::string(kToken);
  const std::string other_port = "zorvez-review-4568=" + std::string(kToken);
  const std::string origin = "http://127.0.0.1:4567";
  const char* host = "127.0.0.1:4567";
  const char* json = "application/json; charset=UTF-8";
  const std::vector<GuardCase> cases = {
      {"the first visit", {"GET", "/", host, "", "", "", kToken, "", false}, 0, true},
      {"a later visit", {"GET", "/", host, "", "", cookie, "", "", false}, 0},
      {"a read", {"GET", "/api/state", host, "", "", cookie, "", "", false}, 0},
      {"the page's change",
       {"POST", "/api/decide", host, origin, json, cookie, "", "same-origin", true},
       0},
      {"no token", {"GET", "/", host, "", "", "", "", "", false}, 403},
      {"a wrong token", {"GET", "/", host, "", "", "", "0123", "", false}, 403},
      {"the token of another review",
       {"GET", "/api/state", host, "", "", other_port, "", "", false},
       403},
      {"the address's token on a read",
       {"GET", "/api/state", host, "", "", "", kToken, "", false},
       403},
      {"the address's token on a change",
       {"POST", "/api/decide", host, origin, json, "", kToken, "", true},
       403},
      {"a rebound name", {"GET", "/", "attacker.example:4567", "", "", cookie, "", "", false}, 403},
      {"another port", {"GET", "/", "127.0.0.1:80", "", "", cookie, "", "", false}, 403},
      {"no host", {"GET", "/", "", "", "", cookie, "", "", false}, 403},
      {"a change from another site",
       {"POST", "/api/decide", host, "http://attacker.example", json, cookie, "", "", true},
       403},
      {"a change without origin",
       {"POST", "/api/decide", host, "", json, cookie, "", "", true},
       403},
      {"a change another site's fetch sends",
       {"POST", "/api/decide", host, origin, json, cookie, "", "cross-site", true},
       403},
      {"a form's change",
       {"POST", "/api/decide", host, origin, "text/plain", cookie, "", "", true},
       415},
      {"a change of no stated length",
       {"POST", "/api/decide", host, origin, json, cookie, "", "", false},
       411},
      {"another method", {"PUT", "/api/decide", host, origin, json, cookie, "", "", true}, 405},
  };
  for (const GuardCase& c : cases) {
    const GuardAnswer answer = guard.Check(c.request);
    EXPECT_EQ(answer.status, c.status) << c.what << ": " << answer.reason;
    EXPECT_EQ(answer.set_cookie, c.set_cookie) << c.what;
  }
  EXPECT_EQ(guard.CookieHeader(),
            "zorvez-review-4567=" + std::string(kToken) + "; Path=/; HttpOnly; SameSite=Strict");
  EXPECT_EQ(guard.Address(), "http://127.0.0.1:4567/?token=" + std::string(kToken));
}

}  // namespace
