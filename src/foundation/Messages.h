#pragma once
// The numbered user messages and the message-box seam a front end plugs in.

#include <cstdint>
#include <functional>
#include <string>

std::string MessageText(int32_t code);

enum class TMessageKind { Error, Information, Plain, Confirmation, Warning };

// A front end installs a handler that shows the text modally. For a
// confirmation it returns true for Yes; for the other kinds the result is
// ignored. Without a handler nothing is shown and the answer is false.
using TMessageBoxHandler = std::function<bool(TMessageKind kind, const std::string& text)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
bool ShowMessageBox(TMessageKind kind, const std::string& text);

// Shows the catalogue text of a negative code in an error box; codes of zero
// or above show nothing.
void ShowMessageCode(int32_t code);
