#pragma once
// The typed edit box of every form: keys are filtered by the kind of value,
// the text is read into the value after every change, and leaving the box
// shows the value again in the kind's format. The rules themselves live in
// TEditValue; this class wires them to the widget.
//
// Forms put values in with the Set...Value calls: QLineEdit::setText only
// changes what is shown, not the value behind it.

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QStringList>
#include <QVariant>

#include "appmodel/EditValue.h"
#include "foundation/DateTime.h"

// The caption colour of an inactive window, which the toolkit has no role
// for: the background of the boxes that only display.
inline QColor InactiveCaptionColor() { return QColor(191, 205, 219); }

// Contrast of two colours as the accessibility guidelines measure it (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);
// text, unless it is too faint on background; then black or white, whichever
// reads better.
QColor ReadableTextColor(const QColor& background, const QColor& text);

class TBaseEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TBaseEdit(QWidget* parent = nullptr);
  TBaseEdit(TEditDataType dataType, QWidget* parent);

  TEditDataType DataType() const { return FValue.DataType; }
  void SetDataType(TEditDataType dataType);
  int Precision() const { return FValue.Precision; }
  void SetPrecision(int precision);
  int Digits() const { return FValue.Digits; }
  void SetDigits(int digits);
  // Free text completes itself from KnownTexts.
  bool SmartDigit() const { return FSmartDigit; }
  void SetSmartDigit(bool smartDigit) { FSmartDigit = smartDigit; }
  const QStringList& KnownTexts() const { return FKnownTexts; }
  void SetKnownTexts(const QStringList& texts) { FKnownTexts = texts; }
  bool ValidateOnExit() const { return FValidateOnExit; }
  void SetValidateOnExit(bool validate) { FValidateOnExit = validate; }
  // No range while MinValue > MaxValue (the default).
  double MinValue() const { return FValue.MinValue; }
  void SetMinValue(double value) { FValue.MinValue = value; }
  double MaxValue() const { return FValue.MaxValue; }
  void SetMaxValue(double value) { FValue.MaxValue = value; }
  QString ExtendedChar() const;
  void SetExtendedChar(const QString& chars);
  QString FilteredChar() const;
  void SetFilteredChar(const QString& chars);
  QString Mask() const;
  void SetMask(const QString& mask);
  // The most characters that may be typed; 0 or less lifts the limit.
  int MaxLength() const { return maxLength(); }
  void SetMaxLength(int length);

  // The value by kind: a text, an integer, a number, for edtDate the whole
  // day number and for edtTime the fraction of the day.
  QVariant EditValue() const;
  void SetEditValue(const QVariant& value);
  double FloatValue() const { return FValue.Float(); }
  void SetFloatValue(double value);
  int IntegerValue() const { return FValue.Integer(); }
  void SetIntegerValue(int value);
  QString TextValue() const;
  void SetTextValue(const QString& text);
  TDateTime DateValue() const { return FValue.Date(); }
  void SetDateValue(TDateTime date);
  const TEditValue& Value() const { return FValue; }

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

  // Shows the value again in the kind's format.
  void DisplayValue();
  // What leaving the box does; false when the exit check failed (the error
  // box follows once control returns to the event loop).
  bool ExitField();

signals:
  void OnChangeValue();
  // After each typed key: the character that went in, or a null character
  // when the key was refused.
  void OnKeyPressed(QChar key);
  void OnExitField();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  class TChangeFilter;
  friend class TChangeFilter;

  int CaretPosition() const;
  bool FilterChange(QString& input) const;
  void TextEdited(const QString& text);
  void Complete(const QString& typed);
  void SetShownText(const QString& text);
  void ApplyLook();
  void ValueSet();

  TEditValue FValue;
  QString FShownText;
  bool FSettingText = false;
  bool FKeyFiltered = false;
  bool FSmartDigit = false;
  bool FValidateOnExit = false;
  QStringList FKnownTexts;
  QColor FEnabledColor;
  QColor FDisabledColor;
  QFont FEnabledFont;
  QFont FDisabledFont;
  QColor FEnabledFontColor;
  QColor FDisabledFontColor;
};
