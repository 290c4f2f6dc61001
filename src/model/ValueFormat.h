#pragma once
// How values are written into project files, and small helpers the kinds'
// writers share.

#include <cstdint>
#include <string>

#include "foundation/DateTime.h"

class TXMLElement;

// General form with up to 15 significant digits and the user's decimal
// separator; exponent notation below 0.0001 and from 10^15 on. A value that
// is not finite is written as 0, so no file ever holds NaN or infinity.
std::string FloatToXml(double value);
std::string IntToXml(int64_t value);
// MM/DD/YYYY with the user's date separator.
std::string DateToXml(TDateTime date);

// Leaf writers: each appends a leaf element holding the value.
TXMLElement* AddTextLeaf(TXMLElement* parent, const std::string& name, const std::string& value);
TXMLElement* AddFloatLeaf(TXMLElement* parent, const std::string& name, double value);
TXMLElement* AddIntLeaf(TXMLElement* parent, const std::string& name, int64_t value);
TXMLElement* AddDateLeaf(TXMLElement* parent, const std::string& name, TDateTime value);
