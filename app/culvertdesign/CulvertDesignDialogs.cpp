#include "app/culvertdesign/CulvertDesignDialogs.h"

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
    // A plot per crossing in the list's order, or one of them all.
    plots = plots::CulvertDesignPlots(*project);
    if (static_cast<int>(plots.size()) == project->Elements.Count())
      for (int i = 0; i < project->Elements.Count(); ++i)
        if (project->Crossing(i) == &element) current = i;
  }
  TfrmCulvertDesignResult dialog(element, pipeType, parameters, parent, std::move(plots), current);
  dialog.exec();
}
