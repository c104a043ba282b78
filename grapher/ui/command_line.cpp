#include "grapher/ui/command_line.h"

#include <QApplication>
#include <QGuiApplication>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "common/clock.h"
#include "common/terminal_host.h"
#include "common/working_folder.h"
#include "grapher/catalogue/catalogue.h"
#include "grapher/catalogue/load_product_data.h"
#include "grapher/commands/keyword_graph.h"
#include "grapher/commands/similarity_graph.h"
#include "grapher/export/catalogue_json.h"
#include "grapher/export/graphml_export.h"
#include "grapher/layout/placement_directions.h"
#include "grapher/ui/form_main.h"
#include "grapher/ui/image_surface.h"
#include "grapher/ui/svg_surface.h"

namespace quillon::grapher {
namespace {

constexpr int kMaxSide = 8192;  // keeps a picture within 256 MB

// The pauses that let a user watch the intermediate pictures; a run without a
// window has nobody watching, so it does not wait.
class NoPauseClock final : public Clock {
 public:
  std::int64_t nowMs() override { return steady_.nowMs(); }
  void sleepMs(std::int64_t) override {}

 private:
  SteadyClock steady_;
};

template <class T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

Status ParseSize(std::string_view text, CommandLineOptions& options) {
  const std::size_t x = text.find_first_of("xX");
  if (x != std::string_view::npos) {
    const auto width = ParseNumber<int>(text.substr(0, x));
    const auto height = ParseNumber<int>(text.substr(x + 1));
    if (width && height && *width > 0 && *height > 0 && *width <= kMaxSide && *height <= kMaxSide) {
      options.width = *width;
      options.height = *height;
      options.sizeGiven = true;
      return Success();
    }
  }
  return Failure{"--size needs WIDTHxHEIGHT in pixels, each from 1 to " + std::to_string(kMaxSide) +
                 ", not \"" + std::string(text) + "\"."};
}

QtMessageHandler defaultMessageHandler = nullptr;

// Without a window system Qt complains about a missing runtime folder that a
// run writing files never needs; every other message passes.
void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (defaultMessageHandler != nullptr) defaultMessageHandler(type, context, text);
}

bool HasWindowSystem() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// Writes every output that was asked for; false when one of them failed.
bool WriteOutputs(const CommandLineOptions& options, const Catalogue& catalogue,
                  ImageSurface* image, SvgSurface* svg, Host& host) {
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
  if (!options.graphml.empty()) report(WriteGraphMl(catalogue, options.graphml));
  if (!options.json.empty()) report(WriteCatalogueJson(catalogue, options.json));
  return ok;
}

}  // namespace

Expected<CommandLineOptions> ParseCommandLine(const std::vector<std::string>& args) {
  CommandLineOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const std::size_t equals = name.find('=');
        name.rfind("--", 0) == 0 && equals != name.npos) {
      inlineValue = name.substr(equals + 1);
      name.resize(equals);
    }
    const auto value = [&]() -> Expected<std::string> {
      if (inlineValue) {
        if (inlineValue->empty()) return Failure{name + " needs a value."};
        return *inlineValue;
      }
      if (i + 1 >= args.size() || args[i + 1].empty()) return Failure{name + " needs a value."};
      return args[++i];
    };
    const bool flag = name == "--help" || name == "-h" || name == "--keyword-graph";
    if (flag && inlineValue) return Failure{name + " takes no value."};

    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--keyword-graph") {
      options.keywordGraph = true;
    } else if (name == "--folder" || name == "--json" || name == "--png" || name == "--svg" ||
               name == "--graphml" || name == "--seed" || name == "--size") {
      Expected<std::string> text = value();
      if (!text) return Failure{text.error()};
      const std::string& v = text.value();
      if (name == "--folder") options.folder = v;
      if (name == "--json") options.json = v;
      if (name == "--png") options.png = v;
      if (name == "--svg") options.svg = v;
      if (name == "--graphml") options.graphml = v;
      if (name == "--seed") {
        const auto seed = ParseNumber<std::uint32_t>(v);
        if (!seed)
          return Failure{"--seed needs a whole number from 0 to 4294967295, not \"" + v + "\"."};
        options.seed = *seed;
      }
      if (name == "--size") {
        if (const Status size = ParseSize(v, options); !size) return Failure{size.error()};
      }
    } else if (name.rfind("-", 0) == 0) {
      return Failure{"unknown option " + name + "."};
    } else {
      return Failure{"unexpected argument \"" + name + "\"; the folder is given with --folder."};
    }
  }
  if (!options.help && !options.headless() && (options.sizeGiven || options.keywordGraph))
    return Failure{std::string(options.keywordGraph ? "--keyword-graph" : "--size") +
                   " needs an output: --png, --svg, --graphml or --json."};
  return options;
}

std::string UsageText() {
  return "Usage: grapher [--folder DIR] [OUTPUT...] [--seed N] [--size WxH] [--keyword-graph]\n"
         "\n"
         "Shows the graph of similar products collected by the fetcher. Without an\n"
         "output option the window opens; with one, the program runs without any\n"
         "window or display, writes the files and exits.\n"
         "\n"
         "Options:\n"
         "  --folder DIR     program folder with setting.ini and keywords.txt\n"
         "                   (default: the folder of the grapher executable)\n"
         "  --json FILE      write the catalogue as JSON: {\"products\": [...],\n"
         "                   \"keywords\": [...]}; after the drawing when one is made\n"
         "  --png FILE       draw the similarity graph and write it as PNG\n"
         "  --svg FILE       draw the similarity graph and write it as SVG\n"
         "  --graphml FILE   draw the similarity graph and write products, keywords,\n"
         "                   similarity and keyword edges with positions as GraphML\n"
         "  --keyword-graph  draw the keyword relation graph instead of the similarity\n"
         "                   graph (needs an output option)\n"
         "  --seed N         fix the random directions of the layout (0 to 4294967295)\n"
         "  --size WxH       size of the picture in pixels (default 844x564, the\n"
         "                   window's picture; needs an output option)\n"
         "  -h, --help       show this text and exit\n"
         "\n"
         "Progress goes to standard error. Exit status: 0 done, 1 bad input or a\n"
         "file that cannot be written, 130 interrupted.\n";
}

int RunHeadless(const CommandLineOptions& options, const std::string& programFolder, Host& host) {
  const QSize size(options.width, options.height);
  std::optional<SvgSurface> svg;
  std::optional<ImageSurface> image;
  Surface& surface = options.svg.empty() ? static_cast<Surface&>(image.emplace(size))
                                         : static_cast<Surface&>(svg.emplace(size));
  NoPauseClock clock;
  Catalogue catalogue;
  PlacementDirections directions(RandomSource(options.seed));
  try {
    if (const Status loaded = LoadProductData(programFolder, catalogue, host); !loaded) {
      host.showError(loaded.error());
      return 1;
    }
    if (options.drawing()) {
      if (options.keywordGraph) {
        if (const Status drawn =
                DrawKeyWordGraph(programFolder, catalogue, directions, surface, host);
            !drawn) {
          host.showError(drawn.error());
          return 1;
        }
      } else {
        DrawSimilarityGraph(programFolder, catalogue, directions, surface, host, clock);
      }
    }
  } catch (const EndProgram&) {
    host.showError("interrupted; no file was written.");
    return 130;
  }
  return WriteOutputs(options, catalogue, image ? &*image : nullptr, svg ? &*svg : nullptr, host)
             ? 0
             : 1;
}

int GrapherMain(int argc, char** argv) {
  const Expected<CommandLineOptions> parsed =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed) {
    std::cerr << "grapher: " << parsed.error() << "\nTry 'grapher --help'.\n";
    return 1;
  }
  const CommandLineOptions& options = parsed.value();
  if (options.help) {
    std::cout << UsageText();
    return 0;
  }
  std::error_code error;
  // Absolute, so that settings naming folders relative to it stay unambiguous.
  const std::string folder =
      std::filesystem::absolute(options.folder.value_or(ExecutableFolder()), error)
          .lexically_normal()
          .string();
  if (error || !std::filesystem::is_directory(folder, error)) {
    std::cerr << "grapher: the folder " << folder << " does not exist or is not a folder.\n";
    return 1;
  }

  if (options.headless()) {
    // No window is shown, so none is needed: never ask for a display.
    qputenv("QT_QPA_PLATFORM", "offscreen;minimal:fontconfig");
    defaultMessageHandler = qInstallMessageHandler(QuietMessageHandler);
    QGuiApplication app(argc, argv);
    TerminalHost host = TerminalHost::forStderr();
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
  QApplication app(argc, argv);
  FormMain form(folder, options.seed);
  form.show();
  return QApplication::exec();
}

}  // namespace quillon::grapher
