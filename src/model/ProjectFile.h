#pragma once
// The framing every project file shares: root "Application", the kind
// element, the "Identification" block. Which kind element names exist is
// the kind table's business (appmodel/ProjectKinds.h).

#include <initializer_list>
#include <string>

#include "model/NerraBase.h"

class TXMLDocument;
class TXMLElement;

// Builds the root and the kind element of a new project file and returns the
// kind element. The identification is written by WriteIdentification.
TXMLElement* BeginProjectFile(TXMLDocument& document, const TNerraBaseProject& project,
                              const std::string& kindElementName);
// Writes the "Identification" block; inlet spacing files use "JobNumber" and
// "Author" in place of "PID" and "Designer".
void WriteIdentification(TXMLElement* kindElement, const TProjectIdentification& identification,
                         bool inletSpacingNames = false);
void ReadIdentification(const TXMLElement* identification, TProjectIdentification& target,
                        bool inletSpacingNames = false);
// Serialises the document as the one-line file text.
std::string ProjectFileText(TXMLDocument& document);

// First steps of every kind's Load: clears LastError, parses the text and
// checks that the root's first child carries one of the kind element names.
// Returns that element (and applies its "unit" attribute), or none with
// LastError set to the kind's message.
TXMLElement* OpenProjectText(TXMLDocument& document, const std::string& text, TNerraBaseProject& project,
                             std::initializer_list<const char*> kindElementNames,
                             const std::string& incompatibleMessage);

// The message for the first element under kindElement whose "id" is a whole
// number beyond 32 bits (it could not be kept); empty when there is none.
// OpenProjectText refuses such a file with it.
std::string ElementIdProblem(const TXMLElement* kindElement);

// The message for a document whose text ends before its root is closed
// (TXMLDocument::Truncated): a file cut short, which is never loaded.
std::string IncompleteFileMessage(const TXMLDocument& document);
// The name of the root's first child, empty when there is none.
std::string KindElementNameOf(const TXMLDocument& document);
