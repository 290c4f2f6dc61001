#pragma once
// The core keeps its texts in ISO-8859-1; the widgets work in Unicode. Every
// text crossing between them goes through these two.

#include <QString>
#include <string>

inline QString FromCore(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A character outside ISO-8859-1 becomes one "?" (a surrogate pair too).
std::string ToCore(const QString& text);
