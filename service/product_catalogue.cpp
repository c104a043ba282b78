#include "service/product_catalogue.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <utility>

namespace quillon::service {

namespace {

using nlohmann::json;

// nlohmann prefixes its messages with "[json.exception.x.y] "; users need only the rest.
std::string plainMessage(const std::exception& e) {
  std::string message = e.what();
  if (!message.empty() && message.front() == '[') {
    const auto end = message.find("] ");
    if (end != std::string::npos) message.erase(0, end + 2);
  }
  return message;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> decodeHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = hexDigit(hex[i]);
    const int low = hexDigit(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

std::string encodeHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 15]);
  }
  return hex;
}

// Converts one parsed line; the message says which field is wrong.
Expected<CatalogueProduct> productFromJson(const json& line) {
  if (!line.is_object()) return Failure{"a product must be a JSON object"};
  CatalogueProduct product;

  if (const auto raw = line.find("raw_asin_hex"); raw != line.end()) {
    std::optional<std::string> bytes;
    if (raw->is_string()) bytes = decodeHex(raw->get<std::string>());
    if (!bytes) return Failure{"\"raw_asin_hex\" must be a string of hexadecimal byte pairs"};
    product.asin = std::move(*bytes);
  } else {
    const auto asin = line.find("asin");
    if (asin == line.end() || !asin->is_string()) return Failure{"\"asin\" must be a string"};
    product.asin = asin->get<std::string>();
  }

  if (const auto raw = line.find("raw_title_hex"); raw != line.end()) {
    std::optional<std::string> bytes;
    if (raw->is_string()) bytes = decodeHex(raw->get<std::string>());
    if (!bytes) return Failure{"\"raw_title_hex\" must be a string of hexadecimal byte pairs"};
    product.title = std::move(*bytes);
  } else if (const auto title = line.find("title"); title != line.end()) {
    if (!title->is_string()) return Failure{"\"title\" must be a string"};
    product.title = title->get<std::string>();
  }

  if (const auto rank = line.find("salesrank"); rank != line.end() && !rank->is_null()) {
    if (rank->is_number_unsigned()) {
      const auto value = rank->get<std::uint64_t>();
      if (value > static_cast<std::uint64_t>(INT64_MAX))
        return Failure{"\"salesrank\" is too large"};
      product.salesRank = static_cast<std::int64_t>(value);
    } else if (rank->is_number_integer()) {
      product.salesRank = rank->get<std::int64_t>();
    } else {
      return Failure{"\"salesrank\" must be an integer"};
    }
  }

  if (const auto similar = line.find("similar"); similar != line.end() && !similar->is_null()) {
    if (!similar->is_array()) return Failure{"\"similar\" must be an array of ASIN strings"};
    product.similar.reserve(similar->size());
    for (const auto& entry : *similar) {
      if (!entry.is_string()) return Failure{"\"similar\" must be an array of ASIN strings"};
      product.similar.push_back(entry.get<std::string>());
    }
  }
  if (const auto group = line.find("group"); group != line.end() && !group->is_null()) {
    if (!group->is_number_integer() || group->get<std::int64_t>() < 0 ||
        group->get<std::int64_t>() > INT32_MAX)
      return Failure{"\"group\" must be a non-negative integer"};
    product.group = group->get<std::int32_t>();
  }
  return product;
}

}  // namespace

Expected<ProductCatalogue> ProductCatalogue::LoadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Failure{"cannot open catalogue file " + path};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return Failure{"cannot read catalogue file " + path};
  return Parse(text, path);
}

Expected<ProductCatalogue> ProductCatalogue::Parse(std::string_view text,
                                                   const std::string& sourceName) {
  ProductCatalogue catalogue;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    ++lineNumber;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;

    const auto where = sourceName + ":" + std::to_string(lineNumber) + ": ";
    json parsed;
    try {
      parsed = json::parse(line);
    } catch (const json::exception& e) {
      return Failure{where + plainMessage(e)};
    }
    auto product = productFromJson(parsed);
    if (!product) return Failure{where + product.error()};
    if (auto added = catalogue.add(std::move(product).value()); !added) {
      return Failure{where + added.error()};
    }
  }
  return catalogue;
}

Status ProductCatalogue::add(CatalogueProduct product) {
  if (index_.find(std::string_view(product.asin)) != index_.end()) {
    return Failure{"duplicate ASIN \"" + product.asin + "\""};
  }
  index_.emplace(product.asin, products_.size());
  products_.push_back(std::move(product));
  return Success();
}

const CatalogueProduct* ProductCatalogue::find(std::string_view asin) const {
  const auto found = index_.find(asin);
  return found == index_.end() ? nullptr : &products_[found->second];
}

std::string CatalogueLine(const CatalogueProduct& product) {
  json line = json::object();
  // Text that is not UTF-8 cannot be a JSON string; such bytes travel as hex.
  const auto putText = [&line](const char* key, const char* rawKey, const std::string& text) {
    try {
      (void)json(text).dump();
      line[key] = text;
    } catch (const json::type_error&) {
      line[rawKey] = encodeHex(text);
    }
  };
  putText("asin", "raw_asin_hex", product.asin);
  putText("title", "raw_title_hex", product.title);
  if (product.salesRank) line["salesrank"] = *product.salesRank;
  line["similar"] = product.similar;
  if (product.group) line["group"] = *product.group;
  return line.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace quillon::service
