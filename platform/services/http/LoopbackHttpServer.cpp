#include "platform/services/http/LoopbackHttpServer.h"

#include <httplib.h>

namespace platform::services {

LoopbackHttpServer::LoopbackHttpServer() : server_(std::make_unique<httplib::Server>()) {
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        LoopbackRoute route;
        {
            std::lock_guard lock(mutex_);
            targets_.push_back(request.target);
            auto it = routes_.find(request.path);
            if (it == routes_.end()) {
                it = routes_.find("*");
            }
            if (it == routes_.end()) {
                response.status = 404;
                response.set_content("not found", "text/plain");
                return;
            }
            route = it->second;
        }
        response.status = route.status;
        if (!route.redirectTo.empty()) {
            response.set_header("Location", route.redirectTo);
        }
        auto body = std::make_shared<std::string>(std::move(route.body));
        if (route.slowChunk > 0) {
            const std::size_t chunk = route.slowChunk;
            const auto pause = route.slowPause;
            response.set_content_provider(
                body->size(), route.contentType,
                [this, body, chunk, pause](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                    if (stopping_) {
                        return false;
                    }
                    const std::size_t n = std::min(chunk, length);
                    if (!sink.write(body->data() + offset, n)) {
                        return false;
                    }
                    slowSent_ += n;
                    std::this_thread::sleep_for(pause);
                    return true;
                });
        } else if (route.cutAfter < body->size()) {
            const std::size_t cut = route.cutAfter;
            response.set_content_provider(body->size(), route.contentType,
                                          [body, cut](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                              if (offset >= cut) {
                                                  return false;  // closes the connection mid-body
                                              }
                                              sink.write(body->data() + offset, cut - offset);
                                              return true;
                                          });
        } else if (!route.announceLength) {
            response.set_chunked_content_provider(route.contentType,
                                                  [body](std::size_t offset, httplib::DataSink& sink) {
                                                      if (offset < body->size()) {
                                                          sink.write(body->data() + offset, body->size() - offset);
                                                      } else {
                                                          sink.done();
                                                      }
                                                      return true;
                                                  });
        } else {
            response.set_content(*body, route.contentType);
        }
    });
    // The socket listens from here on; requests wait in its queue until the thread accepts them.
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() only ends a loop that is running, so the destructor waits for it to start.
    while (port_ > 0 && !server_->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void LoopbackHttpServer::setRoute(const std::string& path, LoopbackRoute route) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

void LoopbackHttpServer::serveFolder(const std::string& prefix, const std::string& folder) {
    server_->set_mount_point(prefix, folder);
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackHttpServer::targets() const {
    std::lock_guard lock(mutex_);
    return targets_;
}

}  // namespace platform::services
