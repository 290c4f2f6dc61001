#include "CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "foundation/Version.h"

namespace {

const char* const ProgramName = "drevia-cli";

const char* const MainFooter =
    "Run 'drevia-cli COMMAND --help' for the arguments and options of a command.\n"
    "\n"
    "Exit status: 0 on success; 1 with the program's message on standard error\n"
    "where the desktop would show an error box; 2 for a usage error.";

const char* const KindOptionsFooter =
    "--option applies to culvert analysis projects only; --pipe-type,\n"
    "--improved-inlet and --trace to culvert design projects only. Giving one\n"
    "for a project of another kind is a usage error (exit status 2).";

// The options that only one project kind takes. They are checked against the
// kind once the file has been read (TCliKind::Options).
void AddKindOptions(CLI::App& command, TCliOptions& options) {
  command.add_option("--option", options.AnalysisOption, "culvert analysis: the analysis to run (default performance)")
      ->type_name("performance|buried|system")
      ->check(CLI::IsMember({"performance", "buried", "system"}).description(""));
  command.add_option("--pipe-type", options.PipeType, "culvert design: pipe type 0, 1-5 or 99 (default 0)")
      ->type_name("CODE");
  command.add_flag("--improved-inlet", options.ImprovedInlet, "culvert design: try improved inlets");
  command.add_flag("--trace", options.Trace, "culvert design: write the size search trace to standard error");
  command.footer(KindOptionsFooter);
}

// Every option that only some kinds take; TCliKind::Options names those a
// kind takes.
const char* const KindOptionNames[] = {"--option", "--pipe-type", "--improved-inlet", "--trace"};

// The name of the command line as far as it was read, for messages.
std::string CommandName(const CLI::App& app) {
  std::string name = ProgramName;
  for (const CLI::App* command : app.get_subcommands()) name += " " + command->get_name();
  return name;
}

}  // namespace

int ReportUsageError(const std::string& message, std::ostream& err) {
  err << ProgramName << ": " << message << "\nRun '" << ProgramName << " --help' for more information.\n";
  return 2;
}

int ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& commandLine, std::ostream& out,
                     std::ostream& err) {
  TCliOptions& options = commandLine.Options;
  CLI::App app("The headless front end of " DREVIA_PRODUCT_NAME
               ": reads, converts, calculates\n"
               "and saves project files without a display.",
               ProgramName);
  app.set_version_flag("--version", std::string(ProgramName) + " (" DREVIA_PRODUCT_NAME ") " DREVIA_VERSION,
                       "print the version and end");
  app.set_help_flag("-h,--help", "print this text and end");
  // A repeated option takes its last value, as it always has.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.require_subcommand(1);
  // --data-dir (and --help, --version) may also follow the command.
  app.fallthrough();
  app.add_option("--data-dir", commandLine.DataDir,
                 "folder of the parameter files (default: beside the program, else the user's copy, else "
                 "../share/drevia)")
      ->type_name("DIR");
  app.footer(MainFooter);

  // Each command with its positional arguments, bound in order.
  std::vector<std::pair<CLI::App*, std::vector<CLI::Option*>>> commands;
  auto command = [&](const char* name, const char* description,
                     std::initializer_list<std::pair<const char*, const char*>> positionals) {
    CLI::App* sub = app.add_subcommand(name, description);
    std::vector<CLI::Option*> bound;
    for (const auto& [argument, help] : positionals) bound.push_back(sub->add_option(argument, help)->required());
    commands.emplace_back(sub, std::move(bound));
    return sub;
  };
  command("roundtrip", "read FILE, print the one-line XML the writer gives", {{"FILE", "an XML file"}});
  command("kind", "print the kind element name of a project file", {{"FILE", "a project file"}});
  command("params", "check and convert the parameter files, print a summary", {});
  command("intensity", "rainfall intensity, in/hr",
          {{"AREA", "rainfall area code"}, {"FREQ", "storm frequency code"}, {"MINUTES", "duration in minutes"}});
  command("save-input", "open FILE (with conversion) and save its input as OUT",
          {{"FILE", "a project file"}, {"OUT", "the file to write"}});
  CLI::App* calc = command("calc", "calculate and print the results", {{"FILE", "a project file"}});
  AddKindOptions(*calc, options);
  CLI::Option* json = calc->add_flag("--json", options.Json, "print every result with 17 significant digits as JSON");
  calc->add_flag("--csv", options.Csv,
                 "print the rows of the JSON as CSV (RFC 4180): a header of the JSON field names, then one "
                 "line per row")
      ->excludes(json);
  CLI::App* saveResults = command("save-results", "calculate and save the project with its results as OUT",
                                  {{"FILE", "a project file"}, {"OUT", "the file to write"}});
  AddKindOptions(*saveResults, options);

  if (arguments.empty()) {
    err << app.help();
    return 2;
  }
  try {
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    // --help and --version end the parse with status 0 and print their text.
    if (error.get_exit_code() == 0) return app.exit(error, out, err);
    const std::string name = CommandName(app);
    // Without a command, a word that is none is named as such rather than
    // reported as a missing command.
    if (app.get_subcommands().empty())
      for (const std::string& word : app.remaining())
        if (!word.empty() && word[0] != '-') return ReportUsageError("unknown command " + word, err);
    err << name << ": " << error.what() << "\nRun '" << name << " --help' for more information.\n";
    return 2;
  }

  for (const auto& [sub, bound] : commands) {
    if (!sub->parsed()) continue;
    commandLine.Command = sub->get_name();
    for (const CLI::Option* argument : bound) commandLine.Arguments.push_back(argument->as<std::string>());
    for (const char* name : KindOptionNames)
      if (sub->get_option_no_throw(name) && sub->count(name) > 0) options.Given.push_back(name);
  }
  return -1;
}
