// The review's HTTP server: the loopback address only, every request past
// the RequestGuard first, then the page or the review's answers. What the
// answers are is the handlers' business; this part only carries them, with
// the headers that keep the page to itself (a Content-Security-Policy,
// never framed, nothing cached, no CORS header), and bounds what a client
// can make it hold: the size of a request, the connections served at once
// and waiting.
#ifndef ZOR_REVIEW_REVIEW_SERVER_H_
#define ZOR_REVIEW_REVIEW_SERVER_H_

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "review/request_guard.h"

struct ReviewReply {
  int status = 200;
  std::string body;
  std::string type = "application/json";
};

class ReviewHandlers {
 public:
  virtual ~ReviewHandlers() = default;
  // GET / : the page.
  virtual ReviewReply Page() = 0;
  // GET /api/NAME with the address's query; 404 for a name it has not.
  virtual ReviewReply Get(std::string_view name,
                          const std::multimap<std::string, std::string>& query) = 0;
  // POST /api/NAME with its JSON body.
  virtual ReviewReply Post(std::string_view name, std::string_view body) = 0;
};

// The largest request body read; larger ones are refused unread.
inline constexpr size_t kMostRequestBytes = 64 * 1024;

class ReviewServer {
 public:
  // `policy`: the page's Content-Security-Policy.
  ReviewServer(ReviewHandlers& handlers, std::string policy);
  ~ReviewServer();
  ReviewServer(const ReviewServer&) = delete;
  ReviewServer& operator=(const ReviewServer&) = delete;

  // Listens on 127.0.0.1 at `port`, or at a free port for 0; false with why
  // in `problem` when it cannot. The token is made here.
  bool Listen(int port, std::string& problem);
  int Port() const { return port_; }
  const RequestGuard& Guard() const { return *guard_; }

  // Serves until `stop()` says so (asked ten times a second, with `tick()`
  // once a second), then returns once the requests being answered are.
  void Serve(const std::function<bool()>& stop, const std::function<void()>& tick);

 private:
  struct Library;
  std::unique_ptr<Library> library_;
  ReviewHandlers& handlers_;
  std::string policy_;
  std::unique_ptr<RequestGuard> guard_;
  int port_ = 0;
};

#endif  // ZOR_REVIEW_REVIEW_SERVER_H_
