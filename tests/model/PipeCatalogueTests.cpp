// The pipe catalogue: unit conversions of each list, look-up rules and the
// full-flow values.

#include <gtest/gtest.h>

#include <cmath>

#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

std::string CatalogueText(const std::string& body, const std::string& version = "110") {
  return "<Application Name=\"Drevia\" Version=\"110\"><UniversalCulvertParameters version=\"" + version + "\">" +
         body + "</UniversalCulvertParameters></Application>";
}

const std::string SampleBody =
    "<CircularSmoothPipeList>"
    "<Pipe id=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.012\" burial=\"6\"/>"
    "<Pipe id=\"2\" size=\"42 in\" diameter=\"3.5\" n=\"0.012\" burial=\"6\"/>"
    "<Other id=\"9\"/>"
    "</CircularSmoothPipeList>"
    "<CircularCorrugatedPipeList>"
    "<Pipe CORRUGATION=\"1\" ID=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.024\" burial=\"12\"/>"
    "<Pipe corrugation=\"2\" id=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.027\" burial=\"12\"/>"
    "<Pipe corrugation=\"1\" id=\"2\" size=\"48 in\" diameter=\"4\" n=\"0.024\" burial=\"12\"/>"
    "</CircularCorrugatedPipeList>"
    "<EllipticalSmoothPipeList>"
    "<Pipe id=\"1\" size=\"38 x 60\" rise=\"38\" width=\"60\" area=\"12.5\" radius=\"0.96\" n=\"0.012\" burial=\"9\"/>"
    "</EllipticalSmoothPipeList>"
    "<ArcCorrugatedPipeList>"
    "<Pipe corrugation=\"1\" id=\"1\" size=\"43 x 27\" rise=\"27\" width=\"43\" area=\"6.4\" radius=\"0.8\" "
    "top=\"12\" n=\"0.024\" burial=\"24\"/>"
    "</ArcCorrugatedPipeList>"
    "<BoxSmoothPipeList>"
    "<Pipe id=\"1\" size=\"6 x 4\" height=\"4\" width=\"6\" standard=\"true\" n=\"0.012\" burial=\"0\"/>"
    "<Pipe id=\"3\" size=\"8 x 8\" height=\"8\" width=\"8\" standard=\"no\" n=\"bad\" burial=\"3\"/>"
    "</BoxSmoothPipeList>"
    "<UnknownPipeList><Pipe id=\"1\" diameter=\"1\"/></UnknownPipeList>";

TEST(PipeCatalogueTest, LoadMessages) {
  struct TCase {
    const char* Name;
    std::string Text;
    std::string Message;
  };
  const TCase cases[] = {
      {"foreign", "<NERRA><UniversalCulvertParameters version=\"110\"/></NERRA>",
       "The XML document is not compatible with Drevia"},
      {"wrong block", "<Application Name=\"Drevia\"><ApplicationParameters version=\"110\"/></Application>",
       "The XML document is not compatible with the Drevia Global Parameters"},
      {"version 100", CatalogueText(SampleBody, "100"),
       "The universal parameters file is not compatible with this version of Drevia. Reinstall the complete package"},
      {"unparsable", "</UniversalCulvertParameters>", ParameterFilesCorruptedMessage},
  };
  for (const TCase& c : cases) {
    TCulvertBasePipeList pipes;
    pipes.LoadPipes(c.Text);
    EXPECT_EQ(pipes.LastError, c.Message) << c.Name;
    EXPECT_EQ(pipes.Count(), 0) << c.Name;
  }
  TCulvertBasePipeList pipes;
  pipes.LoadPipes(CatalogueText(SampleBody, "101"));
  EXPECT_EQ(pipes.LastError, "");
  EXPECT_EQ(pipes.Count(), 9);
  EXPECT_EQ(TCulvertBasePipeList().LoadPipeFile("/nonexistent/catalogue.xml"), ParameterFilesCorruptedMessage);
}

TEST(PipeCatalogueTest, ListsAndUnits) {
  TCulvertBasePipeList pipes;
  pipes.LoadPipes(CatalogueText(SampleBody));
  ASSERT_EQ(pipes.LastError, "");

  const TCulvertBasePipe* circle = pipes.FindPipe("1", "", 1);
  ASSERT_NE(circle, nullptr);
  EXPECT_EQ(circle->Rise, 3);
  EXPECT_EQ(circle->SizeLabel, "36 in");
  EXPECT_DOUBLE_EQ(circle->BurialDepth, 0.5);
  EXPECT_NEAR(FullArea(*circle), Pi * 9 / 4, 1e-12);
  EXPECT_DOUBLE_EQ(FullHydraulicRadius(*circle), 0.75);
  EXPECT_EQ(TopRadiusOrRise(*circle), 3);

  // Attribute names are matched ignoring case.
  const TCulvertBasePipe* corrugated = pipes.FindPipe("2", "1", 1);
  ASSERT_NE(corrugated, nullptr);
  EXPECT_EQ(corrugated->CorrugationType, "1");
  EXPECT_DOUBLE_EQ(corrugated->n, 0.024);
  EXPECT_DOUBLE_EQ(pipes.FindPipe("2", "2", 1)->n, 0.027);

  const TCulvertBasePipe* ellipse = pipes.FindPipe("3", "", 1);
  ASSERT_NE(ellipse, nullptr);
  EXPECT_DOUBLE_EQ(ellipse->Rise, 38.0 / 12);
  EXPECT_DOUBLE_EQ(ellipse->Span, 5);
  EXPECT_DOUBLE_EQ(ellipse->BurialDepth, 0.75);
  EXPECT_DOUBLE_EQ(FullArea(*ellipse), 12.5);
  EXPECT_DOUBLE_EQ(FullHydraulicRadius(*ellipse), 0.96);

  const TCulvertBasePipe* arch = pipes.FindPipe("4", "1", 1);
  ASSERT_NE(arch, nullptr);
  EXPECT_DOUBLE_EQ(arch->Rise, 27.0 / 12);
  EXPECT_DOUBLE_EQ(arch->Span, 43.0 / 12);
  EXPECT_DOUBLE_EQ(arch->TopRadius, 2);
  EXPECT_EQ(arch->BurialDepth, 0);  // whatever the file says
  EXPECT_DOUBLE_EQ(TopRadiusOrRise(*arch), 2);
  EXPECT_DOUBLE_EQ(FullArea(*arch), 6.4);

  const TCulvertBasePipe* box = pipes.FindPipe("5", "", 1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Rise, 4);
  EXPECT_EQ(box->Span, 6);
  EXPECT_TRUE(box->Standard);
  EXPECT_DOUBLE_EQ(FullArea(*box), 24);
  EXPECT_DOUBLE_EQ(FullHydraulicRadius(*box), 1.2);
  const TCulvertBasePipe* odd = pipes.FindPipe("5", "", 3);
  ASSERT_NE(odd, nullptr);
  EXPECT_FALSE(odd->Standard);
  EXPECT_EQ(odd->n, 0);  // malformed numbers become 0

  // A degenerate box has no hydraulic radius rather than a division by zero.
  TCulvertBasePipe flat;
  flat.CulvertType = "5";
  EXPECT_EQ(FullHydraulicRadius(flat), 0);
  EXPECT_EQ(FullArea(static_cast<const TCulvertBasePipe*>(nullptr)), 0);

  // A copy for an element's own record carries every field.
  TCulvertBasePipe copy;
  copy.Assign(arch);
  EXPECT_EQ(copy.CorrugationType, "1");
  EXPECT_DOUBLE_EQ(copy.TopRadius, 2);
  EXPECT_EQ(copy.SizeLabel, "43 x 27");
}

TEST(PipeCatalogueTest, CorrugationRulesOfTheLookUps) {
  TCulvertBasePipeList pipes;
  pipes.LoadPipes(CatalogueText(SampleBody));
  // FindPipe ignores a corrugation for circular concrete, elliptical and box sizes.
  EXPECT_EQ(pipes.FindPipe("5", "2", 3), pipes.FindPipe("5", "", 3));
  EXPECT_NE(pipes.FindPipe("1", "7", 2), nullptr);
  EXPECT_NE(pipes.FindPipe("3", "7", 1), nullptr);
  EXPECT_EQ(pipes.FindPipe("2", "", 1), nullptr);
  EXPECT_EQ(pipes.FindPipe("2", "1", 3), nullptr);
  // MaxPipeIndex and PipesOf ignore it for circular concrete and elliptical only.
  EXPECT_EQ(pipes.MaxPipeIndex("5", "2"), 0);
  EXPECT_EQ(pipes.PipesOf("5", "2")->Count(), 0);
  EXPECT_EQ(pipes.MaxPipeIndex("5", ""), 3);
  EXPECT_EQ(pipes.MaxPipeIndex("1", "7"), 2);
  EXPECT_EQ(pipes.MaxPipeIndex("2", "1"), 2);
  EXPECT_EQ(pipes.MaxPipeIndex("2", "2"), 1);
  EXPECT_EQ(pipes.MaxPipeIndex("9", ""), 0);

  const auto sizes = pipes.PipesOf("2", "1");
  ASSERT_EQ(sizes->Count(), 2);
  EXPECT_FALSE(sizes->OwnsObjects());
  EXPECT_EQ(sizes->Key(0), "36 in");
  EXPECT_EQ(sizes->Key(1), "48 in");
  EXPECT_EQ(sizes->Object(1), pipes.FindPipe("2", "1", 2));
  EXPECT_EQ(pipes.PipesOf("3", "x")->Count(), 1);
}

}  // namespace
