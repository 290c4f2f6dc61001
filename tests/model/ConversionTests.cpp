// File checks and conversions, the start-up sequence over real folders and
// opening project files of older versions.

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "foundation/FormatSettings.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "xml/XmlDocument.h"

namespace fs = std::filesystem;

namespace {

const std::string AppMessage =
    "Cannot find application information. File is either corrupted \r or created with unsupported application verion.";
const std::string DitchMessage =
    "Cannot convert Ditch Analysis project from previous version.\nPlease recreate project manually.";

std::string Parameters(const std::string& root, const std::string& version, const std::string& rootEnd) {
  return root + "<ApplicationParameters version=\"" + version +
         "\"><Parameter type=\"RainfallArea\"><Code>A</Code></Parameter></ApplicationParameters>" + rootEnd;
}
const std::string OldParameters = Parameters("<NERRA>", "100", "</NERRA>");
const std::string CurrentParameters =
    Parameters("<Application Name=\"Drevia\" Version=\"110\">", "110", "</Application>");
const std::string CurrentPipes =
    "<Application Name=\"Drevia\" Version=\"110\"><UniversalCulvertParameters version=\"110\">"
    "<BoxSmoothPipeList><Pipe id=\"1\" height=\"2\" width=\"3\"/></BoxSmoothPipeList>"
    "</UniversalCulvertParameters></Application>";

// A fresh folder per use, removed afterwards.
struct TempFolder {
  TempFolder() {
    static std::atomic<int> counter{0};
    Path = fs::temp_directory_path() / ("drevia-conv-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(Path);
  }
  ~TempFolder() { fs::remove_all(Path); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path / name, std::ios::binary) << text;
    return (Path / name).string();
  }
  std::string Read(const std::string& name) const {
    std::stringstream s;
    s << std::ifstream(Path / name, std::ios::binary).rdbuf();
    return s.str();
  }
  fs::path Path;
};

std::unique_ptr<TXMLDocument> Document(const std::string& text) {
  auto document = std::make_unique<TXMLDocument>();
  document->Parse(text);
  return document;
}

TEST(ConversionTest, ChecksAndVersions) {
  EXPECT_THROW(TDreviaParameterConvertor_v1(nullptr), EStorageFormatConvertorError);
  const struct {
    std::string Text;
    int Source;
    std::string Error, ProjectError;
  } cases[] = {
      {"<NERRA><CulvertDesign></CulvertDesign></NERRA>", 0, "", ""},
      {"<Application Name=\"Drevia\" version=\"105\"><X></X></Application>", 105, "", ""},  // name case ignored
      {"<Application Name=\"Drevia\" Version=\"abc\"><X></X></Application>", 0, "", ""},
      {"<Application Name=\"Other\" Version=\"110\"><X></X></Application>", 110, AppMessage, AppMessage},
      {"<Nerra></Nerra>", 0, AppMessage, AppMessage},
      {"<NERRA Version=\"100\"><DitchAnalysis></DitchAnalysis></NERRA>", 100, "", DitchMessage},
      {"<Application Name=\"Drevia\" Version=\"110\"><DitchAnalysis></DitchAnalysis></Application>", 110, "", ""},
      {"<Application Name=\"Drevia\" Version=\"110\"></Application>", 110, "",
       "Module information not found. File is either corrupted \r or created with unsupported application verion."}};
  for (const auto& c : cases) {
    auto document = Document(c.Text);
    TDreviaUniversalParameterConvertor_v1 parameters(document.get());
    TDreviaProjectConvertor_v1 project(document.get());
    EXPECT_EQ(parameters.SourceVersion(), c.Source) << c.Text;
    EXPECT_EQ(parameters.NeedsConversion(), c.Source < 110) << c.Text;
    EXPECT_EQ(parameters.CanConvert(), c.Error.empty()) << c.Text;
    EXPECT_EQ(parameters.ErrorText, c.Error) << c.Text;
    EXPECT_EQ(project.CanConvert(), c.ProjectError.empty()) << c.Text;
    EXPECT_EQ(project.ErrorText, c.ProjectError) << c.Text;
  }
}

TEST(ConversionTest, OpenProjectDocument) {
  TempFolder folder;
  const std::string old =
      "<NERRA Version=\"100\"><CulvertDesign><Identification><PID>7</PID>"
      "<NerraDate>03/04/2001</NerraDate></Identification></CulvertDesign></NERRA>";
  TXMLDocument document;
  std::string error;
  ASSERT_TRUE(OpenProjectDocument(folder.Write("old.xml", old), document, error)) << error;
  EXPECT_EQ(document.GetRoot()->GetXML(),
            "<Application Version=\"110\" Name=\"Drevia\"><CulvertDesign><Identification><PID>7</PID>"
            "<ProjectDate>03/04/2001</ProjectDate></Identification></CulvertDesign></Application>");
  EXPECT_EQ(folder.Read("old.xml"), old);  // converted in memory only

  const struct {
    const char* Name;
    std::string File, Error;
  } cases[] = {
      {"missing", (folder.Path / "none.xml").string(),
       "Cannot open file \"" + (folder.Path / "none.xml").string() + "\"."},
      {"utf-16", folder.Write("wide.xml", std::string("\xff\xfe<\0A\0>\0", 8)),
       "Cannot open file \"" + (folder.Path / "wide.xml").string() +
           "\": its text is in UTF-16, an encoding this program does not support (save it as ISO-8859-1)."},
      {"device", "/dev/zero", "Cannot open file \"/dev/zero\": it is not a regular file."},
      {"unparsable", folder.Write("bad.xml", "</Application>"), MessageText(-1103)},
      {"foreign", folder.Write("foreign.xml", "<Application Name=\"X\"><CulvertDesign/></Application>"), AppMessage},
      {"old ditch", folder.Write("ditch.xml", "<NERRA><DitchAnalysis/></NERRA>"), DitchMessage},
      {"cut short", folder.Write("cut.xml", old.substr(0, old.size() - 30)),
       "The file is incomplete: it ends before the closing </NERRA>."},
      {"cut in a comment",
       folder.Write("comment.xml", "<Application Name=\"Drevia\" Version=\"110\"><CulvertDesign/><!-- </Application>"),
       "The file is incomplete: it ends before the closing </Application>."}};
  for (const auto& c : cases) {
    TXMLDocument failed;
    EXPECT_FALSE(OpenProjectDocument(c.File, failed, error)) << c.Name;
    EXPECT_EQ(error, c.Error) << c.Name;
  }
  // With two old date leaves neither is renamed.
  TXMLDocument twice;
  ASSERT_TRUE(OpenProjectDocument(folder.Write("two.xml",
                                               "<NERRA><CulvertAnalysis><Identification><NerraDate>1"
                                               "</NerraDate><NerraDate>2</NerraDate></Identification>"
                                               "</CulvertAnalysis></NERRA>"),
                                  twice, error));
  EXPECT_EQ(twice.GetRoot()->Child(0)->Child(0)->Child(1)->Name, "NerraDate");
}

TEST(StartupTest, ConvertsOlderFilesAndLoads) {
  TempFolder folder;
  folder.Write("NerraParameters.xml", OldParameters);
  folder.Write("UniversalCulvertParameters.xml",
               "<NERRA Version=\"100\"><UniversalCulvertParameters version=\"100\">"
               "</UniversalCulvertParameters></NERRA>");
  std::vector<std::pair<TMessageKind, std::string>> shown;
  SetMessageBoxHandler([&](TMessageKind kind, const std::string& text) {
    return shown.push_back({kind, text}), false;
  });
  for (int run = 0; run < 2; ++run) {  // the second start finds nothing to convert
    TNerraParameterList parameters;
    TCulvertBasePipeList pipes;
    ASSERT_EQ(StartupLoadParameters(folder.Path.string(), parameters, pipes), "");
    EXPECT_EQ(parameters.Count(), 1);
  }
  SetMessageBoxHandler(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], std::pair(TMessageKind::Plain, std::string("Your parameters file was created with previous "
                                                                 "version of application!\rIt will be automatically "
                                                                 "converted.")));
  EXPECT_EQ(shown[1].second,
            "Your universal parameters file was created with previous version of application!\rIt "
            "will be automatically converted.");
  // Written under the current name as one CR LF line; no temporary files left.
  const std::string written = folder.Read("AppParameters.xml");
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  const auto document = Document(written);
  EXPECT_EQ(document->GetRoot()->Name, "Application");
  EXPECT_EQ(document->GetRoot()->Attributes.GetAttribute("Name"), "Drevia");
  EXPECT_EQ(document->GetRoot()->Attributes.GetAttribute("Version"), "110");
  EXPECT_EQ(document->GetRoot()->Child(0)->Attributes.GetAttribute("version"), "110");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator()), 3);
}

TEST(StartupTest, ShippedTablesLoadWhereTheUserWritesADecimalComma) {
  // The tables are written with the point; a user whose locale writes the
  // comma once could not start the program.
  const TFormatSettings saved = FormatSettings();
  SetFormatSettings({',', '.', "DMY"});
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string message = StartupLoadParameters(DREVIA_SOURCE_DIR "/data", parameters, pipes);
  SetFormatSettings(saved);
  EXPECT_EQ(message, "");
  EXPECT_GT(parameters.Count(), 0);
  EXPECT_GT(pipes.Count(), 0);
}

TEST(StartupTest, EndsWithTheRightMessage) {
  const std::string pipes = "UniversalCulvertParameters.xml";
  const struct {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Files;
    std::string Message;
  } cases[] = {
      {"all current", {{"AppParameters.xml", CurrentParameters}, {pipes, CurrentPipes}}, ""},
      {"both names",
       {{"AppParameters.xml", CurrentParameters}, {"NerraParameters.xml", "<X/>"}, {pipes, CurrentPipes}},
       ""},
      {"no parameter file", {{pipes, CurrentPipes}}, "Parameters configuration file not found"},
      {"older name, current version",
       {{"NerraParameters.xml", CurrentParameters}, {pipes, CurrentPipes}},
       ParameterFilesCorruptedMessage},
      {"foreign parameters", {{"AppParameters.xml", "<X></X>"}, {pipes, CurrentPipes}}, AppMessage},
      {"foreign catalogue", {{"AppParameters.xml", CurrentParameters}, {pipes, "<X></X>"}}, AppMessage},
      {"unparsable", {{"AppParameters.xml", "</X>"}, {pipes, CurrentPipes}}, ParameterFilesCorruptedMessage},
      {"parameters cut short",
       {{"AppParameters.xml", CurrentParameters.substr(0, CurrentParameters.size() - 40)}, {pipes, CurrentPipes}},
       ParameterFilesCorruptedMessage},
      {"catalogue cut short",
       {{"AppParameters.xml", CurrentParameters}, {pipes, CurrentPipes.substr(0, CurrentPipes.size() - 14)}},
       ParameterFilesCorruptedMessage},
      {"old block",
       {{"AppParameters.xml", Parameters("<Application Name=\"Drevia\" Version=\"110\">", "100", "</Application>")},
        {pipes, CurrentPipes}},
       "The parameters file is not compatible with this version of Drevia. Reinstall the complete package"}};
  for (const auto& c : cases) {
    TempFolder folder;
    for (const auto& [name, text] : c.Files) folder.Write(name, text);
    TNerraParameterList parameters;
    TCulvertBasePipeList catalogue;
    EXPECT_EQ(StartupLoadParameters(folder.Path.string(), parameters, catalogue), c.Message) << c.Name;
    for (const auto& [name, text] : c.Files) EXPECT_EQ(folder.Read(name), text) << c.Name;  // nothing rewritten
    EXPECT_EQ(fs::exists(folder.Path / "AppParameters.xml"), c.Files[0].first == "AppParameters.xml") << c.Name;
  }
  TempFolder folder;  // a missing catalogue ends start-up with the file-open error
  folder.Write("AppParameters.xml", CurrentParameters);
  TNerraParameterList parameters;
  TCulvertBasePipeList catalogue;
  EXPECT_NE(StartupLoadParameters(folder.Path.string(), parameters, catalogue), "");
}

TEST(StartupTest, FailedWriteBackEndsStartup) {
  TempFolder folder;
  folder.Write("NerraParameters.xml", OldParameters);
  folder.Write("UniversalCulvertParameters.xml", CurrentPipes);
  fs::create_directory(folder.Path / "AppParameters.xml");  // the current name is taken
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  EXPECT_EQ(StartupLoadParameters(folder.Path.string(), parameters, pipes), MessageText(-4));
  EXPECT_EQ(folder.Read("NerraParameters.xml"), OldParameters);
  EXPECT_EQ(CurrentParameterFile("/opt/drevia"), "/opt/drevia/AppParameters.xml");
}

// ---- where an installed program finds its parameter files ----------------

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (Old)
      setenv(Name, Old->c_str(), 1);
    else
      unsetenv(Name);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  const char* Name;
  std::optional<std::string> Old;
};

// prefix/bin (the program), prefix/share/drevia (the installed copy) and a
// data home for the user's copy.
struct Installation {
  Installation() : Data(Root.Path.string() + "/data"), DataHome("XDG_DATA_HOME", Data.c_str()) {
    fs::create_directories(Root.Path / "bin");
    fs::create_directories(Root.Path / "share" / "drevia");
  }
  std::string Bin() const { return (Root.Path / "bin").string() + "/"; }
  std::string Share() const { return (Root.Path / "share" / "drevia").string() + "/"; }
  std::string User() const { return Data + "/drevia/"; }
  static void Put(const std::string& folder, const std::string& parameterName, const std::string& parameters,
                  const std::string& pipes = CurrentPipes) {
    fs::create_directories(folder);
    std::ofstream(fs::path(folder) / parameterName, std::ios::binary) << parameters;
    std::ofstream(fs::path(folder) / "UniversalCulvertParameters.xml", std::ios::binary) << pipes;
  }
  static std::string Read(const std::string& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
  }
  TempFolder Root;
  std::string Data;
  ScopedEnv DataHome;
};

TEST(DataFolderTest, LooksBesideTheProgramThenTheUserCopyThenTheInstalledOne) {
  Installation i;
  // Nothing anywhere: the program folder, so start-up names the missing file.
  EXPECT_EQ(LocateParameterFolder(i.Bin()), i.Bin());
  EXPECT_EQ(LocateParameterFolder(i.Root.Path.string() + "/bin"), i.Bin());

  Installation::Put(i.Share(), "AppParameters.xml", CurrentParameters);
  EXPECT_EQ(LocateParameterFolder(i.Bin()), i.Share());
  // Half a user copy (no catalogue) is passed over.
  fs::create_directories(i.User());
  std::ofstream(i.User() + "AppParameters.xml") << CurrentParameters;
  EXPECT_EQ(LocateParameterFolder(i.Bin()), i.Share());
  Installation::Put(i.User(), "NerraParameters.xml", CurrentParameters);
  EXPECT_EQ(LocateParameterFolder(i.Bin()), i.User());
  Installation::Put(i.Bin(), "AppParameters.xml", CurrentParameters);
  EXPECT_EQ(LocateParameterFolder(i.Bin()), i.Bin());  // a build tree
  // A folder given on the command line is taken as it is, even an empty one.
  EXPECT_EQ(LocateParameterFolder(i.Bin(), "/nowhere"), "/nowhere/");
}

TEST(DataFolderTest, UserFolderFollowsTheBaseDirectoryRules) {
  Installation i;
  EXPECT_EQ(UserDataFolder(), i.User());
  {
    ScopedEnv relative("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
    ScopedEnv home("HOME", "/home/engineer");
    EXPECT_EQ(UserDataFolder(), "/home/engineer/.local/share/drevia/");
  }
  ScopedEnv unset("XDG_DATA_HOME", nullptr);
  ScopedEnv noHome("HOME", nullptr);
  EXPECT_EQ(UserDataFolder(), "");
}

TEST(DataFolderTest, InstalledCopyIsNeverWritten) {
  EXPECT_TRUE(IsInstalledDataFolder("/usr/share/drevia/"));
  EXPECT_TRUE(IsInstalledDataFolder("/usr/bin/../share/drevia"));
  EXPECT_TRUE(IsInstalledDataFolder("/no/such/folder/"));  // cannot be written either
  TempFolder folder;
  EXPECT_FALSE(IsInstalledDataFolder(folder.Path.string()));
  fs::create_directories(folder.Path / "share" / "drevia-old");
  EXPECT_FALSE(IsInstalledDataFolder((folder.Path / "share" / "drevia-old").string() + "/"));
}

TEST(DataFolderTest, OlderInstalledCopyIsConvertedIntoTheUserFolder) {
  Installation i;
  const std::string oldPipes =
      "<NERRA Version=\"100\"><UniversalCulvertParameters version=\"100\">"
      "<BoxSmoothPipeList><Pipe id=\"1\" height=\"2\" width=\"3\"/></BoxSmoothPipeList>"
      "</UniversalCulvertParameters></NERRA>";
  const struct {
    const char* Name;
    std::string ParameterName, Parameters, Pipes;
  } cases[] = {{"both older", "NerraParameters.xml", OldParameters, oldPipes},
               {"only the parameters", "NerraParameters.xml", OldParameters, CurrentPipes},
               {"only the catalogue", "AppParameters.xml", CurrentParameters, oldPipes}};
  for (const auto& c : cases) {
    fs::remove_all(i.Share());
    fs::remove_all(i.Data);
    Installation::Put(i.Share(), c.ParameterName, c.Parameters, c.Pipes);
    std::vector<std::string> shown;
    SetMessageBoxHandler([&](TMessageKind, const std::string& text) { return shown.push_back(text), false; });
    for (int run = 0; run < 2; ++run) {
      TNerraParameterList parameters;
      TCulvertBasePipeList pipes;
      const std::string folder = LocateParameterFolder(i.Bin());
      EXPECT_EQ(folder, run == 0 ? i.Share() : i.User()) << c.Name;  // the user copy from then on
      ASSERT_EQ(StartupLoadParameters(folder, parameters, pipes), "") << c.Name;
      EXPECT_EQ(parameters.Count(), 1) << c.Name;
      EXPECT_EQ(pipes.Count(), 1) << c.Name;
    }
    SetMessageBoxHandler(nullptr);
    // The conversion notice(s), then where the converted files went; nothing
    // on the second start.
    ASSERT_FALSE(shown.empty()) << c.Name;
    EXPECT_EQ(shown.back(), "The parameter files in " + i.Share() +
                                " cannot be changed.\nThe converted files were saved in " + i.User() +
                                " and are used from now on.")
        << c.Name;
    EXPECT_EQ(shown.size(), c.ParameterName == "NerraParameters.xml" && c.Pipes == oldPipes ? 3u : 2u) << c.Name;
    // The installed copy is as it was.
    EXPECT_EQ(Installation::Read(i.Share() + c.ParameterName), c.Parameters) << c.Name;
    EXPECT_EQ(Installation::Read(i.Share() + "UniversalCulvertParameters.xml"), c.Pipes) << c.Name;
    EXPECT_EQ(
        Document(Installation::Read(i.User() + "AppParameters.xml"))->GetRoot()->Attributes.GetAttribute("Version"),
        "110")
        << c.Name;
  }
}

TEST(DataFolderTest, UnwritableUserFolderEndsStartup) {
  Installation i;
  Installation::Put(i.Share(), "NerraParameters.xml", OldParameters);
  std::ofstream(i.Data) << "a file where the data folder should be";
  SetMessageBoxHandler([](TMessageKind, const std::string&) { return false; });
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  EXPECT_EQ(StartupLoadParameters(i.Share(), parameters, pipes), MessageText(-4));
  ScopedEnv unset("XDG_DATA_HOME", nullptr);
  ScopedEnv noHome("HOME", nullptr);
  EXPECT_EQ(StartupLoadParameters(i.Share(), parameters, pipes), MessageText(-4));
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(Installation::Read(i.Share() + "NerraParameters.xml"), OldParameters);
}

TEST(DataFolderTest, HelpBesideTheProgramElseInstalled) {
  Installation i;
  const std::string beside = i.Bin() + "help";
  EXPECT_EQ(LocateHelpFolder(i.Bin()), beside);  // neither: beside, where nothing will be found
  fs::create_directories(i.Share() + "help");
  EXPECT_EQ(fs::path(LocateHelpFolder(i.Bin())), fs::path(i.Share() + "help"));
  fs::create_directories(beside);
  EXPECT_EQ(LocateHelpFolder(i.Bin()), beside);
}

}  // namespace
