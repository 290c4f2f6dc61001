#include "app/framework/BaseEdit.h"

#include <algorithm>
#include <cmath>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <vector>

#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"

namespace {
const int NoLengthLimit = 32767;

// The first character of a text as a core character; 0 when the text holds
// more or a character the core cannot store.
char CoreChar(const QString& text) {
  if (text.size() != 1 || text.at(0).unicode() > 0xFF) return 0;
  return static_cast<char>(text.at(0).unicode());
}
}  // namespace

// Every change of the text passes here, whatever made it: typing, pasting,
// dropping, input methods. The part that was inserted must pass the key
// filter, or the whole change is dropped.
class TBaseEdit::TChangeFilter : public QValidator {
public:
  explicit TChangeFilter(TBaseEdit* edit) : QValidator(edit), FEdit(edit) {}
  State validate(QString& input, int&) const override { return FEdit->FilterChange(input) ? Acceptable : Invalid; }

private:
  TBaseEdit* FEdit;
};

TBaseEdit::TBaseEdit(QWidget* parent) : TBaseEdit(edtFree, parent) {}

TBaseEdit::TBaseEdit(TEditDataType dataType, QWidget* parent) : QLineEdit(parent) {
  FValue.DataType = dataType;
  FEnabledColor = palette().color(QPalette::Active, QPalette::Base);
  FEnabledFontColor = palette().color(QPalette::Active, QPalette::Text);
  FEnabledFont = font();
  FDisabledColor = Qt::black;
  FDisabledFontColor = Qt::white;
  FDisabledFont = font();
  FDisabledFont.setBold(true);
  setValidator(new TChangeFilter(this));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { FShownText = text; });
  connect(this, &QLineEdit::textEdited, this, &TBaseEdit::TextEdited);
  // The text stays empty until a value, a kind or a format is set.
}

void TBaseEdit::SetDataType(TEditDataType dataType) {
  FValue.DataType = dataType;
  DisplayValue();
}

void TBaseEdit::SetPrecision(int precision) {
  FValue.Precision = precision;
  DisplayValue();
}

void TBaseEdit::SetDigits(int digits) {
  FValue.Digits = digits;
  DisplayValue();
}

QString TBaseEdit::ExtendedChar() const { return FromCore(FValue.ExtendedChar); }
void TBaseEdit::SetExtendedChar(const QString& chars) { FValue.ExtendedChar = ToCore(chars); }
QString TBaseEdit::FilteredChar() const { return FromCore(FValue.FilteredChar); }
void TBaseEdit::SetFilteredChar(const QString& chars) { FValue.FilteredChar = ToCore(chars); }
QString TBaseEdit::Mask() const { return FromCore(FValue.Mask); }

void TBaseEdit::SetMask(const QString& mask) {
  FValue.Mask = ToCore(mask);
  DisplayValue();
}

void TBaseEdit::SetMaxLength(int length) { setMaxLength(length > 0 ? length : NoLengthLimit); }

QVariant TBaseEdit::EditValue() const {
  switch (SlotOfType(FValue.DataType)) {
    case TEditSlot::Text: return TextValue();
    case TEditSlot::Integer: return FValue.Integer();
    case TEditSlot::Float: break;
  }
  return IsDateTimeType(FValue.DataType) ? FValue.Date() : FValue.Float();
}

void TBaseEdit::SetEditValue(const QVariant& value) {
  if (SlotOfType(FValue.DataType) == TEditSlot::Text) {
    FValue.SetText(ToCore(value.toString()));
  } else {
    bool converted = false;
    const double number = value.toDouble(&converted);
    if (converted)
      FValue.SetFloat(number);
    else
      FValue.Clear();
  }
  ValueSet();
}

void TBaseEdit::SetFloatValue(double value) {
  FValue.SetFloat(value);
  ValueSet();
}

void TBaseEdit::SetIntegerValue(int value) {
  FValue.SetInteger(value);
  ValueSet();
}

QString TBaseEdit::TextValue() const {
  return SlotOfType(FValue.DataType) == TEditSlot::Text ? FromCore(FValue.Text()) : FromCore(FValue.DisplayText());
}

void TBaseEdit::SetTextValue(const QString& text) {
  FValue.SetText(ToCore(text));
  ValueSet();
}

void TBaseEdit::SetDateValue(TDateTime date) {
  FValue.SetFloat(date);
  ValueSet();
}

void TBaseEdit::ValueSet() {
  DisplayValue();
  emit OnChangeValue();
}

void TBaseEdit::DisplayValue() { SetShownText(FromCore(FValue.DisplayText())); }

void TBaseEdit::SetShownText(const QString& text) {
  // A text the program puts in is not typed: it is neither filtered nor read
  // back, so a shown rounding never replaces the value behind it.
  FSettingText = true;
  setText(text);
  FSettingText = false;
}

int TBaseEdit::CaretPosition() const { return hasSelectedText() ? selectionStart() + 1 : cursorPosition() + 1; }

bool TBaseEdit::FilterChange(QString& input) const {
  if (FSettingText || FKeyFiltered) return true;
  const QString& before = FShownText;
  qsizetype prefix = 0;
  const qsizetype shorter = std::min(before.size(), input.size());
  while (prefix < shorter && before.at(prefix) == input.at(prefix)) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix && before.at(before.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
    ++suffix;
  const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
  if (inserted.isEmpty()) return true;
  for (const QChar ch : inserted)
    if (ch.unicode() > 0xFF) return false;
  std::string core = ToCore(inserted);
  if (!FValue.FilterText(core, static_cast<int>(prefix) + 1)) return false;
  input.replace(prefix, inserted.size(), FromCore(core));
  return true;
}

void TBaseEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (shortcut || typed.size() != 1 || !typed.at(0).isPrint()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char key = CoreChar(typed);
  const char accepted = key ? FValue.FilterKey(key, CaretPosition()) : 0;
  if (!accepted) {
    event->accept();
    emit OnKeyPressed(QChar());
    return;
  }
  FKeyFiltered = true;
  if (accepted == key)
    QLineEdit::keyPressEvent(event);
  else
    insert(QString(QChar(static_cast<uchar>(accepted))));
  FKeyFiltered = false;
  emit OnKeyPressed(QChar(static_cast<uchar>(accepted)));
}

void TBaseEdit::TextEdited(const QString& text) {
  FValue.ReadText(ToCore(text));
  if (FSmartDigit && FValue.DataType == edtFree && cursorPosition() == text.size()) Complete(text);
  emit OnChangeValue();
}

void TBaseEdit::Complete(const QString& typed) {
  std::vector<std::string> known;
  for (const QString& text : FKnownTexts) known.push_back(ToCore(text));
  const std::string completed = CompleteFromKnown(ToCore(typed), known);
  if (completed.empty()) return;
  FValue.ReadText(completed);
  SetShownText(FromCore(completed));
  setSelection(static_cast<int>(typed.size()), static_cast<int>(completed.size() - typed.size()));
}

void TBaseEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window coming to the front, or a menu, does not leave the field.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  ExitField();
}

bool TBaseEdit::ExitField() {
  if (FValidateOnExit && !FValue.InRange(ToCore(text()))) {
    // The box waits for the focus change to finish, then the field takes the
    // focus back.
    QTimer::singleShot(0, this, [this] {
      ShowError(window(), "Data entered is incorrect.");
      setFocus(Qt::OtherFocusReason);
    });
    return false;
  }
  DisplayValue();
  emit OnExitField();
  return true;
}

void TBaseEdit::SetEnabledColor(const QColor& color) {
  FEnabledColor = color;
  ApplyLook();
}

void TBaseEdit::SetDisabledColor(const QColor& color) {
  FDisabledColor = color;
  ApplyLook();
}

void TBaseEdit::SetEnabledFont(const QFont& font) {
  FEnabledFont = font;
  ApplyLook();
}

void TBaseEdit::SetDisabledFont(const QFont& font) {
  FDisabledFont = font;
  ApplyLook();
}

void TBaseEdit::SetEnabledFontColor(const QColor& color) {
  FEnabledFontColor = color;
  ApplyLook();
}

void TBaseEdit::SetDisabledFontColor(const QColor& color) {
  FDisabledFontColor = color;
  ApplyLook();
}

void TBaseEdit::SetEditEnabled(bool enabled) {
  setEnabled(enabled);
  ApplyLook();
}

namespace {
double RelativeLuminance(const QColor& color) {
  auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}
}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableTextColor(const QColor& background, const QColor& text) {
  constexpr double Sufficient = 4.5;  // the usual threshold for body text
  if (ContrastRatio(background, text) >= Sufficient) return text;
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  return ContrastRatio(background, black) >= ContrastRatio(background, white) ? black : white;
}

void TBaseEdit::ApplyLook() {
  const bool enabled = isEnabled();
  QPalette look = palette();
  const QColor background = enabled ? FEnabledColor : FDisabledColor;
  // The display-only boxes keep their colours only while they stay
  // readable: white on the light inactive-caption blue does not.
  const QColor text = ReadableTextColor(background, enabled ? FEnabledFontColor : FDisabledFontColor);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    look.setColor(group, QPalette::Base, background);
    look.setColor(group, QPalette::Text, text);
  }
  setPalette(look);
  setFont(enabled ? FEnabledFont : FDisabledFont);
}
