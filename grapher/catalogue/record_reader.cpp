#include "grapher/catalogue/record_reader.h"

#include <utility>

#include "common/numbers.h"
#include "common/working_folder.h"
#include "common/xml_text.h"

namespace quillon::grapher {

RecordReader::RecordReader(std::string recordFolder, const std::vector<std::string>& keywords)
    : folder_(std::move(recordFolder)), keywords_(keywords) {}

RecordFields RecordReader::read(std::string_view asin) const {
  RecordFields fields;
  Expected<std::string> loaded = ReadProductRecordFrom(folder_, asin);
  if (!loaded) {
    fields.refused = loaded.failure();
    return fields;
  }
  const std::string record = std::move(loaded).value();
  if (record.empty()) return fields;
  fields.valid = true;
  // Decoded once here, so the keyword test and every later use see the text itself.
  fields.title = DecodeXmlText(title_.textIn(record));
  fields.salesRank = RoundToInt32(LeadingNumber(salesRank_.textIn(record)));
  fields.keywordIndex = keywords_.find(fields.title);
  similarProduct_.forEachIn(similarProducts_.textIn(record), [&](std::string_view entry) {
    fields.similarAsins.emplace_back(asin_.textIn(entry));
  });
  return fields;
}

}  // namespace quillon::grapher
