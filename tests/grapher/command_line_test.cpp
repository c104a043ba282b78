// The command line: option parsing, and the real grapher program run without
// any display.
#include "grapher/ui/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "tests/grapher/qt_test_support.h"
#include "tests/grapher/xml_check.h"

namespace quillon::grapher {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace quillon::grapher::testing;
using quillon::testing::TempFolder;

struct ParseCase {
  const char* name;
  std::vector<std::string> args;
  const char* error;  // nullptr: accepted
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, AcceptsOrNamesTheProblem) {
  const auto parsed = ParseCommandLine(GetParam().args);
  if (GetParam().error == nullptr) {
    EXPECT_TRUE(parsed) << parsed.error();
  } else {
    ASSERT_FALSE(parsed);
    EXPECT_THAT(parsed.error(), HasSubstr(GetParam().error));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseTest,
    ::testing::Values(
        ParseCase{"Nothing", {}, nullptr}, ParseCase{"Help", {"--help"}, nullptr},
        ParseCase{"FolderOnly", {"--folder", "/x"}, nullptr},
        ParseCase{"AllOutputs",
                  {"--json", "a", "--png=b", "--svg", "c", "--graphml", "d", "--seed", "4294967295",
                   "--size", "10x20", "--keyword-graph"},
                  nullptr},
        ParseCase{"SeedForTheWindow", {"--seed", "1"}, nullptr},
        ParseCase{"UnknownOption", {"--pdf", "x"}, "unknown option --pdf"},
        ParseCase{"MissingValue", {"--json"}, "--json needs a value"},
        ParseCase{"EmptyValue", {"--png="}, "--png needs a value"},
        ParseCase{"SeedNotANumber", {"--seed", "x1", "--json", "a"}, "--seed"},
        ParseCase{"SeedTooLarge", {"--seed", "4294967296", "--json", "a"}, "--seed"},
        ParseCase{"SizeWithoutHeight", {"--size", "300", "--png", "a"}, "--size"},
        ParseCase{"SizeZero", {"--size", "0x10", "--png", "a"}, "--size"},
        ParseCase{"SizeHuge", {"--size", "100000x10", "--png", "a"}, "--size"},
        ParseCase{"SizeWithoutOutput", {"--size", "10x10"}, "needs an output"},
        ParseCase{"KeyWordGraphWithoutOutput", {"--keyword-graph"}, "needs an output"},
        ParseCase{"StrayArgument", {"folder"}, "--folder"},
        ParseCase{"FlagWithValue", {"--help=yes"}, "takes no value"},
        ParseCase{"AllViewOptions",
                  {"--png", "a", "--fit", "--focus", "B", "--hops", "2", "--colour-by", "rank"},
                  nullptr},
        ParseCase{"FitWithoutPicture", {"--fit", "--json", "a"}, "needs a picture"},
        ParseCase{"HopsWithoutFocus", {"--hops", "2", "--png", "a"}, "--focus"},
        ParseCase{"HopsNegative", {"--focus", "A", "--hops", "-1", "--png", "a"}, "--hops"},
        ParseCase{
            "UnknownColourMode", {"--colour-by", "size", "--png", "a"}, "community or component"},
        ParseCase{"DrawingColours", {"--colour-by", "drawing", "--png", "a"}, nullptr},
        ParseCase{"OldWordForDrawingColours",
                  {"--colour-by", "parts", "--png", "a"},
                  "drawing, keyword, rank"},
        ParseCase{
            "UnknownSizeMode", {"--size-by", "area", "--png", "a"}, "pagerank, degree or rank"},
        ParseCase{"RankRangeReversed", {"--rank-range", "9:1", "--csv", "a"}, "A <= B"},
        ParseCase{"FilterWithoutPictureOrCsv", {"--only-keyword", "x", "--json", "a"}, "or --csv"},
        ParseCase{"SizeByWithoutPicture", {"--size-by", "rank", "--csv", "a"}, "--size-by"},
        ParseCase{"MeasureViewOptions",
                  {"--png", "a", "--colour-by", "community", "--size-by", "pagerank",
                   "--only-keyword", "x", "--only-keyword", "y", "--rank-range", "1:50"},
                  nullptr},
        ParseCase{"ViewOfTheKeyWordGraph",
                  {"--colour-by", "keyword", "--keyword-graph", "--png", "a"},
                  "--keyword-graph"},
        ParseCase{"ForceLayout", {"--layout", "force", "--png", "a", "--fit"}, nullptr},
        ParseCase{"TreeLayoutForTheWindow", {"--layout", "tree"}, nullptr},
        ParseCase{"UnknownLayout", {"--layout", "circle", "--png", "a"}, "tree or force"},
        ParseCase{"ForceLayoutWithoutOutput", {"--layout", "force"}, "needs an output"},
        ParseCase{"ReportAlone", {"--report", "out"}, nullptr},
        ParseCase{"ReportWithoutFolder", {"--report"}, "--report needs a value"},
        ParseCase{"ForceLayoutOfTheKeyWordGraph",
                  {"--layout", "force", "--keyword-graph", "--png", "a"},
                  "--keyword-graph"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseCommandLineTest, ValuesLandInTheirOptions) {
  const auto parsed =
      ParseCommandLine({"--folder=/f", "--png", "p.png", "--seed", "42", "--size", "300x200"});
  ASSERT_TRUE(parsed);
  const CommandLineOptions& o = parsed.value();
  EXPECT_EQ(o.folder, "/f");
  EXPECT_EQ(o.png, "p.png");
  EXPECT_EQ(o.seed, 42u);
  EXPECT_EQ(o.width, 300);
  EXPECT_EQ(o.height, 200);
  EXPECT_TRUE(o.headless());
  EXPECT_TRUE(o.drawing());
  const auto jsonOnly = ParseCommandLine({"--json", "c.json"});
  EXPECT_FALSE(jsonOnly.value().drawing());
}

TEST(ParseCommandLineTest, HelpDescribesEveryOption) {
  const std::string help = UsageText();
  for (const char* option :
       {"--folder", "--json", "--png", "--svg", "--graphml", "--seed", "--layout", "--size",
        "--keyword-graph", "--fit", "--focus", "--hops", "--colour-by", "--size-by",
        "--only-keyword", "--rank-range", "--csv", "--help"})
    EXPECT_THAT(help, HasSubstr(option));
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the grapher program with no display and no platform chosen beforehand.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = GRAPHER_PROGRAM;
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    WriteSampleCatalogue(folder);
  }

  ProgramRun run(const std::string& args, const std::string& workingFolder = "/") {
    const std::string command = "cd '" + workingFolder +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                program + "' " + args + " >'" + output.file("out") + "' 2>'" +
                                output.file("err") + "' </dev/null";
    const int status = std::system(command.c_str());
    return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, output.read("out"),
                      output.read("err")};
  }
  std::string in(const std::string& name) {
    return std::string("'").append(folder.file(name)) + "'";
  }
  std::string withFolder() { return "--folder '" + folder.path() + "' "; }
  nlohmann::json json(const std::string& name) { return nlohmann::json::parse(folder.read(name)); }

  std::string program;
  TempFolder folder;
  TempFolder output;
};

TEST_F(ProgramTest, JsonOfTheLoadedCatalogue) {
  const ProgramRun r = run(withFolder() + "--json " + in("c.json"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto c = json("c.json");
  ASSERT_EQ(c["products"].size(), 4u);
  EXPECT_EQ(c["products"][0]["ASIN"], "A");
  EXPECT_EQ(c["products"][0]["Title"], "デジタルカメラ");
  EXPECT_EQ(c["products"][2]["SimilarIndex"], nlohmann::json::array({0, 3}));
  EXPECT_EQ(c["products"][0]["X"], 0.0);  // no drawing for the JSON alone
  EXPECT_EQ(c["keywords"][1]["Text"], "レンズ");
  EXPECT_THAT(r.err, HasSubstr("正常終了"));
}

TEST_F(ProgramTest, RelativeFolderIsTakenFromTheWorkingFolder) {
  const std::filesystem::path path(folder.path());
  const ProgramRun r = run("--folder " + path.filename().string() + " --json " + in("c.json"),
                           path.parent_path().string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(json("c.json")["products"].size(), 4u);
}

TEST_F(ProgramTest, PicturesAndGraphAfterADrawing) {
  const ProgramRun r =
      run(withFolder() + "--seed 5 --png " + in("g.png") + " --svg " + in("g.svg") + " --graphml " +
          in("g.graphml") + " --json " + in("c.json"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage png(QString::fromStdString(folder.file("g.png")));
  EXPECT_EQ(png.size(), QSize(844, 564));
  EXPECT_THAT(folder.read("g.svg"), HasSubstr("<svg"));
  EXPECT_THAT(folder.read("g.graphml"), HasSubstr("<graphml"));
  EXPECT_EQ(ParseXml(folder.read("g.svg")).error, "");
  EXPECT_EQ(ParseXml(folder.read("g.graphml")).error, "");
  const auto c = json("c.json");
  EXPECT_EQ(c["products"][0]["Placed"], 1);
  EXPECT_NE(c["products"][0]["X"], 0.0);
  EXPECT_EQ(r.err.find("QStandardPaths"), std::string::npos);
}

// A title with a reference to a control character and with raw control
// bytes, printed (DrawProductName) and zoomed into: both files stay readable.
TEST_F(ProgramTest, TitlesXmlCannotHoldGiveReadableSvgAndGraphMl) {
  (void)WriteProductRecord(folder.path(), "B", SampleRecord("レンズ&#1;\x01\x1B end", {"C"}));
  folder.write("setting.ini", "[DefaultSetting]\r\nDrawProductName=True\r\n");
  for (const char* view : {"", "--focus B "}) {
    const ProgramRun r = run(withFolder() + "--seed 5 " + view + "--svg " + in("t.svg") +
                             " --graphml " + in("t.graphml"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const ParsedXml svg = ParseXml(folder.read("t.svg"));
    EXPECT_EQ(svg.error, "") << view;
    const ParsedXml graphMl = ParseXml(folder.read("t.graphml"));
    EXPECT_EQ(graphMl.error, "") << view;
    // The reference is kept as written, the raw bytes are replaced.
    EXPECT_NE(std::find(graphMl.texts.begin(), graphMl.texts.end(),
                        "レンズ&#1;\xEF\xBF\xBD\xEF\xBF\xBD end"),
              graphMl.texts.end())
        << view;
  }
}

TEST_F(ProgramTest, SameSeedSameLayoutAndSizeIsHonoured) {
  ASSERT_EQ(
      run(withFolder() + "--seed 9 --size 300x200 --png " + in("a.png") + " --json " + in("a.json"))
          .exitCode,
      0);
  ASSERT_EQ(
      run(withFolder() + "--seed 9 --size 300x200 --png " + in("b.png") + " --json " + in("b.json"))
          .exitCode,
      0);
  EXPECT_EQ(folder.read("a.json"), folder.read("b.json"));
  EXPECT_EQ(QImage(QString::fromStdString(folder.file("a.png"))).size(), QSize(300, 200));
}

TEST_F(ProgramTest, KeyWordGraphInsteadOfTheSimilarityGraph) {
  const ProgramRun r = run(withFolder() + "--keyword-graph --seed 1 --png " + in("k.png") +
                           " --json " + in("k.json") + " --graphml " + in("k.graphml"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(folder.exists("k.png"));
  const auto c = json("k.json");
  EXPECT_EQ(c["products"][0]["Placed"], 0);  // products are not laid out
  // The GraphML holds the keyword graph: keywords where they were placed, and
  // カメラ -> レンズ (A lists B) and レンズ -> カメラ (B lists C) with their weights.
  const std::string graphMl = folder.read("k.graphml");
  EXPECT_EQ(ParseXml(graphMl).error, "");
  EXPECT_THAT(graphMl, Not(HasSubstr("<node id=\"p")));
  for (int k = 0; k < 2; ++k) {
    const auto& key = c["keywords"][static_cast<std::size_t>(k)];
    EXPECT_THAT(
        graphMl,
        HasSubstr("<node id=\"k" + std::to_string(k) + "\">\n      <data key=\"label\">" +
                  key["Text"].get<std::string>() + "</data>\n      <data key=\"placed\">true"));
    EXPECT_GT(key["Relation"][static_cast<std::size_t>(1 - k)].get<double>(), 0);
    EXPECT_THAT(graphMl, HasSubstr("source=\"k" + std::to_string(k) + "\" target=\"k" +
                                   std::to_string(1 - k) + "\""));
  }
  EXPECT_EQ(Occurrences(graphMl, "<edge "), 2);

  folder.write("keywords.txt", "");
  const ProgramRun none = run(withFolder() + "--keyword-graph --png " + in("n.png"));
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_FALSE(folder.exists("n.png"));
}

TEST_F(ProgramTest, TheForceLayoutIsRepeatableAndTheTreeLayoutStaysTheDefault) {
  const std::string common = withFolder() + "--seed 3 --size 400x300 ";
  ASSERT_EQ(run(common + "--png " + in("default.png") + " --json " + in("default.json")).exitCode,
            0);
  ASSERT_EQ(
      run(common + "--layout tree --png " + in("tree.png") + " --json " + in("tree.json")).exitCode,
      0);
  for (const char* name : {"force1", "force2"}) {
    const ProgramRun r = run(common + "--layout force --png " + in(std::string(name) + ".png") +
                             " --json " + in(std::string(name) + ".json"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  EXPECT_EQ(folder.read("tree.json"), folder.read("default.json"));
  EXPECT_EQ(folder.read("tree.png"), folder.read("default.png"));
  EXPECT_EQ(folder.read("force1.json"), folder.read("force2.json"));
  EXPECT_NE(folder.read("force1.json"), folder.read("default.json"));
  EXPECT_EQ(json("force1.json")["products"][0]["Placed"], 1);
}

// Each view option, alone: the catalogue and its positions (JSON, GraphML)
// are those of the plain drawing, the picture is not.
TEST_F(ProgramTest, ViewOptionsChangeThePictureOnly) {
  const std::string common = withFolder() + "--seed 3 --size 400x300 ";
  const auto outputs = [&](const std::string& name) {
    return " --png " + in(name + ".png") + " --json " + in(name + ".json") + " --graphml " +
           in(name + ".graphml");
  };
  ASSERT_EQ(run(common + outputs("plain")).exitCode, 0);
  const QImage plain(QString::fromStdString(folder.file("plain.png")));
  struct Case {
    const char* name;
    const char* options;
  };
  for (const Case& c : {Case{"fit", "--fit"}, Case{"rank", "--colour-by rank"},
                        Case{"keyword", "--colour-by keyword"}, Case{"focus", "--focus B --hops 2"},
                        Case{"measured", "--colour-by community --size-by pagerank"}}) {
    const ProgramRun r = run(common + c.options + outputs(c.name));
    ASSERT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
    EXPECT_EQ(folder.read(std::string(c.name) + ".json"), folder.read("plain.json")) << c.name;
    EXPECT_EQ(folder.read(std::string(c.name) + ".graphml"), folder.read("plain.graphml"))
        << c.name;
    const QImage picture(QString::fromStdString(folder.file(std::string(c.name) + ".png")));
    EXPECT_EQ(picture.size(), QSize(400, 300)) << c.name;
    EXPECT_NE(picture, plain) << c.name;
  }
}

TEST(ParseCommandLineTest, KeyWordsRepeatAndRangesParse) {
  const auto parsed = ParseCommandLine(
      {"--csv", "c.csv", "--only-keyword", "a", "--only-keyword", "b", "--rank-range", "5:10"});
  ASSERT_TRUE(parsed) << parsed.error();
  EXPECT_EQ(parsed.value().onlyKeyWords, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(parsed.value().rankRange, (IntRange{5, 10}));
  EXPECT_TRUE(parsed.value().headless());
}

TEST_F(ProgramTest, CsvOfTheMeasuresFilteredByKeyWord) {
  // A lists B and C, B lists C, C lists A and D (D has no record).
  const ProgramRun all = run(withFolder() + "--csv " + in("all.csv") + " --json " + in("c.json"));
  ASSERT_EQ(all.exitCode, 0) << all.err;
  const std::string csv = folder.read("all.csv");
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "ASIN,Title,SalesRank,KeyWord,InDegree,OutDegree,PageRank,Community,Component");
  EXPECT_THAT(csv, HasSubstr("\r\nC,カメラバッグ,"));
  EXPECT_THAT(csv, HasSubstr(",カメラ,2,2,"));  // C: listed by A and B, lists A and D
  EXPECT_EQ(json("c.json")["products"][3]["InDegree"], 1);

  const ProgramRun lens = run(withFolder() + "--csv " + in("lens.csv") + " --only-keyword レンズ");
  ASSERT_EQ(lens.exitCode, 0) << lens.err;
  const std::string rows = folder.read("lens.csv");
  EXPECT_THAT(rows, HasSubstr("\r\nB,交換レンズ,"));
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 2);  // header and B

  const ProgramRun unknown = run(withFolder() + "--csv " + in("x.csv") + " --only-keyword 本");
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_THAT(unknown.err, HasSubstr("\"本\""));
}

TEST_F(ProgramTest, ReportWithoutADisplay) {
  const ProgramRun r = run(withFolder() + "--report " + in("report"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ParseXml(folder.read("report/report.html")).error, "");
  EXPECT_THAT(folder.read("report/products.csv"), HasSubstr("\r\nC,カメラバッグ,"));
}

TEST_F(ProgramTest, FocusOnAnUnknownAsinIsBadInput) {
  const ProgramRun r = run(withFolder() + "--focus NOPE --png " + in("f.png"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("\"NOPE\""));
  EXPECT_FALSE(folder.exists("f.png"));
}

TEST_F(ProgramTest, BadInputExitsWithOneNamingTheFile) {
  std::filesystem::remove(folder.file("StartProductASIN.txt"));
  const ProgramRun r = run(withFolder() + "--json " + in("c.json"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("StartProductASIN.txt"));
  EXPECT_FALSE(folder.exists("c.json"));
}

TEST_F(ProgramTest, UnwritableOutputExitsWithOne) {
  const ProgramRun r = run(withFolder() + "--json '" + folder.file("no/such/c.json") + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("no/such/c.json"));
}

TEST_F(ProgramTest, UsageErrorsAndHelp) {
  const ProgramRun help = run("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_THAT(help.out, HasSubstr("--keyword-graph"));

  const ProgramRun bad = run("--bogus");
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_THAT(bad.err, HasSubstr("--bogus"));

  const ProgramRun missingFolder = run("--folder /nonexistent/quillon --json x.json");
  EXPECT_EQ(missingFolder.exitCode, 1);
  EXPECT_THAT(missingFolder.err, HasSubstr("The folder /nonexistent/quillon does not exist."));

  const ProgramRun fileAsFolder = run("--folder " + in("keywords.txt") + " --json x.json");
  EXPECT_EQ(fileAsFolder.exitCode, 1);
  EXPECT_THAT(fileAsFolder.err, HasSubstr(folder.file("keywords.txt") + " is not a folder."));
}

TEST_F(ProgramTest, WindowWithoutADisplayIsRefusedClearly) {
  const ProgramRun r = run(withFolder());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_THAT(r.err, HasSubstr("display"));
}

}  // namespace
}  // namespace quillon::grapher
