#include "app/culvertdesign/CulvertDesignDialogs.h"

#include <algorithm>

#include "app/culvertdesign/CulvertDesignEntryDialog.h"
#include "app/culvertdesign/CulvertDesignResultDialog.h"
#include "culvert/CulvertDesign.h"
#include "plots/Plot.h"

bool EditCulvertDesignElement(TCulvertDesignElement& element, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmCulvertDesignElementEntry dialog(element, parameters, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ShowCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                             const TNerraParameterList& parameters, QWidget* parent, const TCulvertDesign* project) {
  std::vector<plots::TPlot> plots;
  int current = 0;
  if (project) {
    // A plot per crossing with results in the list's order, the crossing's
    // own shown first.
    plots = plots::CulvertDesignPlots(*project);
    current = std::max(plots::PlotOfElement(plots, element.ElementId), 0);
  }
  TfrmCulvertDesignResult dialog(element, pipeType, parameters, parent, std::move(plots), current);
  dialog.exec();
}
