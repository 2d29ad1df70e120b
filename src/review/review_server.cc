#include "review/review_server.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/random_bytes.h"

namespace {

// A few connections are answered at once and a few more wait; while that
// many wait, the server accepts no more, and the system's own backlog
// refuses the rest. A page makes one request at a time.
constexpr size_t kWorkers = 4;
constexpr size_t kMostWaiting = 16;
constexpr time_t kTimeoutSeconds = 10;
constexpr size_t kMostRequestsPerConnection = 200;
// What every answer but the page's own is allowed to do: nothing.
constexpr const char* kNothingAllowed = "default-src 'none'; frame-ancestors 'none'";

class BoundedQueue : public httplib::TaskQueue {
 public:
  BoundedQueue() {
    for (size_t i = 0; i < kWorkers; ++i) workers_.emplace_back([this] { Work(); });
  }
  void enqueue(std::function<void()> task) override {
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [&] { return waiting_.size() < kMostWaiting || closing_; });
    waiting_.push_back(std::move(task));
    ready_.notify_one();
  }
  void shutdown() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closing_ = true;
    }
    ready_.notify_all();
    room_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

 private:
  void Work() {
    for (;;) {
      std::function<void()> task;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return !waiting_.empty() || closing_; });
        if (waiting_.empty()) return;
        task = std::move(waiting_.front());
        waiting_.pop_front();
      }
      room_.notify_one();
      task();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_, room_;
  std::deque<std::function<void()>> waiting_;
  std::vector<std::thread> workers_;
  bool closing_ = false;
};

std::multimap<std::string, std::string> QueryOf(const httplib::Request& request) {
  return {request.params.begin(), request.params.end()};
}

// The value of `token` in the address's query, as written.
std::string QueryToken(const std::string& target) {
  const size_t query = target.find('?');
  if (query == std::string::npos) return "";
  std::string_view rest = std::string_view(target).substr(query + 1);
  while (!rest.empty()) {
    const size_t end = rest.find('&');
    const std::string_view pair = rest.substr(0, end);
    if (pair.starts_with("token=")) return std::string(pair.substr(6));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return "";
}

void Send(httplib::Response& response, const ReviewReply& reply) {
  response.status = reply.status;
  response.set_content(reply.body, reply.type.c_str());
}

}  // namespace

struct ReviewServer::Library {
  httplib::Server server;
};

ReviewServer::ReviewServer(ReviewHandlers& handlers, std::string policy)
    : library_(std::make_unique<Library>()), handlers_(handlers), policy_(std::move(policy)) {}

ReviewServer::~ReviewServer() = default;

bool ReviewServer::Listen(int port, std::string& problem) {
  const std::string token = RandomHex(32);
  if (token.empty()) {
    problem = "the system gives no random bytes for the review's token";
    return false;
  }
  httplib::Server& server = library_->server;
  server.new_task_queue = [] { return new BoundedQueue(); };
  server.set_payload_max_length(kMostRequestBytes);
  server.set_read_timeout(kTimeoutSeconds);
  server.set_write_timeout(kTimeoutSeconds);
  server.set_keep_alive_max_count(kMostRequestsPerConnection);
  // An answer's head and body leave at once, not after the page's
  // acknowledgement of the head.
  server.set_tcp_nodelay(true);
  port_ = port == 0 ? server.bind_to_any_port("127.0.0.1")
                    : (server.bind_to_port("127.0.0.1", port) ? port : -1);
  if (port_ <= 0) {
    problem = port == 0 ? "no port of 127.0.0.1 is free"
                        : "port " + std::to_string(port) + " of 127.0.0.1 is taken or not allowed";
    return false;
  }
  guard_ = std::make_unique<RequestGuard>(token, port_);
  server.set_pre_routing_handler([this](const httplib::Request& request,
                                        httplib::Response& response) {
    // The views below look into these.
    const std::string host = request.get_header_value("Host");
    const std::string origin = request.get_header_value("Origin");
    const std::string type = request.get_header_value("Content-Type");
    const std::string cookie = request.get_header_value("Cookie");
    const std::string token = QueryToken(request.target);
    const std::string site = request.get_header_value("Sec-Fetch-Site");
    const GuardedRequest asked{request.method, request.path, host,
                               origin,         type,         cookie,
                               token,          site,         request.has_header("Content-Length")};
    const GuardAnswer answer = guard_->Check(asked);
    if (answer.status != 0) {
      response.status = answer.status;
      response.set_content(answer.reason + "\n", "text/plain; charset=utf-8");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (!answer.set_cookie) return httplib::Server::HandlerResponse::Unhandled;
    // The token leaves the address once it is kept in the cookie.
    response.set_header("Set-Cookie", guard_->CookieHeader());
    response.set_redirect("/", 303);
    return httplib::Server::HandlerResponse::Handled;
  });
  server.set_post_routing_handler([this](const httplib::Request&, httplib::Response& response) {
    if (!response.has_header("Content-Security-Policy"))
      response.set_header("Content-Security-Policy", kNothingAllowed);
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("X-Frame-Options", "DENY");
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("Cache-Control", "no-store");
    response.set_header("Cross-Origin-Opener-Policy", "same-origin");
    response.set_header("Cross-Origin-Resource-Policy", "same-origin");
  });
  server.Get("/", [this](const httplib::Request&, httplib::Response& response) {
    Send(response, handlers_.Page());
    response.set_header("Content-Security-Policy", policy_);
  });
  server.Get(R"(/api/([a-z-]+))",
             [this](const httplib::Request& request, httplib::Response& response) {
               Send(response, handlers_.Get(request.matches[1].str(), QueryOf(request)));
             });
  server.Post(R"(/api/([a-z-]+))", [this](const httplib::Request& request,
                                          httplib::Response& response) {
    // How long the answer took, for the benchmark and the browser's tools.
    const auto start = std::chrono::steady_clock::now();
    Send(response, handlers_.Post(request.matches[1].str(), request.body));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    response.set_header("Server-Timing", "answer;dur=" + std::to_string(took.count()));
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (response.body.empty())
      response.set_content("not served here\n", "text/plain; charset=utf-8");
  });
  return true;
}

void ReviewServer::Serve(const std::function<bool()>& stop, const std::function<void()>& tick) {
  httplib::Server& server = library_->server;
  std::atomic<bool> served{false};
  std::thread watcher([&] {
    auto next_tick = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!stop()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (std::chrono::steady_clock::now() >= next_tick) {
        tick();
        next_tick += std::chrono::seconds(1);
      }
    }
    // A stop asked before the server runs would be lost: it is asked
    // until the server has stopped.
    while (!served) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  server.listen_after_bind();
  served = true;
  watcher.join();
}
