// drevia-cli's command line: what each command takes, and that every usage
// error ends with status 2 and a message naming the problem.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliKinds.h"
#include "CommandLine.h"
#include "foundation/Version.h"

namespace {
namespace fs = std::filesystem;

struct TParsed {
  int Status = -1;
  TCommandLine Line;
  std::string Out, Err;
};

TParsed Parse(std::vector<std::string> arguments) {
  TParsed parsed;
  std::ostringstream out, err;
  parsed.Status = ParseCommandLine(arguments, parsed.Line, out, err);
  parsed.Out = out.str();
  parsed.Err = err.str();
  return parsed;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandLine, EveryCommandTakesItsArgumentsInOrder) {
  struct TCase {
    std::vector<std::string> Arguments;
    std::string Command;
    std::vector<std::string> Positional;
  };
  const std::vector<TCase> cases = {
      {{"roundtrip", "a.xml"}, "roundtrip", {"a.xml"}},
      {{"kind", "a.xml"}, "kind", {"a.xml"}},
      {{"params"}, "params", {}},
      {{"intensity", "3", "10", "15"}, "intensity", {"3", "10", "15"}},
      // A negative duration is an argument, not an option.
      {{"intensity", "3", "10", "-5"}, "intensity", {"3", "10", "-5"}},
      {{"save-input", "a.xml", "b.xml"}, "save-input", {"a.xml", "b.xml"}},
      {{"calc", "a.xml"}, "calc", {"a.xml"}},
      {{"save-results", "a.xml", "b.xml"}, "save-results", {"a.xml", "b.xml"}},
  };
  for (const TCase& c : cases) {
    const TParsed parsed = Parse(c.Arguments);
    EXPECT_EQ(parsed.Status, -1) << c.Command << ": " << parsed.Err;
    EXPECT_EQ(parsed.Line.Command, c.Command);
    EXPECT_EQ(parsed.Line.Arguments, c.Positional) << c.Command;
    EXPECT_TRUE(parsed.Line.Options.Given.empty()) << c.Command;
    EXPECT_EQ(parsed.Out + parsed.Err, "") << c.Command;
  }
}

TEST(CommandLine, OptionsKeepTheirDefaultsAndRecordWhatWasGiven) {
  const TParsed plain = Parse({"calc", "a.xml"});
  EXPECT_EQ(plain.Line.Options.AnalysisOption, "performance");
  EXPECT_EQ(plain.Line.Options.PipeType, "0");
  EXPECT_FALSE(plain.Line.Options.ImprovedInlet || plain.Line.Options.Json || plain.Line.Options.Trace);
  EXPECT_EQ(plain.Line.DataDir, "");

  // Options before or after the file, "--name=value", --data-dir also after
  // the command, and a repeated option taking its last value.
  const TParsed design = Parse({"--data-dir", "/opt/d", "calc", "--pipe-type", "3", "a.xml", "--improved-inlet",
                                "--trace", "--json", "--pipe-type=99"});
  ASSERT_EQ(design.Status, -1) << design.Err;
  EXPECT_EQ(design.Line.DataDir, "/opt/d");
  EXPECT_EQ(design.Line.Arguments, std::vector<std::string>{"a.xml"});
  EXPECT_EQ(design.Line.Options.PipeType, "99");
  EXPECT_TRUE(design.Line.Options.ImprovedInlet && design.Line.Options.Trace && design.Line.Options.Json);
  EXPECT_EQ(design.Line.Options.Given, (std::vector<std::string>{"--pipe-type", "--improved-inlet", "--trace"}));

  const TParsed analysis = Parse({"save-results", "a.xml", "b.xml", "--option", "system", "--data-dir", "d"});
  ASSERT_EQ(analysis.Status, -1) << analysis.Err;
  EXPECT_EQ(analysis.Line.DataDir, "d");
  EXPECT_EQ(analysis.Line.Options.AnalysisOption, "system");
  EXPECT_EQ(analysis.Line.Options.Given, std::vector<std::string>{"--option"});
}

// Every usage error: status 2, nothing on standard output, a message that
// names the problem and the way to the help.
TEST(CommandLine, UsageErrorsEndWithStatusTwoAndNameTheProblem) {
  struct TCase {
    std::vector<std::string> Arguments;
    std::string Named;  // part of the message
  };
  const std::vector<TCase> cases = {
      {{"calc", "a.xml", "--bogus"}, "--bogus"},
      {{"--bogus", "calc", "a.xml"}, "--bogus"},
      {{"bogus", "a.xml"}, "unknown command bogus"},
      // Options of another command.
      {{"save-results", "a.xml", "b.xml", "--json"}, "--json"},
      {{"save-results", "a.xml", "b.xml", "--csv"}, "--csv"},
      {{"roundtrip", "a.xml", "--pipe-type", "3"}, "--pipe-type"},
      {{"save-input", "a.xml", "b.xml", "--option", "buried"}, "--option"},
      {{"params", "--trace"}, "--trace"},
      {{"kind", "a.xml", "--improved-inlet"}, "--improved-inlet"},
      // Missing and surplus positional arguments.
      {{"calc"}, "FILE is required"},
      {{"save-input", "a.xml"}, "OUT is required"},
      {{"intensity", "3", "10"}, "MINUTES is required"},
      {{"roundtrip", "a.xml", "b.xml"}, "b.xml"},
      {{"params", "extra"}, "extra"},
      // Missing and refused option values.
      {{"calc", "a.xml", "--option", "fast"}, "fast"},
      {{"calc", "a.xml", "--pipe-type"}, "--pipe-type"},
      {{"--data-dir"}, "--data-dir"},
      {{"--data-dir", "d"}, "subcommand"},
  };
  for (const TCase& c : cases) {
    const TParsed parsed = Parse(c.Arguments);
    std::string shown;
    for (const auto& a : c.Arguments) shown += " " + a;
    EXPECT_EQ(parsed.Status, 2) << shown;
    EXPECT_EQ(parsed.Out, "") << shown;
    EXPECT_TRUE(Contains(parsed.Err, c.Named)) << shown << "\n" << parsed.Err;
    EXPECT_TRUE(Contains(parsed.Err, "--help")) << shown << "\n" << parsed.Err;
  }
  // The two result forms exclude each other, in either order; the message
  // names both.
  for (const auto& arguments : {std::vector<std::string>{"calc", "a.xml", "--csv", "--json"},
                                std::vector<std::string>{"calc", "--json", "a.xml", "--csv"}}) {
    const TParsed both = Parse(arguments);
    EXPECT_EQ(both.Status, 2);
    EXPECT_TRUE(Contains(both.Err, "--csv") && Contains(both.Err, "--json")) << both.Err;
  }
  EXPECT_TRUE(Parse({"calc", "a.xml", "--csv"}).Line.Options.Csv);
  // Nothing at all: the help, on standard error.
  const TParsed none = Parse({});
  EXPECT_EQ(none.Status, 2);
  EXPECT_TRUE(Contains(none.Err, "save-results"));
}

TEST(CommandLine, HelpPerCommandListsOnlyItsOwnOptions) {
  const TParsed main = Parse({"--help"});
  EXPECT_EQ(main.Status, 0);
  EXPECT_EQ(main.Err, "");
  for (const char* command :
       {"roundtrip", "kind", "params", "intensity", "save-input", "calc", "save-results", "--data-dir", "--version"})
    EXPECT_TRUE(Contains(main.Out, command)) << command;

  const TParsed calc = Parse({"calc", "--help"});
  EXPECT_EQ(calc.Status, 0);
  for (const char* option : {"FILE", "--option", "--pipe-type", "--improved-inlet", "--trace", "--json", "--csv"})
    EXPECT_TRUE(Contains(calc.Out, option)) << option;
  const TParsed save = Parse({"save-results", "-h"});
  EXPECT_EQ(save.Status, 0);
  EXPECT_TRUE(Contains(save.Out, "OUT"));
  EXPECT_FALSE(Contains(save.Out, "--json"));
  const TParsed roundtrip = Parse({"roundtrip", "--help"});
  EXPECT_EQ(roundtrip.Status, 0);
  EXPECT_FALSE(Contains(roundtrip.Out, "--pipe-type"));
  // Help wins over a missing argument.
  EXPECT_EQ(Parse({"intensity", "--help"}).Status, 0);
}

TEST(CommandLine, VersionFromTheBuild) {
  const std::string expected = "drevia-cli (" DREVIA_PRODUCT_NAME ") " DREVIA_VERSION "\n";
  for (const auto& arguments : {std::vector<std::string>{"--version"}, std::vector<std::string>{"calc", "--version"}}) {
    const TParsed parsed = Parse(arguments);
    EXPECT_EQ(parsed.Status, 0);
    EXPECT_EQ(parsed.Out, expected);
    EXPECT_EQ(parsed.Err, "");
  }
}

// The options that only some kinds take, against each kind's list.
TEST(CommandLine, KindsTakeOnlyTheirOwnOptions) {
  const auto given = [](std::vector<std::string> names) {
    TCliOptions options;
    options.Given = std::move(names);
    return options;
  };
  for (const TCliKind& kind : CliKinds()) {
    const std::string& name = ProjectKindRowOf(kind.Kinds.front())->ElementNames.front();
    EXPECT_EQ(RefusedKindOption(kind, name, given({})), "") << name;
  }

  const TCliKind* design = FindCliKind(TProjectKind::CulvertDesign);
  const TCliKind* analysis = FindCliKind(TProjectKind::CulvertAnalysis);
  const TCliKind* ditch = FindCliKind(TProjectKind::DitchAnalysis);
  ASSERT_TRUE(design && analysis && ditch);
  EXPECT_EQ(RefusedKindOption(*design, "CulvertDesign", given({"--pipe-type", "--improved-inlet", "--trace"})), "");
  EXPECT_EQ(RefusedKindOption(*analysis, "CulvertAnalysis", given({"--option"})), "");
  EXPECT_EQ(RefusedKindOption(*ditch, "DitchAnalysis", given({"--pipe-type"})),
            "--pipe-type does not apply to a DitchAnalysis project (only to CulvertDesign)");
  EXPECT_EQ(RefusedKindOption(*design, "CulvertDesign", given({"--trace", "--option"})),
            "--option does not apply to a CulvertDesign project (only to CulvertAnalysis)");
  for (const char* kindName : {"StormSewerDesign", "StormSewerAnalysis", "InletSpacingDesign", "DitchAnalysis"})
    for (const char* option : {"--option", "--pipe-type", "--improved-inlet", "--trace"}) {
      const TCliKind* kind = FindCliKind(ProjectKindOfElementName(kindName));
      ASSERT_TRUE(kind) << kindName;
      EXPECT_TRUE(Contains(RefusedKindOption(*kind, kindName, given({option})), option)) << kindName << " " << option;
    }
}

// The whole program: status, standard output and standard error.
struct TRun {
  int Status = -1;
  std::string Out, Err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TRun RunCli(const std::string& arguments) {
  const fs::path errFile = fs::temp_directory_path() / ("drevia-cli-usage-" + std::to_string(getpid()) + ".err");
  const std::string command = "cd '" DREVIA_SOURCE_DIR "' && '" DREVIA_BIN_DIR
                              "/drevia-cli' --data-dir '" DREVIA_BIN_DIR "' " +
                              arguments + " 2>'" + errFile.string() + "'";
  TRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.Out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Err = ReadFile(errFile);
  fs::remove(errFile);
  return run;
}

TEST(CommandLineProgram, OptionOfAnotherKindIsRefusedAfterReadingTheFile) {
  const TRun ditch = RunCli("calc samples/ditch-analysis.xml --pipe-type 3");
  EXPECT_EQ(ditch.Status, 2);
  EXPECT_EQ(ditch.Out, "");
  EXPECT_TRUE(Contains(ditch.Err, "--pipe-type")) << ditch.Err;

  const TRun sewer = RunCli("calc samples/storm-sewer-design.xml --json --option buried");
  EXPECT_EQ(sewer.Status, 2);
  EXPECT_EQ(sewer.Out, "");
  EXPECT_TRUE(Contains(sewer.Err, "--option")) << sewer.Err;

  // Refused before anything is written.
  const fs::path out = fs::temp_directory_path() / ("drevia-cli-refused-" + std::to_string(getpid()) + ".xml");
  const TRun save = RunCli("save-results samples/culvert-analysis-buried.xml '" + out.string() + "' --improved-inlet");
  EXPECT_EQ(save.Status, 2);
  EXPECT_TRUE(Contains(save.Err, "--improved-inlet")) << save.Err;
  EXPECT_FALSE(fs::exists(out));

  // The kind's own option still works.
  EXPECT_EQ(RunCli("calc samples/culvert-design.xml --pipe-type 3").Status, 0);
}

TEST(CommandLineProgram, UsageErrorsHelpAndVersion) {
  const TRun bogus = RunCli("calc samples/ditch-analysis.xml --bogus");
  EXPECT_EQ(bogus.Status, 2);
  EXPECT_EQ(bogus.Out, "");
  EXPECT_TRUE(Contains(bogus.Err, "--bogus")) << bogus.Err;

  const TRun version = RunCli("--version");
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "drevia-cli (" DREVIA_PRODUCT_NAME ") " DREVIA_VERSION "\n");

  const TRun help = RunCli("save-input --help");
  EXPECT_EQ(help.Status, 0);
  EXPECT_TRUE(Contains(help.Out, "save-input")) << help.Out;
  EXPECT_EQ(help.Err, "");
}

}  // namespace
