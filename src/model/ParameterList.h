#pragma once
// The program-wide code table read from the global parameter file: code
// lists of the dialogs, culvert inlet coefficient sets and the rainfall
// intensity coefficients.

#include <memory>
#include <string>

#include "model/NerraBase.h"

class TXMLDocument;
class TXMLElement;

// Said when a parameter file is missing, or cannot be read or parsed at all.
inline constexpr const char* ParameterFilesCorruptedMessage =
    "Parameter Files not present or corrupted. Check Installation.";

// Shared by the code table and the pipe catalogue loaders. The file's text,
// or the corrupted-installation message when it cannot be read.
std::string ReadParameterFileText(const std::string& fileName, std::string& text);
// Parses a parameter file and returns its block, the root's first child,
// when the root is the system's and the block has the name and at least the
// version; otherwise none, with the failing check's message.
const TXMLElement* ParameterFileBlock(TXMLDocument& document, const std::string& text, const char* blockName,
                                      int minVersion, const char* versionMessage, std::string& message);

// True when text is blank or a finite number as XmlToFloat reads it: a
// parameter that is "NaN", "inf", out of range or no number at all would be
// taken as 0 without a word.
bool IsParameterNumberText(const std::string& text);

// The "type" attribute value of a category ("RainfallArea", ...).
std::string CategoryTypeName(TParameterCategory category);
// The category a "type" value names; false for a name that is none of them.
bool CategoryOfTypeName(const std::string& typeName, TParameterCategory& category);
constexpr int ParameterCategoryCount = 23;

// Reads "Description", "Code", "Value" and "Sequence" of a "Parameter".
void LoadBaseCodeFields(TNerraBaseCode& entry, const TXMLElement& element);

class TNerraStructureTypeCode : public TNerraBaseCode {
public:
  TNerraStructureTypeCode() = default;
  TNerraStructureTypeCode(TParameterCategory category, const TXMLElement& element);
  void LoadFromElement(const TXMLElement& element);

  std::string Structure;
};

// A full inlet coefficient set: unsubmerged (K, M, SL), submerged (KD, KP)
// with the flow bounds QMAX and QMIN, and the entrance loss KE.
class TNerraInletTypeCode : public TNerraBaseCode {
public:
  TNerraInletTypeCode() = default;
  TNerraInletTypeCode(TParameterCategory category, const TXMLElement& element);
  void LoadFromElement(const TXMLElement& element);

  double KD = 0;
  double KE = 0;
  double QMAX = 0;
  double KP = 0;
  double K = 0;
  double SL = 0;
  double M = 0;
  double QMIN = 0;
};

class TNerraUnsubmergedInletCode : public TNerraBaseCode {
public:
  TNerraUnsubmergedInletCode() = default;
  TNerraUnsubmergedInletCode(TParameterCategory category, const TXMLElement& element);
  void LoadFromElement(const TXMLElement& element);

  double KE = 0;
  double QMAX = 0;
  double K = 0;
  double M = 0;
  double SL = 0;
};

class TNerraSubmergedInletCode : public TNerraBaseCode {
public:
  TNerraSubmergedInletCode() = default;
  TNerraSubmergedInletCode(TParameterCategory category, const TXMLElement& element);
  void LoadFromElement(const TXMLElement& element);

  double KD = 0;
  double KP = 0;
  double QMIN = 0;
  double SL = 0;
};

// Intensity coefficients of one rainfall area and storm frequency:
// i = A1 / (t + A2)^A3 in in/hr, t in minutes.
class TNerraRainfallParameter : public TNerraBaseCode {
public:
  TNerraRainfallParameter() = default;
  TNerraRainfallParameter(TParameterCategory category, const TXMLElement& element);
  void LoadFromElement(const TXMLElement& element);

  double Coeff_A1 = 0;
  double Coeff_A3 = 0;
  double Coeff_A2 = 0;
  std::string Frequency;
  std::string Area;
};

// What a calculation says for an element it computed without rainfall,
// because the table holds no curve for the project's area and frequency.
inline constexpr const char* NoRainfallIntensityMessage =
    "No rainfall intensity for this Rainfall Area and Storm Frequency.";

struct TRainfallCoefficients {
  int Position = -1;  // among the rainfall coefficient entries; -1 when none
  double A1 = 0;
  double A2 = 0;
  double A3 = 0;
};

class TNerraParameterList : public TNerraBaseList {
public:
  TNerraParameterList() : TNerraBaseList(true) {}

  // Both return the load message, empty on success.
  std::string LoadParameterFile(const std::string& fileName);
  void LoadParameters(const std::string& text);

  // A new list of the category's entries in table order, keyed by their
  // descriptions; it references the entries and does not own them.
  std::unique_ptr<TNerraBaseList> CodesOfCategory(TParameterCategory category) const;
  int CountOfCategory(TParameterCategory category) const;

  TNerraBaseCode* Code(int index) const { return ItemAs<TNerraBaseCode>(index); }
  // The first entry of the category carrying the code (exact); none when absent.
  const TNerraBaseCode* FindCode(TParameterCategory category, const std::string& code) const;
  // Inlet coefficient sets of the box, circular, elliptical and arch
  // categories (17 to 20, 22); none for other categories or unknown codes.
  const TNerraInletTypeCode* FindInletType(TParameterCategory category, const std::string& code) const;
  const TNerraUnsubmergedInletCode* FindUnsubmergedInlet(const std::string& code) const;
  const TNerraSubmergedInletCode* FindSubmergedInlet(const std::string& code) const;

  TRainfallCoefficients FindRainfallCoefficients(const std::string& area, const std::string& frequency) const;
  // Inches per hour for a duration in minutes; 0 when no coefficients match.
  double RainfallIntensity(const std::string& frequency, const std::string& area, double time) const;

private:
  void LoadParameterElement(const TXMLElement& element);
};
