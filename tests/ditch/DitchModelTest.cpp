#include <gtest/gtest.h>

#include <stdexcept>

#include "ditch/DitchAnalysis.h"
#include "foundation/DisplayFormat.h"

TEST(DitchStation, ParsesAndWritesStationTexts) {
  struct Case {
    const char* text;
    int32_t station;
    const char* written;
  };
  const Case cases[] = {{"12+34", 1234, "12+34"},
                        {"12+345", 1234, "12+34"},
                        {"12+3", 1203, "12+03"},
                        {"0+05", 5, "0+05"},
                        {"  7+50 ", 750, "7+50"},
                        {"1,2+3x4", 1234, "12+34"},
                        {"1+2+3", 123, "1+23"},
                        {"1234", -1, ""},
                        {"", -1, ""},
                        {"   ", -1, ""},
                        {"+34", -1, ""},
                        {"12+", -1, ""},
                        {"99999999999+00", -1, ""},
                        {"30000000+00", -1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TDitchAnalysisElement element;
    element.SetBeginStation(c.text);
    EXPECT_EQ(element.BeginStation, c.station);
    EXPECT_EQ(element.BeginStationText(), c.written);
  }
}

TEST(DitchElement, DerivesLengthAndGradeFromStationsAndElevations) {
  TDitchAnalysisElement element;
  element.SetBeginStation("10+00");
  element.SetEndStation("12+50");
  element.ElevationBegin = 100;
  element.ElevationEnd = 95;
  EXPECT_DOUBLE_EQ(element.DitchLength(), 250);
  EXPECT_DOUBLE_EQ(element.DitchGrade(), 0.02);

  // Entered values win over the derived ones.
  element.Length = 300;
  EXPECT_DOUBLE_EQ(element.DitchGrade(), 5.0 / 300);
  element.Grade = 0.03;
  EXPECT_DOUBLE_EQ(element.DitchGrade(), 0.03);

  // Stations running downhill backwards still give a positive length.
  TDitchAnalysisElement reversed;
  reversed.SetBeginStation("12+50");
  reversed.SetEndStation("10+00");
  EXPECT_DOUBLE_EQ(reversed.DitchLength(), 250);

  TDitchAnalysisElement inflow;
  inflow.SetBeginStation("5+00");
  inflow.SetEndStation("500");  // no "+": not given
  inflow.ConcTime = 12;
  EXPECT_TRUE(inflow.IsConcentratedInflow());
  EXPECT_DOUBLE_EQ(inflow.DitchLength(), 0);
  EXPECT_DOUBLE_EQ(inflow.DitchGrade(), 0);
}

TEST(DitchElement, ManningOverrideAppliesToTheChosenLiningClassOnly) {
  TDitchAnalysisElement element;
  element.CoeffN = 0.05;
  // No lining chosen: the override is not used at all.
  for (int lining = ltSeed; lining <= ltRCPTypeB; ++lining)
    EXPECT_DOUBLE_EQ(element.ManningNFor(static_cast<TLiningType>(lining)), DefaultLiningManningN[lining]);

  ASSERT_TRUE(element.SetLiningCode("1"));
  EXPECT_DOUBLE_EQ(element.ManningNFor(ltSeed), 0.05);
  EXPECT_DOUBLE_EQ(element.ManningNFor(ltTempMat), 0.04);
  EXPECT_DOUBLE_EQ(element.ManningNFor(ltRCPTypeB), 0.06);

  // Any mat stores as the mat class and shares one override.
  element.Lining = ltTempMat;
  EXPECT_EQ(element.LiningCode(), "2");
  for (int lining = ltJuteMat; lining <= ltTurfType3; ++lining)
    EXPECT_DOUBLE_EQ(element.ManningNFor(static_cast<TLiningType>(lining)), 0.05);
  EXPECT_DOUBLE_EQ(element.ManningNFor(ltSeed), 0.03);

  ASSERT_TRUE(element.SetLiningCode("7"));
  EXPECT_EQ(element.Lining, ltRCPTypeB);
  EXPECT_DOUBLE_EQ(element.ManningNFor(ltRCPTypeB), 0.05);

  ASSERT_TRUE(element.SetLiningCode("2"));
  EXPECT_EQ(element.Lining, ltJuteMat);
  ASSERT_TRUE(element.SetLiningCode(""));
  EXPECT_EQ(element.Lining, ltNone);
  EXPECT_FALSE(element.SetLiningCode("mat"));
  ASSERT_TRUE(element.SetLiningCode("42"));
  EXPECT_EQ(element.Lining, ltNone);

  element.Lining = ltExceedsAllowed;
  EXPECT_EQ(element.LiningCode(), "");
  EXPECT_DOUBLE_EQ(element.ManningN(), 0.05);  // no fallback to 0.012
}

TEST(DitchElement, EntryRulesInOrderWithTheirMessages) {
  TDitchEntry section;
  section.BeginStationText = "10+00";
  section.EndStationText = "12+00";
  section.RunoffCoeff = 0.5;
  section.RunoffArea = 2;
  section.Grade = 0.01;

  struct Case {
    const char* name;
    void (*change)(TDitchEntry&);
    const char* message;
  };
  const Case cases[] = {
      {"valid section", [](TDitchEntry&) {}, ""},
      {"no begin station",
       [](TDitchEntry& e) {
         e.BeginStationText.clear();
         e.RunoffCoeff = 0;
       },
       "Begin Station cannot be empty"},
      {"coefficient 0",
       [](TDitchEntry& e) {
         e.RunoffCoeff = 0;
         e.RunoffArea = 0;
       },
       "Invalid Runoff Coefficient (should be between 0 and 1)"},
      {"coefficient above 1", [](TDitchEntry& e) { e.RunoffCoeff = 1.01; },
       "Invalid Runoff Coefficient (should be between 0 and 1)"},
      {"coefficient exactly 1", [](TDitchEntry& e) { e.RunoffCoeff = 1; }, ""},
      {"no area",
       [](TDitchEntry& e) {
         e.RunoffArea = 0;
         e.EndStationText.clear();
         e.DitchLength = 10;
       },
       "Runoff area should greater or equal zero."},
      {"length without end station",
       [](TDitchEntry& e) {
         e.EndStationText.clear();
         e.DitchLength = 10;
       },
       "End Station cannot be empty"},
      {"no grade and one elevation",
       [](TDitchEntry& e) {
         e.Grade = 0;
         e.ElevationBegin = 100;
       },
       "Begin / End Elevations or Grade should be greater than 0;"},
      {"no grade but both elevations",
       [](TDitchEntry& e) {
         e.Grade = 0;
         e.ElevationBegin = 100;
         e.ElevationEnd = 99;
       },
       ""},
      {"inflow with time",
       [](TDitchEntry& e) {
         e.EndStationText.clear();
         e.Grade = 0;
         e.ConcTime = 12;
       },
       ""},
      {"inflow without time", [](TDitchEntry& e) { e.EndStationText.clear(); }, "Concentration Time cannot be null."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDitchEntry entry = section;
    c.change(entry);
    EXPECT_EQ(CheckDitchEntry(entry), c.message);
  }

  // The element checks its own values the same way, a station without "+"
  // counting as not given.
  TDitchAnalysisElement element;
  element.SetBeginStation("1000");
  element.RunoffCoeff = 0.5;
  element.RunoffArea = 1;
  EXPECT_EQ(element.Validate(), "Begin Station cannot be empty");
}

TEST(DitchResultRow, ShearTextAndRowsWithoutFlowArea) {
  TDitchAnalysisElement element;
  element.CASum = 2;
  element.Radius = 1.5;
  TDitchAnalysisElementResult row;
  row.Element = &element;
  row.Depth = 0.5;
  row.Grade = 0.2;  // 6.24 lb/ft2: beyond any lining
  EXPECT_EQ(row.ShearText(), "(6.24)");
  row.Grade = 0.05;
  EXPECT_EQ(row.ShearText(), "1.56");

  // An inflow marker holds no area and no depth: nothing divides by zero.
  TDitchAnalysisElementResult marker;
  marker.Element = &element;
  marker.Intensity = 3;
  EXPECT_DOUBLE_EQ(marker.Velocity(), 0);
  EXPECT_DOUBLE_EQ(marker.TopWidth(), 0);
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
}

TEST(DitchLiningOrder, FollowsTheAllowableShears) {
  TDitchAnalysisGeneralParameters parameters;
  parameters.PrepareLiningOrder();
  const std::vector<TLiningType> defaults = {ltSeed,      ltJuteMat,   ltTempMat, ltTurfType1,
                                             ltTurfType2, ltTurfType3, ltRCPTypeB};
  EXPECT_EQ(parameters.LiningOrder, defaults);

  // Boundary: a shear equal to the allowable one keeps the lining.
  TLiningType lining = ltSeed;
  EXPECT_FALSE(parameters.NextLining(lining, 0.4));
  EXPECT_EQ(lining, ltSeed);
  EXPECT_TRUE(parameters.NextLining(lining, 0.40001));
  EXPECT_EQ(lining, ltJuteMat);
  lining = ltTurfType3;
  EXPECT_TRUE(parameters.NextLining(lining, 5.01));
  EXPECT_EQ(lining, ltRCPTypeB);
  EXPECT_FALSE(parameters.NextLining(lining, 100));

  // Switching a lining off drops it; setting a shear rebuilds the order.
  parameters.SetAllowableShear(ltJuteMat, 0);
  EXPECT_FALSE(parameters.LiningOrderReady);
  lining = ltSeed;
  EXPECT_TRUE(parameters.NextLining(lining, 0.5));
  EXPECT_EQ(lining, ltTempMat);
  EXPECT_TRUE(parameters.LiningOrderReady);

  // Rock ends the search wherever it sorts.
  parameters.SetAllowableShear(ltTurfType3, 7);
  parameters.SetAllowableShear(ltRCPTypeB, 6);
  parameters.PrepareLiningOrder();
  const std::vector<TLiningType> reordered = {ltSeed, ltTempMat, ltTurfType1, ltTurfType2, ltRCPTypeB, ltTurfType3};
  EXPECT_EQ(parameters.LiningOrder, reordered);
  lining = ltTurfType2;
  EXPECT_TRUE(parameters.NextLining(lining, 6.5));
  EXPECT_EQ(lining, ltRCPTypeB);
  EXPECT_FALSE(parameters.NextLining(lining, 6.5));

  // Seed stays first even when it allows more than the others; equal shears
  // keep ordinal order.
  TDitchAnalysisGeneralParameters odd;
  odd.SetAllowableShear(ltSeed, 9);
  odd.SetAllowableShear(ltJuteMat, 2);
  odd.SetAllowableShear(ltTempMat, 2);
  odd.PrepareLiningOrder();
  EXPECT_EQ(odd.LiningOrder.front(), ltSeed);
  EXPECT_EQ(odd.LiningOrder[1], ltJuteMat);
  EXPECT_EQ(odd.LiningOrder[2], ltTempMat);

  EXPECT_THROW(parameters.AllowableShear(ltNone), std::out_of_range);
  EXPECT_THROW(parameters.SetAllowableShear(ltExceedsAllowed, 1), std::out_of_range);
}
