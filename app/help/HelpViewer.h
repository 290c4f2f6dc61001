#pragma once
// The help window: the shipped HTML pages in a browser with Contents, Back
// and Forward.
#include <QWidget>
#include <string>

class QTextBrowser;
class QToolButton;

class TfrmHelpViewer : public QWidget {
  Q_OBJECT
public:
  // A window of its own that stays usable beside a modal owner.
  explicit TfrmHelpViewer(QWidget* owner);

  // Opens the contents (topic 0) or a topic of the help a help file name
  // stands for; false, with nothing changed, when there is no such help.
  bool ShowTopic(const std::string& helpFile, int context);

  QTextBrowser* tbPage;
  QToolButton* btnContents;
  QToolButton* btnBack;
  QToolButton* btnForward;

private:
  std::string FHelpFile;
};

// The help window on top of owner's window (one at a time), opened at a
// topic; nullptr when there is no help to show.
TfrmHelpViewer* OpenHelpViewer(QWidget* owner, const std::string& helpFile, int context);

// The help window now open, if any.
TfrmHelpViewer* CurrentHelpViewer();
