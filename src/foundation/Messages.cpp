#include "foundation/Messages.h"

#include <mutex>

std::string MessageText(int32_t code) {
  switch (code) {
    case 0: return std::string();
    case 1: return "No records returned";
    case 1000: return "Successfully Connected";
    case 1001: return "Nothing to save";
    case 1002: return "Item successfully removed";
    case 1003: return "Item successfully imported";
    case 1004: return "Item successfully exported";
    case 1005: return "Status successfully changed";
    case 1006: return "Transaction successfully saved";
    case 1007: return "Part successfully saved";
    case -1: return "Internal Error";
    case -2: return "Cannot Connect";
    case -3: return "Cannot execute the query";
    case -4: return "Cannot save file.";
    case -1004: return "No rows affected. Probably concurrency error.";
    case -1005: return "Cannot fetch saved item";
    case -1006: return "Error during import";
    case -1007: return "Error during export";
    case -1008: return "No network connection";
    case -1009: return "No enough privilege";
    case -1100: return "Item already present in the order";
    case -1101: return "Invalid Ordered Quantity";
    case -1102: return "No part has been added to the order";
    case -1103: return "File not compatible with the current version of Nerra";
    default: return "Internal Error";
  }
}

namespace {
std::mutex handlerMutex;
TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}
}  // namespace

void SetMessageBoxHandler(TMessageBoxHandler handler) {
  std::lock_guard<std::mutex> lock(handlerMutex);
  Handler() = std::move(handler);
}

bool ShowMessageBox(TMessageKind kind, const std::string& text) {
  TMessageBoxHandler handler;
  {
    std::lock_guard<std::mutex> lock(handlerMutex);
    handler = Handler();
  }
  return handler ? handler(kind, text) : false;
}

void ShowMessageCode(int32_t code) {
  if (code < 0) ShowMessageBox(TMessageKind::Error, MessageText(code));
}
