#pragma once
// The report of a calculated project of any kind, and the name its PDF file
// is offered under. Shared by the desktop's preview, print and export and by
// the batch report program, so they all print the same pages.
#include <memory>
#include <string>

class TReport;
class TNerraBaseProject;
class TNerraParameterList;

// None for a project of no known kind. The project is read as it is: the
// caller calculates it first.
std::unique_ptr<TReport> CreateProjectReport(const TNerraBaseProject& project, const TNerraParameterList& parameters);

// The name every kind's report offers for its PDF (TReport::PdfFileName):
// "FOLDER/NAME-KIND-report.pdf" beside the project file ("route9.xml" gives
// "route9-culvert-design-report.pdf"); a project without a file gives
// "KIND-report.pdf" without a folder.
std::string DefaultReportFileName(const TNerraBaseProject& project);
