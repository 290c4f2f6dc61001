// End-to-end checks through drevia-cli: every line of golden.txt names a
// case and its arguments; the program's exit status and standard output, its
// standard error where the case asks for it, and the file it writes to @OUT
// must equal the recorded ones. scripts/regen-golden.sh records them again;
// look at the difference by hand before committing it.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
namespace fs = std::filesystem;

struct TCase {
  std::string Name;
  std::string Arguments;
  bool RecordsStandardError = false;
};

const std::string OutPlaceholder = "@OUT";

std::vector<TCase> Cases() {
  std::vector<TCase> cases;
  std::ifstream in(fs::path(DREVIA_TEST_DATA_DIR) / "cli" / "golden.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(' '));
      s.erase(s.find_last_not_of(' ') + 1);
      return s;
    };
    std::string rest = line.substr(bar + 1);
    const size_t second = rest.find('|');
    const std::string streams = second == std::string::npos ? std::string() : trim(rest.substr(second + 1));
    if (second != std::string::npos) rest.erase(second);
    cases.push_back({trim(line.substr(0, bar)), trim(rest), streams == "stderr"});
  }
  return cases;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct TRun {
  int Status = -1;
  std::string Output;
  std::string Errors;
};

// Runs the program from the source folder (sample paths are relative to it);
// standard error goes to errorFile when one is given.
TRun RunCli(const std::string& arguments, const fs::path& errorFile = {}) {
  const std::string errors = errorFile.empty() ? std::string("/dev/null") : errorFile.string();
  const std::string command = "cd '" DREVIA_SOURCE_DIR "' && '" DREVIA_BIN_DIR
                              "/drevia-cli' --data-dir '" DREVIA_BIN_DIR "' " +
                              arguments + " 2>'" + errors + "'";
  TRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!errorFile.empty()) run.Errors = ReadFile(errorFile);
  return run;
}

fs::path FreshFolder(const std::string& purpose) {
  const fs::path folder = fs::temp_directory_path() / ("drevia-cli-" + purpose + "-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}
}  // namespace

TEST(CliGolden, OutputsMatchTheRecordedOnes) {
  const auto cases = Cases();
  ASSERT_FALSE(cases.empty());
  const fs::path folder = FreshFolder("golden");
  for (const auto& c : cases) {
    const fs::path expected = fs::path(DREVIA_TEST_DATA_DIR) / "cli" / (c.Name + ".out");
    ASSERT_TRUE(fs::exists(expected)) << c.Name << ": run scripts/regen-golden.sh";
    std::string arguments = c.Arguments;
    const fs::path written = folder / (c.Name + ".result");
    const size_t placeholder = arguments.find(OutPlaceholder);
    const bool writes = placeholder != std::string::npos;
    if (writes) arguments.replace(placeholder, OutPlaceholder.size(), "'" + written.string() + "'");
    const TRun run = RunCli(arguments, c.RecordsStandardError ? folder / "stderr" : fs::path());
    std::ostringstream out;
    out << "exit " << run.Status << '\n' << run.Output;
    if (c.RecordsStandardError) out << "--- stderr\n" << run.Errors;
    if (writes) {
      if (fs::exists(written))
        out << "--- OUT\n" << ReadFile(written);
      else
        out << "--- OUT not written\n";
    }
    const std::string actual = out.str();
    const std::string recorded = ReadFile(expected);
    if (actual == recorded) continue;
    // Show where they part, not the whole output.
    size_t at = 0;
    while (at < actual.size() && at < recorded.size() && actual[at] == recorded[at]) ++at;
    const size_t from = at > 120 ? at - 120 : 0;
    ADD_FAILURE() << c.Name << ": drevia-cli " << c.Arguments << "\n  differs at byte " << at << "\n  recorded: ..."
                  << recorded.substr(from, 240) << "\n  actual:   ..." << actual.substr(from, 240);
  }
  fs::remove_all(folder);
}

// A refused culvert calculation writes no results file (its rows would be
// those of an earlier run); a later crossing that cannot be designed is
// reported after the file is written, as Save Result does.
TEST(CliResults, RefusedCulvertDesignWritesNothingAndLaterRefusalStillWrites) {
  const fs::path folder = FreshFolder("results");
  std::string text = ReadFile(fs::path(DREVIA_SOURCE_DIR) / "samples" / "culvert-design.xml");
  const std::string first = "<DesignDischarge>45</DesignDischarge>";
  ASSERT_NE(text.find(first), std::string::npos);
  const auto write = [&](const std::string& name, const std::string& content) {
    std::ofstream(folder / name, std::ios::binary) << content;
    return (folder / name).string();
  };
  std::string firstInvalid = text;
  firstInvalid.replace(firstInvalid.find(first), first.size(), "<DesignDischarge>0</DesignDischarge>");
  const std::string refused = write("first-invalid.xml", firstInvalid);
  const fs::path refusedOut = folder / "first-invalid-results.xml";
  EXPECT_EQ(RunCli("save-results '" + refused + "' '" + refusedOut.string() + "'").Status, 1);
  EXPECT_FALSE(fs::exists(refusedOut));

  // The same zero discharge on the last crossing: the others are designed.
  const size_t last = text.rfind("<DesignDischarge>");
  const size_t lastEnd = text.find("</DesignDischarge>", last);
  std::string lastInvalid = text;
  lastInvalid.replace(last, lastEnd - last, "<DesignDischarge>0");
  const std::string later = write("last-invalid.xml", lastInvalid);
  const fs::path laterOut = folder / "last-invalid-results.xml";
  EXPECT_EQ(RunCli("save-results '" + later + "' '" + laterOut.string() + "'").Status, 1);
  EXPECT_NE(ReadFile(laterOut).find("CulvertResult"), std::string::npos);
  fs::remove_all(folder);
}
