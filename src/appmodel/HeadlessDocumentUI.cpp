#include "appmodel/HeadlessDocumentUI.h"

bool THeadlessDocumentUI::Confirm(const std::string& text) {
  Questions.push_back(text);
  return false;
}

void THeadlessDocumentUI::ShowError(const std::string& text) { Messages.push_back(text); }

void THeadlessDocumentUI::ShowPlainMessage(const std::string& text) { Messages.push_back(text); }

void THeadlessDocumentUI::WriteMessages(std::ostream& out) {
  for (; FWritten < Messages.size(); ++FWritten) out << Messages[FWritten] << '\n';
}
