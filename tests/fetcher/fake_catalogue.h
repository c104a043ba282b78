// Answers like the product web service's, served from a table instead of the
// network, with a log of every URL asked for.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fetcher/http_retrieval.h"

namespace quillon::testing {

struct Similar {
  std::string asin;
  std::string title;
};

// A valid (or, with valid false, refused) answer for one product.
inline std::string ProductAnswer(const std::string& asin, const std::string& title,
                                 const std::vector<Similar>& similar, bool valid = true) {
  std::string text = "<?xml version=\"1.0\"?><Items><Request><IsValid>";
  text += valid ? "True" : "False";
  text += "</IsValid></Request><Item><ASIN>" + asin + "</ASIN><Title>" + title +
          "</Title><SimilarProducts>";
  for (const Similar& s : similar)
    text += "<SimilarProduct><ASIN>" + s.asin + "</ASIN><Title>" + s.title +
            "</Title></SimilarProduct>";
  text += "</SimilarProducts></Item></Items>";
  return text;
}

class FakeCatalogue {
 public:
  // Every request of url gets body (after any scripted ones).
  void set(const std::string& url, std::string body) { bodies_[url] = std::move(body); }
  // The next requests of url get these bodies in turn ("" means nothing retrieved).
  void script(const std::string& url, std::vector<std::string> bodies) {
    for (auto& body : bodies) scripted_[url].push_back(std::move(body));
  }

  fetcher::HttpGetter getter() {
    return [this](const std::string& url, std::vector<std::uint8_t>& buffer,
                  const fetcher::HttpTimeouts&) -> fetcher::HttpResult {
      requested.push_back(url);
      std::string body;
      if (auto it = scripted_.find(url); it != scripted_.end() && !it->second.empty()) {
        body = std::move(it->second.front());
        it->second.pop_front();
      } else if (auto found = bodies_.find(url); found != bodies_.end()) {
        body = found->second;
      }
      if (onRequest) onRequest(url);
      buffer.assign(body.begin(), body.end());
      return static_cast<std::int32_t>(buffer.size());
    };
  }

  std::vector<std::string> requested;
  std::function<void(const std::string& url)> onRequest;

 private:
  std::map<std::string, std::string> bodies_;
  std::map<std::string, std::deque<std::string>> scripted_;
};

}  // namespace quillon::testing
