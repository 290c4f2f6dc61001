#pragma once
// What the main window opens for each project kind: the element dialog, the
// result dialog and the report (the desktop's entries beside the kind table).

#include <memory>
#include <string>

#include "appmodel/ProjectKinds.h"

class QWidget;
class TMainDocument;
class TNerraParameterList;
class TCulvertBasePipeList;
class TReport;

struct TKindContext {
  TMainDocument& Document;
  const TNerraParameterList& Parameters;
  const TCulvertBasePipeList& Catalogue;
  QWidget* Parent;
};

// True when the user confirmed the dialog and the list changed.
bool AddElementOfKind(const TKindContext& context);
bool ModifyElementOfKind(const TKindContext& context, int position);
// After TMainDocument::PrepareResult agreed.
void ShowResultOfKind(const TKindContext& context, int position);
// None for a kind without a report.
std::unique_ptr<TReport> CreateReportOfKind(const TKindContext& context);
