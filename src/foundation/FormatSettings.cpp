#include "foundation/FormatSettings.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

namespace {
std::mutex settingsMutex;

TFormatSettings& Settings() {
  static TFormatSettings settings = FormatSettingsFromEnvironment();
  return settings;
}

std::string LocaleName(const char* category) {
  for (const char* name : {"LC_ALL", category, "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return std::string();
}

bool StartsWithAny(std::string_view name, std::initializer_list<std::string_view> prefixes) {
  for (auto prefix : prefixes)
    if (name.substr(0, prefix.size()) == prefix) return true;
  return false;
}
}  // namespace

TFormatSettings FormatSettings() {
  std::lock_guard<std::mutex> lock(settingsMutex);
  return Settings();
}

void SetFormatSettings(const TFormatSettings& settings) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  Settings() = settings;
}

TFormatSettings FormatSettingsFromEnvironment() {
  TFormatSettings settings;
  // Languages that write a decimal comma; the rest keep the point.
  const std::string numeric = LocaleName("LC_NUMERIC");
  if (StartsWithAny(numeric, {"de", "fr", "it", "es", "nl", "pt", "ru", "pl", "cs", "sv", "da", "fi", "nb", "tr"}))
    settings.DecimalSeparator = ',';
  const std::string time = LocaleName("LC_TIME");
  if (StartsWithAny(time, {"de", "ru", "pl", "cs", "fi", "nb", "tr"})) {
    settings.DateSeparator = '.';
    settings.DateOrder = "DMY";
  } else if (StartsWithAny(time, {"fr", "it", "es", "pt", "en_GB", "en_AU", "en_NZ", "en_IE"})) {
    settings.DateOrder = "DMY";
  } else if (StartsWithAny(time, {"nl"})) {
    settings.DateSeparator = '-';
    settings.DateOrder = "DMY";
  } else if (StartsWithAny(time, {"sv", "ja", "zh", "ko", "lt", "hu"})) {
    settings.DateSeparator = '-';
    settings.DateOrder = "YMD";
  }
  return settings;
}
