// The grapher's command line: the window on a chosen folder, or a run without
// any window that loads, draws and writes the results to files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/expected.h"
#include "common/host.h"
#include "grapher/view/colour_by.h"
#include "grapher/view/measure_style.h"
#include "grapher/view/product_filter.h"

namespace quillon::grapher {

struct CommandLineOptions {
  bool help = false;
  bool version = false;
  std::optional<std::string> folder;  // the program folder; default: DefaultProgramFolder
  std::string json;
  std::string png;
  std::string svg;
  std::string graphml;
  std::string csv;
  std::string report;  // folder of the report: products.csv, the plots, report.html
  std::optional<std::uint32_t> seed;
  int width = 844;  // the window's Graph size
  int height = 564;
  bool sizeGiven = false;
  bool keywordGraph = false;
  bool forceLayout = false;  // --layout force: the force-directed layout instead of the tree
  bool fit = false;
  std::string focus;  // ASIN of the product whose neighbourhood the picture shows
  int hops = 1;
  ColourBy colourBy = ColourBy::Drawing;
  SizeBy sizeBy = SizeBy::Fixed;
  std::vector<std::string> onlyKeyWords;  // texts of keywords.txt
  std::optional<IntRange> rankRange;

  // Any output file: the run needs no window.
  bool headless() const {
    return !json.empty() || picture() || !graphml.empty() || !csv.empty() || !report.empty();
  }
  bool picture() const { return !png.empty() || !svg.empty(); }
  // Pictures and graph files show a drawing; --keyword-graph asks for one too.
  bool drawing() const { return picture() || !graphml.empty() || keywordGraph; }
  // The picture is drawn again through a view (fitted, focused or coloured).
  bool viewed() const {
    return fit || !focus.empty() || colourBy != ColourBy::Drawing || sizeBy != SizeBy::Fixed ||
           filtered();
  }
  // Products are filtered (the picture fades the rest, the CSV leaves them out).
  bool filtered() const { return !onlyKeyWords.empty() || rankRange.has_value(); }
  // Something shown or written needs the network measures.
  bool measured() const {
    return !csv.empty() || !json.empty() || !graphml.empty() || !report.empty() ||
           colourBy == ColourBy::Community || colourBy == ColourBy::Component ||
           sizeBy == SizeBy::PageRank || sizeBy == SizeBy::Degree;
  }
};

// Parses the arguments after the program name.
Expected<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();

// Loads, draws as asked and writes the output files; progress and errors go to
// the host. Needs a QGuiApplication (text is measured with real fonts), and a
// QApplication for a report (its plots are widgets). Returns
// the exit code: 0 done, 1 bad input or a file that cannot be written, 130 interrupted.
int RunHeadless(const CommandLineOptions& options, const std::string& programFolder, Host& host);

// The whole program: parses argv, then runs headless or shows the window.
int GrapherMain(int argc, char** argv);

}  // namespace quillon::grapher
