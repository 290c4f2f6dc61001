#pragma once
// Finding series in plots and loading the shipped samples for the plot tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/FileConversion.h"
#include "plots/Plot.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace plottest {

inline const plots::TPlotSeries* Find(const plots::TPlot& plot, const std::string& name) {
  for (const plots::TPlotSeries& series : plot.Series)
    if (series.Name == name) return &series;
  return nullptr;
}

inline std::string SampleText(const std::string& name) {
  TXMLDocument document;
  std::string error;
  EXPECT_TRUE(OpenProjectDocument(std::string(DREVIA_SOURCE_DIR) + "/samples/" + name, document, error)) << error;
  return document.GetXML();
}

// Every point finite; a reference line, where named, at y across the plot.
inline void ExpectSound(const plots::TPlot& plot, const std::string& reference = {}, double y = 0) {
  for (const plots::TPlotSeries& series : plot.Series)
    for (const plots::TPlotPoint& p : series.Points)
      EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y)) << plot.Title << " / " << series.Name;
  if (reference.empty()) return;
  const plots::TPlotSeries* line = Find(plot, reference);
  ASSERT_TRUE(line && line->Style == plots::TSeriesStyle::Reference && line->Points.size() == 2) << reference;
  EXPECT_EQ(line->Points[0].Y, y);
  EXPECT_EQ(line->Points[1].Y, y);
  EXPECT_EQ(line->Points[0].X, plot.XMin());
  EXPECT_EQ(line->Points[1].X, plot.XMax());
}

}  // namespace plottest
