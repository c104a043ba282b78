#include "service/xml_answer.h"

namespace quillon::service {

namespace {

constexpr std::string_view kHead =
    R"(<?xml version="1.0" encoding="UTF-8"?><ItemLookupResponse><Items><Request><IsValid>)";

void appendEscaped(std::string& out, std::string_view text) {
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string_view entity;
    switch (text[i]) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '"':
        entity = "&quot;";
        break;
      case '\'':
        entity = "&apos;";
        break;
      default:
        continue;
    }
    out.append(text.substr(plainStart, i - plainStart));
    out.append(entity);
    plainStart = i + 1;
  }
  out.append(text.substr(plainStart));
}

void appendElement(std::string& out, std::string_view name, std::string_view text) {
  out.push_back('<');
  out.append(name);
  out.push_back('>');
  appendEscaped(out, text);
  out.append("</");
  out.append(name);
  out.push_back('>');
}

void appendRequest(std::string& out, bool valid) {
  out.append(kHead);
  out.append(valid ? "True" : "False");
  out.append("</IsValid>");
}

}  // namespace

std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendEscaped(out, text);
  return out;
}

std::string ProductAnswer(const ProductCatalogue& catalogue, const CatalogueProduct& product,
                          bool valid) {
  std::size_t size = 400 + product.asin.size() + product.title.size();
  for (const auto& asin : product.similar) {
    const auto* similar = catalogue.find(asin);
    size += 80 + asin.size() + (similar ? similar->title.size() : 0);
  }
  std::string out;
  out.reserve(size);
  appendRequest(out, valid);
  out.append("</Request><Item>");
  appendElement(out, "ASIN", product.asin);
  out.append("<ItemAttributes>");
  appendElement(out, "Title", product.title);
  out.append("</ItemAttributes>");
  if (product.salesRank) appendElement(out, "SalesRank", std::to_string(*product.salesRank));
  out.append("<SimilarProducts>");
  for (const auto& asin : product.similar) {
    const auto* similar = catalogue.find(asin);
    out.append("<SimilarProduct>");
    appendElement(out, "ASIN", asin);
    appendElement(out, "Title", similar ? std::string_view(similar->title) : std::string_view());
    out.append("</SimilarProduct>");
  }
  out.append("</SimilarProducts></Item></Items></ItemLookupResponse>");
  return out;
}

std::string UnknownProductAnswer(std::string_view asin, bool valid) {
  std::string out;
  appendRequest(out, valid);
  out.append("<Errors><Error><Code>AWS.InvalidParameterValue</Code>");
  appendElement(out, "Message",
                std::string(asin) +
                    " is not a valid value for ItemId. Please change this value and retry "
                    "your request.");
  out.append("</Error></Errors></Request></Items></ItemLookupResponse>");
  return out;
}

std::string NotFoundPage(std::string_view path) {
  std::string out =
      "<!DOCTYPE html><html><head><title>404 Not Found</title></head><body>"
      "<h1>Not Found</h1><p>The requested URL ";
  appendEscaped(out, path);
  out.append(" was not found on this server.</p></body></html>");
  return out;
}

std::string BusyPage(int status) {
  const std::string title =
      std::to_string(status) + (status == 429 ? " Too Many Requests" : " Service Unavailable");
  return "<!DOCTYPE html><html><head><title>" + title + "</title></head><body><h1>" + title +
         "</h1><p>Try again later.</p></body></html>";
}

}  // namespace quillon::service
