#include "catalogue_json.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

namespace quillon::grapher {
namespace {

// The shortest text that reads back as the same float, so 0.1f is written as
// 0.1 and not as the 17 digits of its double value.
double ShortestFloat(float value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double result = 0;
  std::from_chars(text, written.ptr, result);
  return result;
}

nlohmann::ordered_json FloatList(const std::vector<float>& values) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const float value : values) list.push_back(ShortestFloat(value));
  return list;
}

// ordered_json keeps the members in the order of the records.
nlohmann::ordered_json ProductJson(const Product& product) {
  return {{"ASIN", product.ASIN},
          {"Title", product.Title},
          {"SalesRank", product.SalesRank},
          {"KeyWordIndex", product.KeyWordIndex},
          {"SimilarASIN", product.SimilarASIN},
          {"SimilarIndex", product.SimilarIndex},
          {"ReferrerASIN", product.ReferrerASIN},
          {"ReferrerIndex", product.ReferrerIndex},
          {"X", ShortestFloat(product.X)},
          {"Y", ShortestFloat(product.Y)},
          {"Placed", product.Placed}};
}

nlohmann::ordered_json KeyWordJson(const KeyWord& keyword) {
  return {{"Text", keyword.Text},          {"HasProduct", keyword.HasProduct},
          {"Placed", keyword.Placed},      {"X", ShortestFloat(keyword.X)},
          {"Y", ShortestFloat(keyword.Y)}, {"Relation", FloatList(keyword.Relation)}};
}

}  // namespace

std::string CatalogueToJson(const Catalogue& catalogue) {
  nlohmann::ordered_json root;
  root["products"] = nlohmann::ordered_json::array();
  for (const Product& product : catalogue.ProductTable)
    root["products"].push_back(ProductJson(product));
  root["keywords"] = nlohmann::ordered_json::array();
  for (const KeyWord& keyword : catalogue.KeyWordTable)
    root["keywords"].push_back(KeyWordJson(keyword));
  // Bytes that are not UTF-8 must not abort the export; they become U+FFFD.
  return root.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

Status WriteCatalogueJson(const Catalogue& catalogue, const std::string& path) {
  const std::string text = CatalogueToJson(catalogue);
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      const std::string reason = std::strerror(errno);
      std::remove(temporary.c_str());
      return Failure{"Cannot write file " + path + ": " + reason + "."};
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary.c_str());
    return Failure{"Cannot write file " + path + ": " + reason + "."};
  }
  return Success();
}

}  // namespace quillon::grapher
