#pragma once
// The drop-down list of the forms: each item is a display text with the
// object it stands for (a code-table entry or a catalogue size). The list only
// refers to the objects; their owner keeps them alive.

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QPalette>
#include <string>

class TBaseObject;
class TNerraBaseList;

class TCodeListCombobox : public QComboBox {
  Q_OBJECT
public:
  explicit TCodeListCombobox(QWidget* parent = nullptr);

  void AddItem(const QString& text, TBaseObject* object);
  // Replaces the items by the descriptions of the code entries of the list.
  // withNone puts an empty first item before them, so a choice can be
  // taken back to "none" (its object and code are none).
  void FillFromCodes(const TNerraBaseList& codes, bool withNone = false);
  bool HasNoneEntry() const { return FNoneEntry; }
  // Selects the entry at the position of the code list (the empty item, or
  // nothing without one, for -1).
  void SelectListIndex(int index);
  TBaseObject* ObjectAt(int index) const;
  // The selected item's object; the default object when nothing is selected
  // or the index is out of range.
  TBaseObject* SelectedObject() const;
  TBaseObject* DefaultObject() const { return FDefaultObject; }
  void SetDefaultObject(TBaseObject* object) { FDefaultObject = object; }
  // Selects the entry with the code, or the first entry when none has it.
  void SelectCode(const std::string& code);
  // The selected entry's code; whenNone when no code entry is selected.
  std::string SelectedCode(const std::string& whenNone) const;

  QColor EnabledColor() const { return FEnabledColor; }
  void SetEnabledColor(const QColor& color);
  QColor DisabledColor() const { return FDisabledColor; }
  void SetDisabledColor(const QColor& color);
  QFont EnabledFont() const { return FEnabledFont; }
  void SetEnabledFont(const QFont& font);
  QFont DisabledFont() const { return FDisabledFont; }
  void SetDisabledFont(const QFont& font);
  QColor EnabledFontColor() const { return FEnabledFontColor; }
  void SetEnabledFontColor(const QColor& color);
  QColor DisabledFontColor() const { return FDisabledFontColor; }
  void SetDisabledFontColor(const QColor& color);
  bool EditEnabled() const { return isEnabled(); }
  void SetEditEnabled(bool enabled);

private:
  bool FNoneEntry = false;
  void ApplyLook();

  TBaseObject* FDefaultObject = nullptr;
  QPalette FNormalPalette;
  QColor FEnabledColor;
  QColor FDisabledColor;
  QFont FEnabledFont;
  QFont FDisabledFont;
  QColor FEnabledFontColor;
  QColor FDisabledFontColor;
};
