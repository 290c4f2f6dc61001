#include "appmodel/HelpTopics.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>

#include "model/FileConversion.h"

namespace {
std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// A plain file name inside the help folder: no folders, no hidden files.
bool IsPageName(std::string_view name) {
  if (name.empty() || name.front() == '.') return false;
  for (char ch : name) {
    const bool plain = std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '_' || ch == '.';
    if (!plain) return false;
  }
  return true;
}

bool ParseTopic(std::string_view text, int& topic) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), topic);
  return error == std::errc() && end == text.data() + text.size() && topic >= 0;
}

bool IsFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}
}  // namespace

bool THelpTopicMap::Load(const std::filesystem::path& mapFile) {
  FPages.clear();
  std::ifstream in(mapFile);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text = Trim(line);
    const size_t equals = text.find('=');
    if (text.empty() || text.front() == '#' || equals == std::string_view::npos) continue;
    int topic = 0;
    const std::string_view page = Trim(text.substr(equals + 1));
    if (ParseTopic(Trim(text.substr(0, equals)), topic) && IsPageName(page)) FPages.emplace(topic, page);
  }
  return true;
}

std::string THelpTopicMap::PageOfTopic(int context) const {
  const auto found = FPages.find(context);
  return found == FPages.end() ? std::string() : found->second;
}

std::filesystem::path HelpFolderOfHelpFile(const std::string& helpFile) {
  if (helpFile.empty()) return {};
  return LocateHelpFolder(std::filesystem::path(helpFile).parent_path().string());
}

std::filesystem::path HelpPageFile(const std::string& helpFile, int context) {
  const std::filesystem::path folder = HelpFolderOfHelpFile(helpFile);
  THelpTopicMap map;
  if (folder.empty() || !map.Load(folder / HelpTopicMapName)) return {};
  std::string page = map.PageOfTopic(context);
  if (page.empty()) page = map.PageOfTopic(HelpContentsTopic);
  if (page.empty() || !IsFile(folder / page)) return {};
  return folder / page;
}
