#include "app/framework/CodeListCombobox.h"

#include <QPalette>

#include "app/framework/BaseEdit.h"
#include "app/framework/CoreText.h"
#include "model/NerraBase.h"

namespace {
// Item data role holding the object's address.
constexpr int ObjectRole = Qt::UserRole + 1;
}  // namespace

TCodeListCombobox::TCodeListCombobox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  FNormalPalette = palette();
  FEnabledColor = palette().color(QPalette::Active, QPalette::Base);
  FEnabledFontColor = palette().color(QPalette::Active, QPalette::Text);
  FEnabledFont = font();
  FDisabledColor = InactiveCaptionColor();
  FDisabledFontColor = palette().color(QPalette::Active, QPalette::HighlightedText);
  FDisabledFont = font();
  FDisabledFont.setBold(true);
}

void TCodeListCombobox::AddItem(const QString& text, TBaseObject* object) {
  addItem(text);
  setItemData(count() - 1, QVariant::fromValue(reinterpret_cast<quintptr>(object)), ObjectRole);
}

void TCodeListCombobox::FillFromCodes(const TNerraBaseList& codes, bool withNone) {
  clear();
  FNoneEntry = withNone;
  if (withNone) AddItem(QString(), nullptr);
  for (int i = 0; i < codes.Count(); ++i)
    if (auto* code = codes.ItemAs<TNerraBaseCode>(i)) AddItem(FromCore(code->Description), code);
}

void TCodeListCombobox::SelectListIndex(int index) {
  const int offset = FNoneEntry ? 1 : 0;
  if (index < 0 || index + offset >= count())
    setCurrentIndex(FNoneEntry ? 0 : -1);
  else
    setCurrentIndex(index + offset);
}

TBaseObject* TCodeListCombobox::ObjectAt(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return reinterpret_cast<TBaseObject*>(itemData(index, ObjectRole).value<quintptr>());
}

TBaseObject* TCodeListCombobox::SelectedObject() const {
  const int index = currentIndex();
  return index < 0 || index >= count() ? FDefaultObject : ObjectAt(index);
}

void TCodeListCombobox::SelectCode(const std::string& code) {
  for (int i = 0; i < count(); ++i) {
    const auto* entry = dynamic_cast<const TNerraBaseCode*>(ObjectAt(i));
    if (entry && entry->Code == code) {
      setCurrentIndex(i);
      return;
    }
  }
  setCurrentIndex(count() > 0 ? 0 : -1);
}

std::string TCodeListCombobox::SelectedCode(const std::string& whenNone) const {
  const auto* entry = dynamic_cast<const TNerraBaseCode*>(SelectedObject());
  return entry ? entry->Code : whenNone;
}

void TCodeListCombobox::SetEnabledColor(const QColor& color) {
  FEnabledColor = color;
  ApplyLook();
}

void TCodeListCombobox::SetDisabledColor(const QColor& color) {
  FDisabledColor = color;
  ApplyLook();
}

void TCodeListCombobox::SetEnabledFont(const QFont& font) {
  FEnabledFont = font;
  ApplyLook();
}

void TCodeListCombobox::SetDisabledFont(const QFont& font) {
  FDisabledFont = font;
  ApplyLook();
}

void TCodeListCombobox::SetEnabledFontColor(const QColor& color) {
  FEnabledFontColor = color;
  ApplyLook();
}

void TCodeListCombobox::SetDisabledFontColor(const QColor& color) {
  FDisabledFontColor = color;
  ApplyLook();
}

void TCodeListCombobox::SetEditEnabled(bool enabled) {
  setEnabled(enabled);
  ApplyLook();
}

void TCodeListCombobox::ApplyLook() {
  const bool enabled = isEnabled();
  QPalette look = FNormalPalette;
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    look.setColor(group, QPalette::Base, enabled ? FEnabledColor : FDisabledColor);
    look.setColor(group, QPalette::Text, enabled ? FEnabledFontColor : FDisabledFontColor);
    // A closed drop-down list paints its face with the button roles.
    if (!enabled) {
      look.setColor(group, QPalette::Button, FDisabledColor);
      look.setColor(group, QPalette::ButtonText, FDisabledFontColor);
    }
  }
  setPalette(look);
  setFont(enabled ? FEnabledFont : FDisabledFont);
}
