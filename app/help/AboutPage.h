#pragma once
// The about box: the version data a program file carries.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

// The window "About". Each label reads "N/A" until filled.
class TfrmAboutPage : public QDialog {
  Q_OBJECT
public:
  explicit TfrmAboutPage(QWidget* owner);

  QLabel* imgLogo;
  QLabel* lblProductName;
  QLabel* lblVersion;
  QLabel* lblCopyright;
  QLabel* lblComments;
  QPushButton* btnOK;
};

class TAboutDialog {
public:
  explicit TAboutDialog(QWidget* owner) : FOwner(owner) {}

  // The file whose version data is shown.
  std::string Filename;

  // Shows the about box for fileName (or Filename when none is given) and
  // waits until it closes; false, with nothing shown, when the file carries
  // no version data.
  bool Execute(const std::string& fileName = std::string());

private:
  QWidget* FOwner;
};
