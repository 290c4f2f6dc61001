#pragma once
// The start-up update check and the version data of program files.
//
// Where the installation record lived in the registry it now lives in a
// read-only INI file (the desktop uses "drevia-install.ini" in the program
// folder):
//
//   ; the record of the program installed for the empty application key
//   [SOFTWARE\QORV\INSTALL]
//   ApplicationFilename=/opt/drevia/bin/drevia
//   UpdateApplicationPath=/srv/drevia-release/bin
//   SetupFilename=/srv/drevia-release/setup-drevia
//
// Section and value names compare without regard to case, as registry keys
// do; a leading, trailing or doubled backslash in a key path is ignored.
// Lines starting with ";" or "#" are comments; a value may stand in double
// quotes. The file is only ever read.
//
// A program file carries its version data as one embedded record that starts
// with "DREVIA-FILE-VERSION:" and the four version numbers, followed by lines
// "Name=Value" for the product name, description and copyright, ending at a
// zero byte. Reading another program file's version scans it for that record.
#include <filesystem>
#include <functional>
#include <string>

// The installation record's file in the program folder.
inline constexpr char InstallRecordFileName[] = "drevia-install.ini";

// Negative when a is older than b, 0 when equal, positive when newer.
// Fields between points compare letter run first, then digit run as a number;
// missing fields count as 0.
int CompareVersions(const std::string& a, const std::string& b);

// The value of valueName in the section keyPath; empty when the file, the
// section or the value is missing.
std::string ReadRegistryString(const std::filesystem::path& recordFile, const std::string& keyPath,
                               const std::string& valueName);

// "\SOFTWARE\QORV\<applicationKey>\INSTALL".
std::string InstallKeyPath(const std::string& applicationKey);

struct TAutoUpdate {
  std::string ApplicationKey;
  std::string ApplicationFilename;
  std::string SetupFilename;
  std::string UpdateApplicationPath;
};

// The three values of the installation record (empty texts when missing).
TAutoUpdate ReadInstallRecord(const std::filesystem::path& recordFile, const std::string& applicationKey);

// Where the newer program file is looked for: the update folder and the file
// name part of the installed program file; empty when either is missing.
std::string UpdateApplicationFilename(const TAutoUpdate& record);

// What the check needs from the platform; the desktop reads embedded
// versions, asks through a message box and starts a detached process.
struct TUpdateServices {
  std::function<std::string(const std::string& programFile)> VersionOfFile;
  std::function<bool(const std::string& question)> Confirm;
  std::function<bool(const std::string& program)> StartProcess;
};

inline constexpr char UpdateQuestion[] = "A new version of this application is available. Do you want to download it?";

// Compares the installed and the offered program file and, when the offered
// one is newer and the user agrees, starts the installer. True when the
// installer started (the program must stop then).
bool DecideUpdate(const TAutoUpdate& record, const TUpdateServices& services);

// The whole check against a record file.
bool RunUpdateCheck(const std::filesystem::path& recordFile, const std::string& applicationKey,
                    const TUpdateServices& services);

// The version data of a program file.
struct TProgramFileVersion {
  bool Found = false;
  std::string FileVersion;  // "1.1.0.0"
  std::string ProductName;
  std::string FileDescription;
  std::string LegalCopyright;
};

// Scans the file for its embedded record; Found is false for a missing file
// or a file without one.
TProgramFileVersion ReadProgramFileVersion(const std::filesystem::path& programFile);

// The version of a program file as the check compares it ("1.1.0.0."), empty
// when the file carries none.
std::string ProgramFileVersionText(const std::filesystem::path& programFile);

// The record this program carries (a zero-terminated text).
const char* EmbeddedVersionRecord();
