// The report of a load written into a folder: products.csv (as --csv writes
// it), each plot as SVG, and report.html with everything in one page.
#pragma once

#include <string>

#include "common/expected.h"
#include "common/host.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/catalogue/catalogue.h"

namespace quillon::grapher {

inline constexpr const char* kReportPage = "report.html";
inline constexpr const char* kReportProducts = "products.csv";

// Makes the folder when missing and checks that files can be made in it, so
// that a run can stop before its long part. A failure names the folder.
Status PrepareReportFolder(const std::string& folder);

// Makes the folder when missing. Needs a QApplication (the plots are widgets);
// texts are in the host's language. A failure names the file or folder.
Status WriteReport(const std::string& folder, const Catalogue& catalogue,
                   const analysis::GraphMeasures& measures, const Host& host);

}  // namespace quillon::grapher
