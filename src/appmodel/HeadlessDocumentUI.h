#pragma once
// TMainDocument without a window, for the programs that run a project from
// the command line (drevia-cli, drevia-report): questions are answered No,
// so nothing is discarded or overwritten without a person to ask; there are
// no file dialogs and no controls; the messages the window would show in a
// box are kept, in order, for the program to write where and when it
// chooses (drevia-cli: to standard error, after the results).

#include <ostream>
#include <string>
#include <vector>

#include "appmodel/MainDocument.h"

class THeadlessDocumentUI : public TMainDocumentUI {
public:
  bool Confirm(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowPlainMessage(const std::string& text) override;
  std::string AskOpenFileName() override { return std::string(); }
  std::string AskSaveFileName() override { return std::string(); }
  void CollectControls() override {}
  // A large project is not written to text once more just to tell whether
  // it changed: closing always asks (and is answered No).
  bool TracksChanges() const override { return false; }

  // Every question asked and every message shown, oldest first.
  std::vector<std::string> Questions;
  std::vector<std::string> Messages;

  // Writes the messages not yet written, one a line.
  void WriteMessages(std::ostream& out);

private:
  size_t FWritten = 0;
};
