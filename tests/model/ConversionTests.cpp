// File checks and conversions, the start-up sequence over real folders and
// opening project files of older versions.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "xml/XmlDocument.h"

namespace fs = std::filesystem;

namespace {

const std::string ApplicationMessage =
    "Cannot find application information. File is either corrupted \r or created with unsupported application verion.";

std::string Parameters(const std::string& root, const std::string& blockVersion) {
  return "<" + root + "><ApplicationParameters version=\"" + blockVersion +
         "\"><Parameter type=\"RainfallArea\"><Code>A</Code><Description>Area A</Description></Parameter>"
         "</ApplicationParameters></" + root.substr(0, root.find(' ')) + ">";
}
const std::string CurrentParameters = Parameters("Application Name=\"Drevia\" Version=\"110\"", "110");
const std::string CurrentPipes =
    "<Application Name=\"Drevia\" Version=\"110\"><UniversalCulvertParameters version=\"110\">"
    "<CircularSmoothPipeList><Pipe id=\"1\" size=\"12 in\" diameter=\"1\" n=\"0.012\"/></CircularSmoothPipeList>"
    "</UniversalCulvertParameters></Application>";

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
  TempFolder() {
    static std::atomic<int> counter{0};
    Path = fs::temp_directory_path() / ("drevia-conv-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(Path);
  }
  ~TempFolder() {
    std::error_code error;
    fs::remove_all(Path, error);
  }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path / name, std::ios::binary) << text;
    return (Path / name).string();
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Has(const std::string& name) const { return fs::exists(Path / name); }
  std::string Str() const { return Path.string(); }
  fs::path Path;
};

// Collects what the start-up would show in message boxes.
class MessageCapture {
public:
  MessageCapture() {
    SetMessageBoxHandler([this](TMessageKind kind, const std::string& text) {
      Shown.push_back({kind, text});
      return false;
    });
  }
  ~MessageCapture() { SetMessageBoxHandler(nullptr); }
  std::vector<std::pair<TMessageKind, std::string>> Shown;
};

std::unique_ptr<TXMLDocument> Document(const std::string& text) {
  auto document = std::make_unique<TXMLDocument>();
  document->Parse(text);
  return document;
}

TEST(ConversionTest, VersionsAndApplicationCheck) {
  EXPECT_THROW(TDreviaParameterConvertor_v1(nullptr), EStorageFormatConvertorError);
  try {
    TDreviaParameterConvertor_v1 convertor(nullptr);
  } catch (const EStorageFormatConvertorError& error) {
    EXPECT_STREQ(error.what(), "Document must be assigned");
  }

  struct TCase {
    const char* Root;
    bool Accepted;
    int Source;
  };
  const TCase cases[] = {
      {"<NERRA></NERRA>", true, 0},
      {"<NERRA Version=\"100\"></NERRA>", true, 100},
      {"<Application Name=\"Drevia\" Version=\"110\"></Application>", true, 110},
      {"<Application Name=\"Drevia\" version=\"105\"></Application>", true, 105},  // attribute names ignore case
      {"<Application Name=\"Drevia\" Version=\"abc\"></Application>", true, 0},
      {"<Application Name=\"Other\" Version=\"110\"></Application>", false, 110},
      {"<Application Version=\"110\"></Application>", false, 110},
      {"<Nerra></Nerra>", false, 0},
  };
  for (const TCase& c : cases) {
    auto document = Document(c.Root);
    TDreviaParameterConvertor_v1 convertor(document.get());
    EXPECT_EQ(convertor.CanConvert(), c.Accepted) << c.Root;
    EXPECT_EQ(convertor.ErrorText, c.Accepted ? "" : ApplicationMessage) << c.Root;
    EXPECT_EQ(convertor.SourceVersion(), c.Source) << c.Root;
    EXPECT_EQ(convertor.NeedsConversion(), c.Source < 110) << c.Root;
  }
  TXMLDocument empty;
  TDreviaUniversalParameterConvertor_v1 convertor(&empty);
  EXPECT_FALSE(convertor.CanConvert());
  EXPECT_EQ(convertor.ErrorText, ApplicationMessage);
}

TEST(ConversionTest, ProjectCheckAndConversion) {
  const std::string identification = "<Identification><PID>7</PID><NerraDate>03/04/2001</NerraDate></Identification>";
  struct TCase {
    const char* Name;
    std::string Text;
    std::string Error;
  };
  const TCase cases[] = {
      {"old ditch", "<NERRA Version=\"100\"><DitchAnalysis>" + identification + "</DitchAnalysis></NERRA>",
       "Cannot convert Ditch Analysis project from previous version.\nPlease recreate project manually."},
      {"current ditch", "<Application Name=\"Drevia\" Version=\"110\"><DitchAnalysis/></Application>", ""},
      {"old culvert", "<NERRA Version=\"100\"><CulvertDesign>" + identification + "</CulvertDesign></NERRA>", ""},
      {"no module", "<Application Name=\"Drevia\" Version=\"110\"></Application>",
       "Module information not found. File is either corrupted \r or created with unsupported application verion."},
      {"foreign", "<Application Name=\"Other\" Version=\"110\"><CulvertDesign/></Application>", ApplicationMessage},
  };
  for (const TCase& c : cases) {
    auto document = Document(c.Text);
    TDreviaProjectConvertor_v1 convertor(document.get());
    EXPECT_EQ(convertor.CanConvert(), c.Error.empty()) << c.Name;
    EXPECT_EQ(convertor.ErrorText, c.Error) << c.Name;
  }

  auto document = Document("<NERRA Version=\"100\"><CulvertDesign>" + identification + "</CulvertDesign></NERRA>");
  TDreviaProjectConvertor_v1 convertor(document.get());
  convertor.Run();
  EXPECT_EQ(document->GetRoot()->GetXML(),
            "<Application Version=\"110\" Name=\"Drevia\"><CulvertDesign><Identification><PID>7</PID>"
            "<ProjectDate>03/04/2001</ProjectDate></Identification></CulvertDesign></Application>");
  EXPECT_FALSE(convertor.NeedsConversion());

  // With two old date leaves neither is renamed.
  auto twice = Document("<NERRA><CulvertAnalysis><Identification><NerraDate>1</NerraDate><NerraDate>2</NerraDate>"
                        "</Identification></CulvertAnalysis></NERRA>");
  TDreviaProjectConvertor_v1 second(twice.get());
  second.Run();
  const TXMLElement* block = twice->GetRoot()->Child(0)->Child(0);
  EXPECT_EQ(block->Child(0)->Name, "NerraDate");
  EXPECT_EQ(block->Child(1)->Name, "NerraDate");
}

TEST(ConversionTest, OpenProjectDocument) {
  TempFolder folder;
  const std::string old = "<NERRA Version=\"100\"><CulvertDesign><Identification><NerraDate>03/04/2001</NerraDate>"
                          "</Identification></CulvertDesign></NERRA>";
  const std::string path = folder.Write("old.xml", old);
  TXMLDocument document;
  std::string error;
  ASSERT_TRUE(OpenProjectDocument(path, document, error)) << error;
  EXPECT_EQ(error, "");
  EXPECT_EQ(document.GetRoot()->Name, "Application");
  EXPECT_EQ(document.GetRoot()->Child(0)->Child(0)->Child(0)->Name, "ProjectDate");
  EXPECT_EQ(folder.Read("old.xml"), old);  // the file itself is left alone

  struct TCase {
    const char* Name;
    std::string File;
    std::string Error;
  };
  const TCase cases[] = {
      {"missing", (folder.Path / "none.xml").string(), MessageText(-1103)},
      {"unparsable", folder.Write("bad.xml", "</Application>"), MessageText(-1103)},
      {"foreign", folder.Write("foreign.xml", "<Application Name=\"X\"><CulvertDesign/></Application>"),
       ApplicationMessage},
      {"old ditch", folder.Write("ditch.xml", "<NERRA><DitchAnalysis/></NERRA>"),
       "Cannot convert Ditch Analysis project from previous version.\nPlease recreate project manually."},
  };
  for (const TCase& c : cases) {
    TXMLDocument failed;
    std::string message;
    EXPECT_FALSE(OpenProjectDocument(c.File, failed, message)) << c.Name;
    EXPECT_EQ(message, c.Error) << c.Name;
  }
}

TEST(StartupTest, ConvertsOlderFilesAndLoads) {
  TempFolder folder;
  folder.Write("NerraParameters.xml", Parameters("NERRA", "100"));
  folder.Write("UniversalCulvertParameters.xml",
               "<NERRA Version=\"100\"><UniversalCulvertParameters version=\"100\"><CircularSmoothPipeList>"
               "<Pipe id=\"1\" size=\"12 in\" diameter=\"1\"/></CircularSmoothPipeList></UniversalCulvertParameters>"
               "</NERRA>");
  MessageCapture messages;
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  ASSERT_EQ(StartupLoadParameters(folder.Str(), parameters, pipes), "");
  EXPECT_EQ(parameters.Count(), 1);
  EXPECT_EQ(pipes.Count(), 1);

  ASSERT_EQ(messages.Shown.size(), 2u);
  EXPECT_EQ(messages.Shown[0].first, TMessageKind::Plain);
  EXPECT_EQ(messages.Shown[0].second,
            "Your parameters file was created with previous version of application!\rIt will be automatically "
            "converted.");
  EXPECT_EQ(messages.Shown[1].second,
            "Your universal parameters file was created with previous version of application!\rIt will be "
            "automatically converted.");

  // The converted table is written under the current name, one line and CR LF.
  const std::string written = folder.Read("AppParameters.xml");
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  auto document = Document(written);
  EXPECT_EQ(document->GetRoot()->Name, "Application");
  EXPECT_EQ(document->GetRoot()->Attributes.GetAttribute("Name"), "Drevia");
  EXPECT_EQ(document->GetRoot()->Attributes.GetAttribute("Version"), "110");
  EXPECT_EQ(document->GetRoot()->Child(0)->Attributes.GetAttribute("version"), "110");
  EXPECT_EQ(Document(folder.Read("UniversalCulvertParameters.xml"))->GetRoot()->Child(0)->Attributes.GetAttribute(
                "version"),
            "110");
  // No temporary files are left beside them.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path)) ++files;
  EXPECT_EQ(files, 3);

  // A second start finds nothing to convert.
  TNerraParameterList again;
  TCulvertBasePipeList againPipes;
  EXPECT_EQ(StartupLoadParameters(folder.Str(), again, againPipes), "");
  EXPECT_EQ(messages.Shown.size(), 2u);
}

TEST(StartupTest, EndsWithTheRightMessage) {
  struct TCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Files;
    std::string Message;
  };
  const std::string pipeFile = "UniversalCulvertParameters.xml";
  const TCase cases[] = {
      {"all current", {{"AppParameters.xml", CurrentParameters}, {pipeFile, CurrentPipes}}, ""},
      {"both names: the current one is used",
       {{"AppParameters.xml", CurrentParameters}, {"NerraParameters.xml", "<Foreign></Foreign>"}, {pipeFile, CurrentPipes}},
       ""},
      {"no parameter file", {{pipeFile, CurrentPipes}}, "Parameters configuration file not found"},
      {"older name at the current version",
       {{"NerraParameters.xml", CurrentParameters}, {pipeFile, CurrentPipes}},
       ParameterFilesCorruptedMessage},
      {"foreign parameter file", {{"AppParameters.xml", "<Foreign></Foreign>"}, {pipeFile, CurrentPipes}}, ApplicationMessage},
      {"foreign catalogue", {{"AppParameters.xml", CurrentParameters}, {pipeFile, "<Foreign></Foreign>"}}, ApplicationMessage},
      {"unparsable parameter file",
       {{"AppParameters.xml", "</ApplicationParameters>"}, {pipeFile, CurrentPipes}},
       ParameterFilesCorruptedMessage},
      {"old table block",
       {{"AppParameters.xml", Parameters("Application Name=\"Drevia\" Version=\"110\"", "100")},
        {pipeFile, CurrentPipes}},
       "The parameters file is not compatible with this version of Drevia. Reinstall the complete package"},
  };
  for (const TCase& c : cases) {
    TempFolder folder;
    for (const auto& [name, text] : c.Files) folder.Write(name, text);
    TNerraParameterList parameters;
    TCulvertBasePipeList pipes;
    EXPECT_EQ(StartupLoadParameters(folder.Str(), parameters, pipes), c.Message) << c.Name;
    // Nothing is converted or written when start-up ends.
    if (!c.Message.empty()) {
      for (const auto& [name, text] : c.Files) EXPECT_EQ(folder.Read(name), text) << c.Name;
      EXPECT_EQ(folder.Has("AppParameters.xml"), c.Files[0].first == "AppParameters.xml") << c.Name;
    }
  }

  // A missing catalogue ends start-up with the file-open error.
  TempFolder folder;
  folder.Write("AppParameters.xml", CurrentParameters);
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  EXPECT_FALSE(StartupLoadParameters(folder.Str(), parameters, pipes).empty());
}

TEST(StartupTest, FailedWriteBackEndsStartup) {
  TempFolder folder;
  folder.Write("NerraParameters.xml", Parameters("NERRA", "100"));
  folder.Write("UniversalCulvertParameters.xml", CurrentPipes);
  // The current name is taken by a folder, so the converted file cannot be written.
  fs::create_directory(folder.Path / "AppParameters.xml");
  MessageCapture messages;
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  EXPECT_EQ(StartupLoadParameters(folder.Str(), parameters, pipes), MessageText(-4));
  EXPECT_EQ(folder.Read("NerraParameters.xml"), Parameters("NERRA", "100"));
  EXPECT_EQ(parameters.Count(), 0);
}

TEST(StartupTest, ParameterFileNames) {
  TempFolder folder;
  EXPECT_THROW(FindParameterFile(folder.Str()), EStorageFormatConvertorError);
  folder.Write("NerraParameters.xml", "x");
  EXPECT_EQ(FindParameterFile(folder.Str()), (folder.Path / "NerraParameters.xml").string());
  folder.Write("AppParameters.xml", "x");
  EXPECT_EQ(FindParameterFile(folder.Str()), (folder.Path / "AppParameters.xml").string());
  EXPECT_EQ(FindParameterFile(folder.Str() + "/"), (folder.Path / "AppParameters.xml").string());
  EXPECT_EQ(CurrentParameterFile("/opt/drevia"), "/opt/drevia/AppParameters.xml");
}

}  // namespace
