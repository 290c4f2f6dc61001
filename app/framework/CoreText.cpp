#include "app/framework/CoreText.h"

std::string ToCore(const QString& text) {
  std::string result;
  result.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text.at(i);
    if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    result += ch.unicode() <= 0xFF ? static_cast<char>(ch.unicode()) : '?';
  }
  return result;
}
