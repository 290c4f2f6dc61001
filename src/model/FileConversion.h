#pragma once
// File versions: checking that a document belongs to this system and
// bringing older parameter files and project files to the current form, and
// the start-up sequence that converts and loads both parameter files.

#include <stdexcept>
#include <string>

#include "foundation/Version.h"

class TXMLDocument;
class TNerraParameterList;
class TCulvertBasePipeList;

class EStorageFormatConvertorError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

constexpr int CurrentFileVersion = DREVIA_FILE_FORMAT_VERSION;
// The "Name" attribute of the root of every project and parameter file.
inline constexpr const char* FileProductName = DREVIA_FILE_PRODUCT;

inline constexpr const char* CurrentParameterFileName = "AppParameters.xml";
inline constexpr const char* OlderParameterFileName = "NerraParameters.xml";
inline constexpr const char* UniversalParameterFileName = "UniversalCulvertParameters.xml";

class TStorageFormatConvertor {
public:
  // Raises EStorageFormatConvertorError when no document is given.
  explicit TStorageFormatConvertor(TXMLDocument* document, TStorageFormatConvertor* previous = nullptr);
  virtual ~TStorageFormatConvertor() = default;
  TStorageFormatConvertor(const TStorageFormatConvertor&) = delete;
  TStorageFormatConvertor& operator=(const TStorageFormatConvertor&) = delete;

  TStorageFormatConvertor* Previous = nullptr;  // not owned
  TXMLDocument* Document = nullptr;             // not owned
  std::string ErrorText;

  virtual int TargetVersion() const = 0;
  virtual int SourceVersion() const { return 0; }
  virtual void Convert() = 0;
  virtual bool CanConvert() { return false; }
  virtual bool NeedsConversion() const { return SourceVersion() < TargetVersion(); }

  // Converts through every older step first, then this one, when needed.
  void Run();
  TXMLDocument* GetDocument() const;
};

// Reads the source version from the root's "Version" attribute.
class TParameterConvertor : public TStorageFormatConvertor {
public:
  using TStorageFormatConvertor::TStorageFormatConvertor;
  int SourceVersion() const override;
};

// Files of the first and of the oldest format ("NERRA" root) to version 110.
class TDreviaConvertor_v1 : public TParameterConvertor {
public:
  using TParameterConvertor::TParameterConvertor;
  int TargetVersion() const override { return CurrentFileVersion; }
  bool CanConvert() override;

protected:
  // Renames the root to "Application" and stamps name and version.
  void ConvertRoot();
};

class TDreviaParameterConvertor_v1 : public TDreviaConvertor_v1 {
public:
  using TDreviaConvertor_v1::TDreviaConvertor_v1;
  void Convert() override;
};

class TDreviaUniversalParameterConvertor_v1 : public TDreviaConvertor_v1 {
public:
  using TDreviaConvertor_v1::TDreviaConvertor_v1;
  void Convert() override;
};

class TDreviaProjectConvertor_v1 : public TDreviaConvertor_v1 {
public:
  using TDreviaConvertor_v1::TDreviaConvertor_v1;
  bool CanConvert() override;
  void Convert() override;
};

// folder + the first parameter file name that exists, newest name first;
// raises EStorageFormatConvertorError when neither exists.
std::string FindParameterFile(const std::string& folder);
std::string CurrentParameterFile(const std::string& folder);
std::string UniversalParameterFile(const std::string& folder);

// The start-up sequence: check and, when older, convert and write back both
// parameter files (showing the conversion message first), then load them.
// A folder that must not be written to (see IsInstalledDataFolder) keeps its
// files: the converted ones go into UserDataFolder() together with an
// unconverted partner, a message says so, and they are loaded from there.
// Returns the empty text on success, otherwise the message that ends start-up.
std::string StartupLoadParameters(const std::string& programFolder, TNerraParameterList& parameters,
                                  TCulvertBasePipeList& pipes);

// Where the parameter files of a program in programFolder are read from.
// A folder given on the command line (--data-dir) is taken as it is.
// Otherwise the first folder that holds both files: beside the program (a
// build tree), the user's own copy (UserDataFolder(), made when an installed
// copy was converted), the installed copy in ../share/drevia relative to the
// program. When none does, the program folder, so that start-up names the
// missing file as it always did. The result ends with a slash.
std::string LocateParameterFolder(const std::string& programFolder, const std::string& givenFolder = std::string());

// The user's data folder for this program: $XDG_DATA_HOME/drevia/, or
// $HOME/.local/share/drevia/ when XDG_DATA_HOME is unset or not absolute.
// Empty when neither variable gives a folder.
std::string UserDataFolder();

// True for the installed copy (a folder share/drevia) and for any folder this
// process cannot write to: their files are never rewritten.
bool IsInstalledDataFolder(const std::string& folder);

// The help pages of a program in programFolder: the folder "help" beside it,
// else the installed ../share/drevia/help. The folder beside the program when
// neither exists.
std::string LocateHelpFolder(const std::string& programFolder);

// Reads a project file and brings it to the current version in memory (the
// file itself is not touched). False with the message to show when it cannot
// be read or fails the check; checkFailed (when given) tells the second
// case, which the desktop shows in a plain box rather than an error box.
bool OpenProjectDocument(const std::string& fileName, TXMLDocument& document, std::string& errorText,
                         bool* checkFailed = nullptr);
