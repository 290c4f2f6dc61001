#pragma once
// Where the help pages of a topic number are.
//
// The help is a folder of HTML pages, "help" beside the program, with the map
// "topics.map": one line "number=page" per topic, "#" starting a comment.
// Topic 0 is the contents. The windows still name their help file as the
// program path + ".chm"; the folder beside that name is the help, or, for
// an installed program, ../share/drevia/help (LocateHelpFolder).
#include <filesystem>
#include <map>
#include <string>

inline constexpr char HelpFolderName[] = "help";
inline constexpr char HelpTopicMapName[] = "topics.map";
inline constexpr int HelpContentsTopic = 0;

class THelpTopicMap {
public:
  // False when the map cannot be read. Lines that are not "number=page", and
  // pages that would lead out of the help folder, are left out.
  bool Load(const std::filesystem::path& mapFile);

  // The page of a topic; empty when the map has none.
  std::string PageOfTopic(int context) const;
  const std::map<int, std::string>& Pages() const { return FPages; }

private:
  std::map<int, std::string> FPages;
};

// The help folder a help file name stands for; empty for an empty name.
std::filesystem::path HelpFolderOfHelpFile(const std::string& helpFile);

// The page file to show for a topic: its own page, the contents for a topic
// the map does not know; empty when there is no help (no name, no map, or
// the page is missing).
std::filesystem::path HelpPageFile(const std::string& helpFile, int context);
