#include "grapher/ui/command_line.h"

#include <QApplication>
#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "common/clock.h"
#include "common/numbers.h"
#include "common/program_folder.h"
#include "common/program_usage.h"
#include "common/terminal_host.h"
#include "common/ui/folder_windows.h"
#include "common/ui/program_options.h"
#include "common/ui/program_start.h"
#include "common/ui/translation.h"
#include "common/ui/window_host.h"
#include "common/working_folder.h"
#include "grapher/analysis/graph_measures.h"
#include "grapher/analysis/igraph_handles.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/load_product_data.h"
#include "grapher/commands/force_graph.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/export/catalogue_csv.h"
#include "grapher/export/catalogue_json.h"
#include "grapher/export/graphml_export.h"
#include "grapher/export/keyword_graphml.h"
#include "grapher/layout/layout_settings.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/ui/form_main.h"
#include "grapher/ui/image_surface.h"
#include "grapher/ui/statistics_report.h"
#include "grapher/ui/svg_surface.h"
#include "grapher/view/drawing_bounds.h"
#include "grapher/view/neighbourhood.h"
#include "grapher/view/view_legend.h"
#include "grapher/view/view_render.h"

namespace quillon::grapher {
namespace {

constexpr std::string_view kProgram = "grapher";
constexpr int kMaxSide = 8192;  // keeps a picture within 256 MB
constexpr int kMaxHops = 1000;

// The pauses that let a user watch the intermediate pictures; a run without a
// window has nobody watching, so it does not wait.
class NoPauseClock final : public Clock {
 public:
  std::int64_t nowMs() override { return steady_.nowMs(); }
  void sleepMs(std::int64_t) override {}

 private:
  SteadyClock steady_;
};

Status ParseSize(std::string_view text, CommandLineOptions& options) {
  const std::size_t x = text.find_first_of("xX");
  if (x != std::string_view::npos) {
    const auto width = WholeNumber<int>(text.substr(0, x));
    const auto height = WholeNumber<int>(text.substr(x + 1));
    if (width && height && *width > 0 && *height > 0 && *width <= kMaxSide && *height <= kMaxSide) {
      options.width = *width;
      options.height = *height;
      options.sizeGiven = true;
      return Success();
    }
  }
  return Failure{"--size needs WIDTHxHEIGHT in pixels, each from 1 to " + std::to_string(kMaxSide) +
                 ", not \"" + std::string(text) + "\""};
}

// The grapher's own options, in the order --help lists them.
QList<QCommandLineOption> GrapherOptions() {
  return {
      {"folder",
       "program folder with setting.ini and keywords.txt;\n" + QString(kDefaultProgramFolderHelp),
       "DIR"},
      {"json",
       "write the catalogue as JSON: {\"products\": [...],\n"
       "\"keywords\": [...]}; after the drawing when one is made",
       "FILE"},
      {"png", "draw the similarity graph and write it as PNG", "FILE"},
      {"svg", "draw the similarity graph and write it as SVG", "FILE"},
      {"graphml",
       "draw the similarity graph and write products, keywords,\n"
       "similarity and keyword edges with positions as GraphML;\n"
       "with --keyword-graph: the keywords with their positions\n"
       "and their relations with weights",
       "FILE"},
      {"csv",
       "write a row per product with its measures (degrees,\n"
       "PageRank, community, component) as CSV; only the\n"
       "filtered products with --only-keyword, --rank-range, --focus",
       "FILE"},
      {"report",
       "write a report into this folder (made when missing):\n"
       "products.csv as --csv writes it, the statistics plots as\n"
       "SVG, and report.html, one page with the counts, the top\n"
       "products, the communities and the plots",
       "DIR"},
      {"keyword-graph",
       "draw the keyword relation graph instead of the similarity\n"
       "graph (needs an output option)"},
      {"seed", "fix the random directions of the layout (0 to 4294967295)", "N"},
      {"layout",
       "tree (default): the tree placement and attraction passes;\n"
       "force: force-directed, groups of linked products together",
       "tree|force"},
      {"size",
       "size of the picture in pixels (default 844x564, the\n"
       "window's picture; needs an output option)",
       "WxH"},
      {"fit",
       "scale the whole drawing into the picture with a margin\n"
       "(--png, --svg; the positions written do not change)"},
      {"focus",
       "show the products within --hops links of this product\n"
       "(similar or referrer, either way), fitted, it selected",
       "ASIN"},
      {"hops", "links from the --focus product (default 1)", "N"},
      {"colour-by",
       "colour the products by drawing (the drawing's own colours,\n"
       "default), keyword, rank (sales rank), community or\n"
       "component, with a legend",
       "MODE"},
      {"size-by",
       "marker size by pagerank, degree (products listing it)\n"
       "or rank (sales rank), with a legend",
       "MODE"},
      {"only-keyword",
       "show only the products with this keyword of keywords.txt\n"
       "(may be given more than once); the rest fade",
       "K"},
      {"rank-range", "show only the products with a sales rank from A to B", "A:B"},
  };
}

QtMessageHandler defaultMessageHandler = nullptr;

// Without a window system Qt complains about a missing runtime folder that a
// run writing files never needs; every other message passes.
void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (defaultMessageHandler != nullptr) defaultMessageHandler(type, context, text);
}

// The options that only change how the picture shows the drawing.
Status ReadViewOptions(const ProgramOptions& parser, CommandLineOptions& options) {
  options.fit = parser.isSet("fit");
  options.focus = parser.value("focus");
  if (parser.isSet("hops")) {
    const std::string hops = parser.value("hops");
    const auto value = WholeNumber<int>(hops);
    if (!value || *value < 0 || *value > kMaxHops)
      return Failure{"--hops needs a whole number from 0 to " + std::to_string(kMaxHops) +
                     ", not \"" + hops + "\""};
    if (options.focus.empty()) return Failure{"--hops needs --focus"};
    options.hops = *value;
  }
  if (parser.isSet("colour-by")) {
    const std::string mode = parser.value("colour-by");
    const auto value = ParseColourBy(mode);
    if (!value)
      return Failure{"--colour-by needs drawing, keyword, rank, community or component, not \"" +
                     mode + "\""};
    options.colourBy = *value;
  }
  if (parser.isSet("size-by")) {
    const std::string mode = parser.value("size-by");
    const auto value = ParseSizeBy(mode);
    if (!value) return Failure{"--size-by needs pagerank, degree or rank, not \"" + mode + "\""};
    options.sizeBy = *value;
  }
  options.onlyKeyWords = parser.values("only-keyword");
  if (parser.isSet("rank-range")) {
    const std::string range = parser.value("rank-range");
    options.rankRange = ParseRange(range);
    if (!options.rankRange)
      return Failure{"--rank-range needs A:B, whole numbers with A <= B, not \"" + range + "\""};
  }
  const char* given = options.fit              ? "--fit"
                      : !options.focus.empty() ? "--focus"
                      : options.filtered() ? (options.rankRange ? "--rank-range" : "--only-keyword")
                      : options.sizeBy != SizeBy::Fixed ? "--size-by"
                                                        : "--colour-by";
  // A filter also chooses the rows of the CSV file.
  const bool filterOnly = options.filtered() || !options.focus.empty();
  if (options.viewed() && !options.picture() && !(filterOnly && !options.csv.empty()))
    return Failure{std::string(given) + " needs a picture: --png or --svg" +
                   (filterOnly ? " (or --csv)" : "")};
  if (options.viewed() && options.keywordGraph)
    return Failure{std::string(given) + " applies to the similarity graph, not --keyword-graph"};
  return Success();
}

// Index of the product with this ASIN.
std::optional<std::int32_t> FindAsin(const Catalogue& catalogue, std::string_view asin) {
  const auto& table = catalogue.ProductTable;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].ASIN == asin) return static_cast<std::int32_t>(i);
  return std::nullopt;
}

// Draws the laid-out catalogue again through the view the options ask for.
struct Analysed {
  std::shared_ptr<const analysis::GraphMeasures> measures;  // null when nothing needs them
  std::vector<bool> shown;                                  // empty: every product
};

// The filter the options ask for; a keyword that keywords.txt does not hold is an error.
Expected<ProductFilter> FilterOf(const CommandLineOptions& options, const Catalogue& catalogue,
                                 std::optional<std::int32_t> focus) {
  ProductFilter filter;
  for (const std::string& text : options.onlyKeyWords) {
    const auto& keyWords = catalogue.KeyWordTable;
    const auto found = std::find_if(keyWords.begin(), keyWords.end(),
                                    [&text](const KeyWord& k) { return k.Text == text; });
    if (found == keyWords.end())
      return Failure{"--only-keyword: keywords.txt has no keyword \"" + text + "\""};
    filter.keyWords.push_back(static_cast<std::int32_t>(found - keyWords.begin()));
  }
  filter.salesRank = options.rankRange;
  if (focus) {
    filter.around = focus;
    filter.hops = options.hops;
  }
  return filter;
}

void DrawView(const CommandLineOptions& options, const std::string& programFolder,
              const Catalogue& catalogue, std::optional<std::int32_t> focus, const Host& host,
              const Analysed& analysed, Surface& surface) {
  ViewStyle style;
  style.measures = analysed.measures;
  style.sizeBy = options.sizeBy;
  style.shown = analysed.shown;
  style.translate = [&host](std::string_view text) { return host.text(text); };
  style.colourBy = options.colourBy;
  style.drawProductName = ReadLayoutSettings(programFolder, false).DrawProductName;
  ViewTransform transform;
  const Legend legend = LegendFor(style.colourBy, catalogue, style.translate);
  if (focus) {
    const std::vector<std::int32_t> near = Neighbourhood(catalogue, *focus, options.hops);
    style.selected = focus;
    style.highlighted = MarkProducts(catalogue.ProductTable.size(), near);
    style.highlighted[static_cast<std::size_t>(*focus)] = false;
    transform = FitBesideLegend(ProductBounds(catalogue, near), legend, surface, surface.width(),
                                surface.height(), kFitMarginPx);
  } else if (options.fit) {
    transform = FitBesideLegend(DrawingBounds(catalogue, surface), legend, surface, surface.width(),
                                surface.height(), kFitMarginPx);
  }
  RenderView(catalogue, KeyWordMembership(catalogue), transform, style, surface);
}

// Writes every output that was asked for; false when one of them failed.
bool WriteOutputs(const CommandLineOptions& options, const Catalogue& catalogue,
                  const Analysed& analysed, ImageSurface* image, SvgSurface* svg, Host& host) {
  const analysis::GraphMeasures* measures = analysed.measures.get();
  bool ok = true;
  const auto report = [&](const Status& status) {
    if (!status) {
      host.showError(status.error());
      ok = false;
    }
  };
  if (!options.png.empty())
    report(svg != nullptr ? svg->savePng(options.png) : image->savePng(options.png));
  if (!options.svg.empty()) report(svg->saveSvg(options.svg));
  if (!options.graphml.empty())
    report(options.keywordGraph ? WriteKeyWordGraphMl(catalogue, options.graphml)
                                : WriteGraphMl(catalogue, options.graphml, measures));
  if (!options.json.empty()) report(WriteCatalogueJson(catalogue, options.json, measures));
  if (!options.csv.empty() && measures != nullptr)
    report(WriteCatalogueCsv(catalogue, *measures, options.csv,
                             analysed.shown.empty() ? nullptr : &analysed.shown));
  // The report covers every product, whatever the filters choose for --csv and pictures.
  if (!options.report.empty() && measures != nullptr)
    report(WriteReport(options.report, catalogue, *measures, host));
  return ok;
}

}  // namespace

Expected<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& args) {
  ProgramOptions parser(GrapherOptions());
  if (const Status read = parser.read(args); !read) return Failure{read.error()};
  if (const QStringList stray = parser.positional(); !stray.isEmpty())
    return Failure{UnexpectedArgumentError(stray.front().toStdString()) +
                   "; the folder is given with --folder"};
  CommandLineOptions options;
  options.help = parser.helpAsked();
  options.version = parser.versionAsked();
  if (options.help || options.version) return options;
  for (const char* name :
       {"folder", "json", "png", "svg", "graphml", "csv", "report", "seed", "layout", "size",
        "focus", "hops", "colour-by", "size-by", "only-keyword", "rank-range"}) {
    if (parser.isSet(name) && parser.value(name).empty())
      return Failure{MissingValueError(std::string("--") + name)};
  }
  if (parser.isSet("folder")) options.folder = parser.value("folder");
  options.json = parser.value("json");
  options.png = parser.value("png");
  options.svg = parser.value("svg");
  options.graphml = parser.value("graphml");
  options.csv = parser.value("csv");
  options.report = parser.value("report");
  options.keywordGraph = parser.isSet("keyword-graph");
  if (parser.isSet("seed")) {
    const std::string seed = parser.value("seed");
    const auto value = WholeNumber<std::uint32_t>(seed);
    if (!value)
      return Failure{"--seed needs a whole number from 0 to 4294967295, not \"" + seed + "\""};
    options.seed = *value;
  }
  if (parser.isSet("layout")) {
    const std::string layout = parser.value("layout");
    if (layout != "tree" && layout != "force")
      return Failure{"--layout needs tree or force, not \"" + layout + "\""};
    options.forceLayout = layout == "force";
  }
  if (parser.isSet("size")) {
    if (const Status size = ParseSize(parser.value("size"), options); !size)
      return Failure{size.error()};
  }
  if (const Status view = ReadViewOptions(parser, options); !view) return Failure{view.error()};
  if (options.forceLayout && options.keywordGraph)
    return Failure{"--layout applies to the similarity graph, not --keyword-graph"};
  if (options.forceLayout && !options.headless())
    return Failure{"--layout force needs an output: --png, --svg, --graphml or --json"};
  if (!options.headless() && (options.sizeGiven || options.keywordGraph))
    return Failure{std::string(options.keywordGraph ? "--keyword-graph" : "--size") +
                   " needs an output: --png, --svg, --graphml, --csv or --json"};
  return options;
}

std::string UsageText() {
  HelpPage page;
  page.synopses = {
      "[--folder DIR] [OUTPUT...] [--seed N] [--layout tree|force] [--size WxH] [--keyword-graph]",
      "[OPTION]... --png FILE|--svg FILE [--fit] [--focus ASIN] [--colour-by MODE] [--size-by "
      "MODE]",
      "[--folder DIR] --csv FILE [--only-keyword K]... [--rank-range A:B] [--focus ASIN]",
      "[--folder DIR] --report DIR"};
  page.description =
      "Shows the graph of similar products collected by the fetcher. Without an\n"
      "output option the window opens; with one, the program runs without any\n"
      "window or display, writes the files and exits.";
  page.options = ProgramOptions(GrapherOptions()).helpOptions();
  page.footer =
      "Progress goes to standard error. Exit status: 0 done, 1 bad input or a\n"
      "file that cannot be written, 2 a command line it cannot use, 130 interrupted.";
  return HelpText(kProgram, page);
}

int RunHeadless(const CommandLineOptions& options, const std::string& programFolder, Host& host) {
  const QSize size(options.width, options.height);
  std::optional<SvgSurface> svg;
  std::optional<ImageSurface> image;
  Surface& surface = options.svg.empty() ? static_cast<Surface&>(image.emplace(size))
                                         : static_cast<Surface&>(svg.emplace(size));
  NoPauseClock clock;
  Catalogue catalogue;
  // --seed, else the setting RandomSeed when it names one, else the clock.
  const std::uint32_t settingSeed = ReadDrawingChoices(programFolder).RandomSeed;
  PlacementDirections directions(RandomSource(options.seed ? options.seed
                                              : settingSeed != 0
                                                  ? std::optional<std::uint32_t>(settingSeed)
                                                  : std::nullopt));
  Analysed analysed;
  if (!options.report.empty()) {
    if (const Status ready = PrepareReportFolder(options.report); !ready) {
      host.showError(ready.error());
      return 1;
    }
  }
  try {
    if (const Status loaded = LoadProductData(programFolder, catalogue, host); !loaded) {
      host.showError(loaded.error());
      return 1;
    }
    std::optional<std::int32_t> focus;
    if (!options.focus.empty()) {
      focus = FindAsin(catalogue, options.focus);
      if (!focus) {
        host.showError("--focus: no product with ASIN \"" + options.focus + "\" was loaded");
        return 1;
      }
    }
    const Expected<ProductFilter> filter = FilterOf(options, catalogue, focus);
    if (!filter) {
      host.showError(filter.error());
      return 1;
    }
    if (options.measured())
      analysed.measures = std::make_shared<const analysis::GraphMeasures>(
          analysis::ComputeMeasures(analysis::LinksOf(catalogue)).value());
    if (filter.value().active())
      analysed.shown = ShownProducts(filter.value(), catalogue, KeyWordMembership(catalogue),
                                     analysed.measures.get());
    if (options.drawing()) {
      if (options.keywordGraph) {
        if (const Status drawn =
                DrawKeyWordGraph(programFolder, catalogue, directions, surface, host);
            !drawn) {
          host.showError(drawn.error());
          return 1;
        }
      } else if (options.forceLayout) {
        DrawForceGraph(programFolder, catalogue, directions, surface, host);
        if (options.viewed())
          DrawView(options, programFolder, catalogue, focus, host, analysed, surface);
      } else {
        DrawSimilarityGraph(programFolder, catalogue, directions, surface, host, clock);
        if (options.viewed())
          DrawView(options, programFolder, catalogue, focus, host, analysed, surface);
      }
    }
  } catch (const EndProgram&) {
    host.showError("interrupted; no file was written.");
    return 130;
  } catch (const analysis::IgraphError& error) {
    host.showError(std::string("cannot compute the measures: ") + error.what());
    return 1;
  }
  return WriteOutputs(options, catalogue, analysed, image ? &*image : nullptr,
                      svg ? &*svg : nullptr, host)
             ? 0
             : 1;
}

int GrapherMain(int argc, char** argv) {
  const Expected<CommandLineOptions> parsed =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed) return ReportUsageError(kProgram, parsed.error());
  const CommandLineOptions& options = parsed.value();
  if (options.help) {
    std::cout << UsageText();
    return 0;
  }
  if (options.version) {
    std::cout << VersionText(kProgram);
    return 0;
  }
  const std::optional<std::string> started =
      StartFolder(kProgram, options.folder, !options.headless(), kApplicationTitle, argc, argv);
  if (!started) return 1;
  const std::string& folder = *started;

  if (options.headless()) {
    // No window is shown, so none is needed: never ask for a display.
    qputenv("QT_QPA_PLATFORM", "offscreen;minimal:fontconfig");
    defaultMessageHandler = qInstallMessageHandler(QuietMessageHandler);
    // A report's plots are widgets, which need the widget application.
    const std::unique_ptr<QGuiApplication> app = options.report.empty()
                                                     ? std::make_unique<QGuiApplication>(argc, argv)
                                                     : std::make_unique<QApplication>(argc, argv);
    const Translations translations(EnvironmentLanguage());
    TerminalHost host = TerminalHost::forStderr();
    host.setTranslator(translations.translator());
    const int code = RunHeadless(options, folder, host);
    host.finish();
    return code;
  }

  if (!HasWindowSystem()) {
    std::cerr << "grapher: no display to open the window on (DISPLAY is not set).\n"
                 "Write the results to files instead, e.g. --png graph.png or --json "
                 "catalogue.json.\n";
    return 1;
  }
  WindowProgram program(argc, argv);
  FolderWindows windows(
      [&options](const std::string& chosen) {
        auto form = std::make_unique<FormMain>(chosen, options.seed);
        FolderChooser* chooser = &form->folderChooser();
        return FolderWindow{std::move(form), chooser};
      },
      RecentFolders(RecentFolders::UserSettingsFile()), UiText(kApplicationTitle).toStdString());
  windows.show(folder);
  return program.exec();
}

}  // namespace quillon::grapher
