#include "appmodel/UpdateCheck.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "foundation/ProgramVersion.h"
#include "foundation/Version.h"

namespace {
// The program's own version record. It must survive into the linked program
// although nothing reads it in place, since other installations find this
// program's version by scanning the file for it.
[[gnu::used]] const char VersionRecord[] =
    "DREVIA-FILE-VERSION:" DREVIA_FILE_VERSION "\nProductName=" DREVIA_PRODUCT_NAME
    "\nFileDescription=Highway drainage design: culverts, storm sewers, inlet spacing and ditches"
    "\nLegalCopyright=Copyright (C) QORV. All rights reserved.\n";

constexpr size_t PrefixLength = sizeof("DREVIA-FILE-VERSION:") - 1;
// A record longer than this is no record of ours.
constexpr size_t MaxRecordLength = 1024;

std::string Trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string Upper(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

bool IsLetter(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) != 0; }
bool IsDigit(char ch) { return std::isdigit(static_cast<unsigned char>(ch)) != 0; }

// --- CompareVersions -------------------------------------------------------

// The next field up to the first point, removed from text with the point;
// an exhausted text gives "0".
std::string NextField(std::string& text) {
  if (text.empty()) return "0";
  const size_t point = text.find('.');
  std::string field = Trim(std::string_view(text).substr(0, point));
  text.erase(0, point == std::string::npos ? text.size() : point + 1);
  return field;
}

std::string TakeRun(std::string& field, bool (*belongs)(char)) {
  size_t length = 0;
  while (length < field.size() && belongs(field[length])) ++length;
  std::string run = field.substr(0, length);
  field.erase(0, length);
  return run;
}

// a's number - b's number for two digit runs of any length (no digits is 0);
// the difference is clamped to the int range.
int CompareDigitRuns(std::string a, std::string b) {
  a.erase(0, a.find_first_not_of('0'));
  b.erase(0, b.find_first_not_of('0'));
  if (a == b) return 0;
  if (a.size() <= 9 && b.size() <= 9) return (a.empty() ? 0 : std::stoi(a)) - (b.empty() ? 0 : std::stoi(b));
  const bool aLarger = a.size() != b.size() ? a.size() > b.size() : a > b;
  return aLarger ? INT_MAX : -INT_MAX;
}

int CompareFields(std::string a, std::string b) {
  int result = 0;
  while (result == 0 && (!a.empty() || !b.empty())) {
    const std::string lettersA = TakeRun(a, IsLetter), lettersB = TakeRun(b, IsLetter);
    if (lettersA != lettersB) return lettersA < lettersB ? -1 : 1;
    const std::string digitsA = TakeRun(a, IsDigit), digitsB = TakeRun(b, IsDigit);
    result = CompareDigitRuns(digitsA, digitsB);
    // A character that is neither letter nor digit would stop both runs for
    // good; skip it so a stray sign cannot hang the start-up.
    if (lettersA.empty() && digitsA.empty() && !a.empty()) a.erase(0, 1);
    if (lettersB.empty() && digitsB.empty() && !b.empty()) b.erase(0, 1);
  }
  return result;
}

// --- the record file -------------------------------------------------------

// "\SOFTWARE\\QORV\" and "software\qorv" name the same key.
std::string NormalKeyPath(const std::string& keyPath) {
  std::string normal;
  size_t start = 0;
  while (start <= keyPath.size()) {
    size_t end = keyPath.find('\\', start);
    if (end == std::string::npos) end = keyPath.size();
    const std::string part = Trim(std::string_view(keyPath).substr(start, end - start));
    if (!part.empty()) normal += (normal.empty() ? "" : "\\") + Upper(part);
    start = end + 1;
  }
  return normal;
}

std::string Unquoted(std::string value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

// --- the embedded version record -------------------------------------------

bool IsFileVersion(const std::string& text) {
  int parts = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('.', start);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(start, end - start);
    if (part.empty() || part.size() > 5 || !std::all_of(part.begin(), part.end(), IsDigit) || std::stoi(part) > 65535)
      return false;
    ++parts;
    start = end + 1;
  }
  return parts == 4;
}

// The record at the start of text (prefix included).
TProgramFileVersion ParseRecord(std::string_view text) {
  text = text.substr(PrefixLength);
  const size_t end = text.find('\0');
  if (end == std::string_view::npos && text.size() >= MaxRecordLength - PrefixLength) return {};
  text = text.substr(0, end);
  TProgramFileVersion version;
  size_t start = 0;
  for (int line = 0; start <= text.size(); ++line) {
    size_t stop = text.find('\n', start);
    if (stop == std::string_view::npos) stop = text.size();
    const std::string_view content = text.substr(start, stop - start);
    start = stop + 1;
    if (line == 0) {
      if (!IsFileVersion(std::string(content))) return {};
      version.FileVersion = std::string(content);
      continue;
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = content.substr(0, equals), value = content.substr(equals + 1);
    if (name == "ProductName") version.ProductName = value;
    if (name == "FileDescription") version.FileDescription = value;
    if (name == "LegalCopyright") version.LegalCopyright = value;
  }
  version.Found = true;
  return version;
}
}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
  std::string restA = Upper(a), restB = Upper(b);
  int result = 0;
  while (result == 0 && (!restA.empty() || !restB.empty())) result = CompareFields(NextField(restA), NextField(restB));
  return result;
}

std::string ReadRegistryString(const std::filesystem::path& recordFile, const std::string& keyPath,
                               const std::string& valueName) {
  std::ifstream in(recordFile, std::ios::binary);
  if (!in) return std::string();
  const std::string wantedKey = NormalKeyPath(keyPath), wantedName = Upper(Trim(valueName));
  bool inKey = false;
  std::string line;
  for (bool first = true; std::getline(in, line); first = false) {
    // A record saved by an editor that marks UTF-8 starts with the mark.
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const std::string text = Trim(line);
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    if (text.front() == '[') {
      inKey = text.back() == ']' && NormalKeyPath(text.substr(1, text.size() - 2)) == wantedKey;
      continue;
    }
    const size_t equals = text.find('=');
    if (inKey && equals != std::string::npos && Upper(Trim(text.substr(0, equals))) == wantedName)
      return Unquoted(Trim(text.substr(equals + 1)));
  }
  return std::string();
}

std::string InstallKeyPath(const std::string& applicationKey) {
  return "\\SOFTWARE\\QORV\\" + applicationKey + "\\INSTALL";
}

TAutoUpdate ReadInstallRecord(const std::filesystem::path& recordFile, const std::string& applicationKey) {
  const std::string key = InstallKeyPath(applicationKey);
  TAutoUpdate record;
  record.ApplicationKey = applicationKey;
  record.ApplicationFilename = ReadRegistryString(recordFile, key, "ApplicationFilename");
  record.UpdateApplicationPath = ReadRegistryString(recordFile, key, "UpdateApplicationPath");
  record.SetupFilename = ReadRegistryString(recordFile, key, "SetupFilename");
  return record;
}

std::string UpdateApplicationFilename(const TAutoUpdate& record) {
  const size_t slash = record.ApplicationFilename.find_last_of("/\\");
  const std::string name =
      slash == std::string::npos ? record.ApplicationFilename : record.ApplicationFilename.substr(slash + 1);
  const std::string& folder = record.UpdateApplicationPath;
  if (name.empty() || folder.empty()) return std::string();
  const bool separated = folder.back() == '/' || folder.back() == '\\';
  return folder + (separated ? "" : "/") + name;
}

bool DecideUpdate(const TAutoUpdate& record, const TUpdateServices& services) {
  if (!services.VersionOfFile) return false;
  const auto versionOf = [&](const std::string& file) { return file.empty() ? file : services.VersionOfFile(file); };
  const std::string local = versionOf(record.ApplicationFilename);
  const std::string remote = versionOf(UpdateApplicationFilename(record));
  if (CompareVersions(local, remote) >= 0) return false;
  if (!services.Confirm || !services.Confirm(UpdateQuestion)) return false;
  if (record.SetupFilename.empty() || !services.StartProcess) return false;
  return services.StartProcess(record.SetupFilename);
}

bool RunUpdateCheck(const std::filesystem::path& recordFile, const std::string& applicationKey,
                    const TUpdateServices& services) {
  return DecideUpdate(ReadInstallRecord(recordFile, applicationKey), services);
}

TProgramFileVersion ReadProgramFileVersion(const std::filesystem::path& programFile) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(programFile, error)) return {};
  std::ifstream in(programFile, std::ios::binary);
  if (!in) return {};
  const std::string_view prefix(VersionRecord, PrefixLength);
  std::vector<char> chunk(1 << 20);
  std::string window;
  bool atEnd = false;
  while (!atEnd) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<size_t>(in.gcount());
    window.append(chunk.data(), got);
    atEnd = got < chunk.size();
    size_t keepFrom = window.size() >= PrefixLength ? window.size() - PrefixLength + 1 : 0;
    for (size_t hit = window.find(prefix); hit != std::string::npos; hit = window.find(prefix, hit + 1)) {
      // A record cut by the chunk's end is read again with the next chunk.
      if (!atEnd && window.size() - hit < MaxRecordLength) {
        keepFrom = hit;
        break;
      }
      TProgramFileVersion version = ParseRecord(std::string_view(window).substr(hit, MaxRecordLength));
      if (version.Found) return version;
    }
    window.erase(0, keepFrom);
  }
  return {};
}

std::string ProgramFileVersionText(const std::filesystem::path& programFile) {
  const TProgramFileVersion version = ReadProgramFileVersion(programFile);
  if (!version.Found) return std::string();
  return FileVersionText(ParseProgramVersion(version.ProductName, version.FileVersion));
}

const char* EmbeddedVersionRecord() { return VersionRecord; }
