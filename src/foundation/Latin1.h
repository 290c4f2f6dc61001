#pragma once
// The system keeps text as 8-bit ISO-8859-1, the code page of its files.
// Front ends convert at their edge.

#include <string>

// Characters outside ISO-8859-1 become "?"; invalid UTF-8 bytes are taken as
// ISO-8859-1 characters.
std::string Utf8ToLatin1(const std::string& utf8);
std::string Latin1ToUtf8(const std::string& latin1);
