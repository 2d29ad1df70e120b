// What a request must show before the review's server answers it, as
// trusted local servers check it: the server's own address in its Host
// header (a page of another site that rebinds its name to the loopback
// address is refused), the review's token (the address printed at start
// carries it once; the page's first visit turns it into a cookie that
// only this server's own pages send), and for a request that changes
// anything the page's own origin and a JSON body of a stated length, which
// no form of another site can send. Plain data in, an answer out: the HTTP library asks.
#ifndef ZOR_REVIEW_REQUEST_GUARD_H_
#define ZOR_REVIEW_REQUEST_GUARD_H_

#include <string>
#include <string_view>

struct GuardedRequest {
  std::string_view method;        // "GET", "POST", ...
  std::string_view path;          // without the query
  std::string_view host;          // the Host header
  std::string_view origin;        // the Origin header, or empty
  std::string_view content_type;  // the Content-Type header, or empty
  std::string_view cookie;        // the Cookie header, or empty
  std::string_view query_token;   // the address's ?token=, or empty
  std::string_view fetch_site;    // the Sec-Fetch-Site header, or empty
  bool sized = false;             // the request says its body's length (Content-Length)
};

struct GuardAnswer {
  int status = 0;           // 0: the request passes; else the status to refuse it with
  std::string reason;       // why it is refused, for the reply's body
  bool set_cookie = false;  // the token came in the address: the reply sets the cookie
};

class RequestGuard {
 public:
  RequestGuard(std::string token, int port);

  GuardAnswer Check(const GuardedRequest& request) const;

  // The page's own origin, "http://127.0.0.1:PORT".
  const std::string& Origin() const { return origin_; }
  // The Set-Cookie header's value that keeps the token for the page's
  // later requests: for this server alone (its port is in the name), never
  // read by a script, never sent from another site's page.
  std::string CookieHeader() const;
  // The address the server prints, with the token.
  std::string Address() const { return origin_ + "/?token=" + token_; }

 private:
  bool TokenIn(std::string_view cookie) const;

  std::string token_;
  std::string host_;
  std::string origin_;
  std::string cookie_name_;
};

#endif  // ZOR_REVIEW_REQUEST_GUARD_H_
