#include "model/FileConversion.h"

#include <unistd.h>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>

#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "model/ProjectFile.h"
#include "xml/XmlDocument.h"

namespace {

const std::string VersionText = std::to_string(CurrentFileVersion);

const char* const ApplicationCheckMessage =
    "Cannot find application information. File is either corrupted \r or created with unsupported application verion.";
const char* const ModuleCheckMessage =
    "Module information not found. File is either corrupted \r or created with unsupported application verion.";
const char* const DitchConversionMessage =
    "Cannot convert Ditch Analysis project from previous version.\nPlease recreate project manually.";
const char* const ParameterConversionNotice =
    "Your parameters file was created with previous version of application!\rIt will be automatically converted.";
const char* const UniversalConversionNotice =
    "Your universal parameters file was created with previous version of application!\rIt will be automatically "
    "converted.";

std::string InFolder(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  return (std::filesystem::path(folder) / name).string();
}

bool IsFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// Reads a parameter file for its check. Empty on success, otherwise the
// message that ends start-up.
std::string ReadParameterDocument(const std::string& fileName, TXMLDocument& document) {
  try {
    // A file cut short would give tables that silently lack their last
    // entries (and would be written back that way on conversion).
    if (document.LoadFromFile(fileName) && !document.Truncated()) return std::string();
  } catch (const std::exception& error) {
    return error.what();
  }
  // A half-parsed parameter file must not be checked, converted and written
  // back as if it were whole.
  return ParameterFilesCorruptedMessage;
}

// Checks one parameter file and, when it is older, converts it and writes
// it to target (converted tells). Empty on success, otherwise the message
// that ends start-up.
std::string CheckAndConvert(TXMLDocument& document, TDreviaConvertor_v1& convertor, const char* notice,
                            const std::string& target, bool& converted) {
  converted = false;
  if (!convertor.CanConvert()) return convertor.ErrorText;
  if (!convertor.NeedsConversion()) return std::string();
  ShowMessageBox(TMessageKind::Plain, notice);
  try {
    convertor.Run();
  } catch (const std::exception& error) {
    return error.what();
  }
  // The user's data folder may not exist yet; a failure shows in the save.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
  // SaveToFile writes a temporary file and renames it, so an interrupted
  // write never leaves a truncated parameter file behind.
  if (!document.SaveToFile(target)) return MessageText(-4);
  converted = true;
  return std::string();
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool HoldsParameterFiles(const std::string& folder) {
  return (IsFile(InFolder(folder, CurrentParameterFileName)) || IsFile(InFolder(folder, OlderParameterFileName))) &&
         IsFile(InFolder(folder, UniversalParameterFileName));
}

// programFolder/../share/drevia/<below>, without the "..".
std::string InstalledFolder(const std::string& programFolder, const char* below = nullptr) {
  std::filesystem::path folder = std::filesystem::path(programFolder.empty() ? "." : programFolder) / "";
  folder = (folder / ".." / "share" / "drevia").lexically_normal();
  if (below) folder /= below;
  return folder.string();
}

}  // namespace

TStorageFormatConvertor::TStorageFormatConvertor(TXMLDocument* document, TStorageFormatConvertor* previous)
    : Previous(previous), Document(document) {
  if (!document) throw EStorageFormatConvertorError("Document must be assigned");
}

void TStorageFormatConvertor::Run() {
  if (!NeedsConversion()) return;
  if (Previous) Previous->Run();
  if (NeedsConversion()) Convert();
}

TXMLDocument* TStorageFormatConvertor::GetDocument() const { return Previous ? Previous->GetDocument() : Document; }

int TParameterConvertor::SourceVersion() const {
  const TXMLDocument* document = GetDocument();
  const TXMLElement* root = document ? document->GetRoot() : nullptr;
  if (!root) return 0;
  return XmlToInt(root->Attributes.GetAttribute("Version"));
}

bool TDreviaConvertor_v1::CanConvert() {
  const TXMLDocument* document = GetDocument();
  const TXMLElement* root = document ? document->GetRoot() : nullptr;
  if (root && (root->Name == "NERRA" ||
               (root->Name == "Application" && root->Attributes.GetAttribute("Name") == FileProductName)))
    return true;
  ErrorText = ApplicationCheckMessage;
  return false;
}

void TDreviaConvertor_v1::ConvertRoot() {
  TXMLElement* root = GetDocument()->GetRoot();
  if (!root) throw EStorageFormatConvertorError(ApplicationCheckMessage);
  root->SetName("Application");
  root->Attributes.SetAttribute("Name", FileProductName);
  root->Attributes.SetAttribute("Version", VersionText);
}

void TDreviaParameterConvertor_v1::Convert() {
  ConvertRoot();
  if (TXMLElement* parameters = GetDocument()->GetRoot()->Child(0))
    parameters->Attributes.SetAttribute("version", std::to_string(TargetVersion()));
}

void TDreviaUniversalParameterConvertor_v1::Convert() {
  ConvertRoot();
  if (TXMLElement* catalogue = GetDocument()->GetRoot()->Child(0))
    catalogue->Attributes.SetAttribute("version", VersionText);
}

bool TDreviaProjectConvertor_v1::CanConvert() {
  if (!TDreviaConvertor_v1::CanConvert()) return false;
  const TXMLElement* kind = GetDocument()->GetRoot()->Child(0);
  if (!kind) {
    ErrorText = ModuleCheckMessage;
    return false;
  }
  // The ditch project changed shape in this version and cannot be mapped.
  if (kind->Name == "DitchAnalysis" && NeedsConversion()) {
    ErrorText = DitchConversionMessage;
    return false;
  }
  return true;
}

void TDreviaProjectConvertor_v1::Convert() {
  ConvertRoot();
  const TXMLElement* kind = GetDocument()->GetRoot()->Child(0);
  TXMLElement* identification = kind ? kind->Child(0) : nullptr;
  if (!identification) return;
  identification->Children.SetSearchPath("NerraDate");
  std::unique_ptr<TXMLList> found = identification->Children.Search();
  // Two dates would leave it unclear which one is meant; keep both as they are.
  if (found && found->Count() == 1) found->Element(0)->SetName("ProjectDate");
}

std::string FindParameterFile(const std::string& folder) {
  for (const char* name : {CurrentParameterFileName, OlderParameterFileName}) {
    const std::string path = InFolder(folder, name);
    if (IsFile(path)) return path;
  }
  throw EStorageFormatConvertorError("Parameters configuration file not found");
}

std::string CurrentParameterFile(const std::string& folder) { return InFolder(folder, CurrentParameterFileName); }

std::string UniversalParameterFile(const std::string& folder) { return InFolder(folder, UniversalParameterFileName); }

std::string StartupLoadParameters(const std::string& programFolder, TNerraParameterList& parameters,
                                  TCulvertBasePipeList& pipes) {
  std::string parameterFile;
  try {
    parameterFile = FindParameterFile(programFolder);
  } catch (const EStorageFormatConvertorError& error) {
    return error.what();
  }
  // The installed copy stays as it is; converted files go to the user.
  const bool installed = IsInstalledDataFolder(programFolder);
  const std::string writeFolder = installed ? UserDataFolder() : programFolder;
  if (installed && writeFolder.empty()) return MessageText(-4);
  bool parametersConverted = false;
  bool pipesConverted = false;
  {
    TXMLDocument document;
    std::string message = ReadParameterDocument(parameterFile, document);
    if (!message.empty()) return message;
    TDreviaParameterConvertor_v1 convertor(&document);
    message = CheckAndConvert(document, convertor, ParameterConversionNotice, CurrentParameterFile(writeFolder),
                              parametersConverted);
    if (!message.empty()) return message;
  }
  std::string pipeFile = UniversalParameterFile(programFolder);
  {
    TXMLDocument document;
    std::string message = ReadParameterDocument(pipeFile, document);
    if (!message.empty()) return message;
    TDreviaUniversalParameterConvertor_v1 convertor(&document);
    message = CheckAndConvert(document, convertor, UniversalConversionNotice, UniversalParameterFile(writeFolder),
                              pipesConverted);
    if (!message.empty()) return message;
  }

  std::string loadFolder = programFolder;
  if (installed && (parametersConverted || pipesConverted)) {
    // The user's copy is complete or it would not be found next time: the
    // file that needed no conversion goes along under its own name.
    try {
      if (!parametersConverted) {
        const std::string name = std::filesystem::path(parameterFile).filename().string();
        if (!WriteFileAtomically(InFolder(writeFolder, name.c_str()), ReadFileBytes(parameterFile)))
          return MessageText(-4);
      }
      if (!pipesConverted && !WriteFileAtomically(UniversalParameterFile(writeFolder), ReadFileBytes(pipeFile)))
        return MessageText(-4);
    } catch (const std::exception& error) {
      return error.what();
    }
    ShowMessageBox(TMessageKind::Plain, "The parameter files in " + programFolder +
                                            " cannot be changed.\nThe converted files were saved in " + writeFolder +
                                            " and are used from now on.");
    loadFolder = writeFolder;
    pipeFile = UniversalParameterFile(loadFolder);
  }

  // Only the current names are loaded: a current-version file left under the
  // older name is an incomplete installation.
  const std::string currentFile = CurrentParameterFile(loadFolder);
  if (!IsFile(currentFile) || !IsFile(pipeFile)) return ParameterFilesCorruptedMessage;
  std::string message = parameters.LoadParameterFile(currentFile);
  if (!message.empty()) return message;
  return pipes.LoadPipeFile(pipeFile);
}

std::string UserDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  // Relative values are to be ignored, as the base directory rules say.
  if (dataHome && dataHome[0] == '/') return WithSlash((std::filesystem::path(dataHome) / "drevia").string());
  const char* home = std::getenv("HOME");
  if (home && home[0] != '\0') return WithSlash((std::filesystem::path(home) / ".local/share/drevia").string());
  return std::string();
}

bool IsInstalledDataFolder(const std::string& folder) {
  const std::filesystem::path path = std::filesystem::path(folder.empty() ? "." : folder).lexically_normal();
  std::filesystem::path named = path;
  if (!named.has_filename()) named = named.parent_path();  // "share/drevia/"
  if (named.filename() == "drevia" && named.parent_path().filename() == "share") return true;
  return access(path.c_str(), W_OK) != 0;
}

std::string LocateParameterFolder(const std::string& programFolder, const std::string& givenFolder) {
  if (!givenFolder.empty()) return WithSlash(givenFolder);
  if (HoldsParameterFiles(programFolder)) return WithSlash(programFolder);
  const std::string user = UserDataFolder();
  if (!user.empty() && HoldsParameterFiles(user)) return user;
  const std::string installed = InstalledFolder(programFolder);
  if (HoldsParameterFiles(installed)) return WithSlash(installed);
  return WithSlash(programFolder);
}

std::string LocateHelpFolder(const std::string& programFolder) {
  const std::string beside = InFolder(programFolder, "help");
  std::error_code error;
  if (std::filesystem::is_directory(beside, error)) return beside;
  const std::string installed = InstalledFolder(programFolder, "help");
  if (std::filesystem::is_directory(installed, error)) return installed;
  return beside;
}

bool OpenProjectDocument(const std::string& fileName, TXMLDocument& document, std::string& errorText,
                         bool* checkFailed) {
  errorText.clear();
  if (checkFailed) *checkFailed = false;
  bool read = false;
  try {
    read = document.LoadFromFile(fileName);
  } catch (const EFOpenError& error) {
    // A missing file, a device or a file in a foreign encoding is not an
    // incompatible version: say what it is.
    errorText = error.what();
    return false;
  } catch (const std::exception&) {
    read = false;
  }
  if (!read) {
    errorText = MessageText(-1103);
    return false;
  }
  if (document.Truncated()) {
    errorText = IncompleteFileMessage(document);
    return false;
  }
  if (checkFailed) *checkFailed = true;
  try {
    TDreviaProjectConvertor_v1 convertor(&document);
    if (!convertor.CanConvert()) {
      errorText = convertor.ErrorText;
      return false;
    }
    convertor.Run();
  } catch (const std::exception& error) {
    errorText = error.what();
    return false;
  }
  if (checkFailed) *checkFailed = false;
  return true;
}
