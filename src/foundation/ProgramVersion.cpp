#include "foundation/ProgramVersion.h"

#include <cstdlib>

#include "foundation/Version.h"

TProgramVersion ParseProgramVersion(const std::string& productName, const std::string& fileVersion) {
  TProgramVersion version;
  version.ProductName = productName;
  int* parts[] = {&version.Major, &version.Minor, &version.Release, &version.Build};
  size_t start = 0;
  for (int* part : parts) {
    if (start > fileVersion.size()) break;
    size_t end = fileVersion.find('.', start);
    if (end == std::string::npos) end = fileVersion.size();
    const std::string piece = fileVersion.substr(start, end - start);
    char* stop = nullptr;
    const long value = std::strtol(piece.c_str(), &stop, 10);
    *part = (!piece.empty() && stop && *stop == '\0' && value >= 0 && value <= 65535) ? static_cast<int>(value) : 0;
    start = end + 1;
  }
  return version;
}

const TProgramVersion& RunningProgramVersion() {
  static const TProgramVersion version = ParseProgramVersion(DREVIA_PRODUCT_NAME, DREVIA_FILE_VERSION);
  return version;
}

std::string FileVersionText(const TProgramVersion& version) {
  if (version.Major == 0 && version.Minor == 0 && version.Release == 0 && version.Build == 0) return std::string();
  std::string text;
  for (int part : {version.Major, version.Minor, version.Release, version.Build}) text += std::to_string(part) + ".";
  return text;
}

std::string ReportTitle(const TProgramVersion& version) { return version.ProductName + " " + FileVersionText(version); }
