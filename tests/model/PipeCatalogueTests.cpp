// The pipe catalogue: unit conversions of each list, look-up rules and the
// full-flow values.

#include <gtest/gtest.h>

#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

std::string CatalogueText(const std::string& version = "110") {
  return "<Application Name=\"Drevia\"><UniversalCulvertParameters version=\"" + version +
         "\"><CircularSmoothPipeList>"
         "<Pipe id=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.012\" burial=\"6\"/>"
         "<Pipe id=\"2\" size=\"42 in\" diameter=\"3.5\" n=\"0.012\" burial=\"6\"/><Other id=\"9\"/>"
         "</CircularSmoothPipeList><CircularCorrugatedPipeList>"
         "<Pipe CORRUGATION=\"1\" ID=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.024\"/>"
         "<Pipe corrugation=\"2\" id=\"1\" size=\"36 in\" diameter=\"3\" n=\"0.027\"/>"
         "<Pipe corrugation=\"1\" id=\"2\" size=\"48 in\" diameter=\"4\" n=\"0.024\"/>"
         "</CircularCorrugatedPipeList><EllipticalSmoothPipeList>"
         "<Pipe id=\"1\" size=\"38 x 60\" rise=\"38\" width=\"60\" area=\"12.5\" radius=\"0.96\" burial=\"9\"/>"
         "</EllipticalSmoothPipeList><ArcCorrugatedPipeList>"
         "<Pipe corrugation=\"1\" id=\"1\" rise=\"27\" width=\"43\" area=\"6.4\" radius=\"0.8\" top=\"12\" "
         "burial=\"24\"/>"
         "</ArcCorrugatedPipeList><BoxSmoothPipeList>"
         "<Pipe id=\"1\" size=\"6 x 4\" height=\"4\" width=\"6\" standard=\"true\" n=\"0.012\" burial=\"3\"/>"
         "<Pipe id=\"3\" size=\"8 x 8\" height=\"8\" width=\"8\" standard=\"no\" n=\"bad\"/>"
         "</BoxSmoothPipeList><UnknownPipeList><Pipe id=\"1\" diameter=\"1\"/></UnknownPipeList>"
         "</UniversalCulvertParameters></Application>";
}

TEST(PipeCatalogueTest, LoadMessages) {
  const struct {
    const char* Name;
    std::string Text, Message;
  } cases[] = {
      {"foreign", "<NERRA><UniversalCulvertParameters version=\"110\"/></NERRA>",
       "The XML document is not compatible with Drevia"},
      {"wrong block", "<Application Name=\"Drevia\"><ApplicationParameters version=\"110\"/></Application>",
       "The XML document is not compatible with the Drevia Global Parameters"},
      {"version 100", CatalogueText("100"),
       "The universal parameters file is not compatible with this version of Drevia. Reinstall the complete package"},
      {"unparsable", "</UniversalCulvertParameters>", ParameterFilesCorruptedMessage},
      {"version 101", CatalogueText("101"), ""}};
  for (const auto& c : cases) {
    TCulvertBasePipeList pipes;
    pipes.LoadPipes(c.Text);
    EXPECT_EQ(pipes.LastError, c.Message) << c.Name;
    EXPECT_EQ(pipes.Count(), c.Message.empty() ? 9 : 0) << c.Name;
  }
  EXPECT_EQ(TCulvertBasePipeList().LoadPipeFile("/nonexistent/catalogue.xml"), ParameterFilesCorruptedMessage);

  // Sizes that would give no flow area are refused, naming list and size.
  const struct {
    std::string From, To, Message;
  } impossible[] = {
      {"diameter=\"3\"", "diameter=\"0\"", "CircularSmoothPipeList, size \"36 in\" (id 1): the rise must be"},
      {"diameter=\"3\"", "diameter=\"NaN\"", "CircularSmoothPipeList, size \"36 in\" (id 1): diameter is \"NaN\""},
      {"rise=\"38\"", "rise=\"-38\"", "EllipticalSmoothPipeList, size \"38 x 60\" (id 1): the rise must be"},
      {"width=\"60\"", "width=\"0\"", "EllipticalSmoothPipeList, size \"38 x 60\" (id 1): the span must be"},
      {"area=\"6.4\"", "area=\"0\"", "ArcCorrugatedPipeList, size \"\" (id 1): the area must be"},
      {"height=\"4\"", "height=\"0\"", "BoxSmoothPipeList, size \"6 x 4\" (id 1): the rise must be"}};
  for (const auto& c : impossible) {
    std::string text = CatalogueText();
    ASSERT_NE(text.find(c.From), std::string::npos) << c.From;
    text.replace(text.find(c.From), c.From.size(), c.To);
    TCulvertBasePipeList pipes;
    pipes.LoadPipes(text);
    EXPECT_NE(pipes.LastError.find("Pipe catalogue " + c.Message), std::string::npos) << pipes.LastError;
    EXPECT_EQ(pipes.Count(), 0) << c.To;
  }
}

TEST(PipeCatalogueTest, UnitsAndFullFlowValues) {
  TCulvertBasePipeList pipes;
  pipes.LoadPipes(CatalogueText());
  const TCulvertBasePipe *circle = pipes.FindPipe("1", "", 1), *ellipse = pipes.FindPipe("3", "", 1),
                         *arch = pipes.FindPipe("4", "1", 1), *box = pipes.FindPipe("5", "", 1);
  ASSERT_TRUE(circle && ellipse && arch && box);
  // Type, rise, span, burial, full area, full hydraulic radius, top radius or rise.
  const struct {
    const TCulvertBasePipe* Pipe;
    double Rise, Span, Burial, Area, Radius, Top;
  } cases[] = {{circle, 3, 0, 0.5, Pi * 9 / 4, 0.75, 3},
               {ellipse, 38.0 / 12, 5, 0.75, 12.5, 0.96, 38.0 / 12},
               {arch, 27.0 / 12, 43.0 / 12, 0, 6.4, 0.8, 2},  // arches take no burial depth
               {box, 4, 6, 0.25, 24, 1.2, 4}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(c.Pipe->Rise, c.Rise) << c.Pipe->CulvertType;
    EXPECT_DOUBLE_EQ(c.Pipe->Span, c.Span) << c.Pipe->CulvertType;
    EXPECT_DOUBLE_EQ(c.Pipe->BurialDepth, c.Burial) << c.Pipe->CulvertType;
    EXPECT_DOUBLE_EQ(FullArea(c.Pipe), c.Area) << c.Pipe->CulvertType;
    EXPECT_DOUBLE_EQ(FullHydraulicRadius(c.Pipe), c.Radius) << c.Pipe->CulvertType;
    EXPECT_DOUBLE_EQ(TopRadiusOrRise(c.Pipe), c.Top) << c.Pipe->CulvertType;
  }
  EXPECT_TRUE(box->Standard);
  EXPECT_FALSE(pipes.FindPipe("5", "", 3)->Standard);
  EXPECT_EQ(pipes.FindPipe("5", "", 3)->n, 0);              // malformed numbers become 0
  EXPECT_DOUBLE_EQ(pipes.FindPipe("2", "2", 1)->n, 0.027);  // attribute names ignore case

  TCulvertBasePipe flat;  // a degenerate box has no radius rather than a division by zero
  flat.CulvertType = "5";
  EXPECT_EQ(FullHydraulicRadius(flat), 0);
  TCulvertBasePipe copy;
  copy.Assign(arch);
  EXPECT_EQ(copy.CorrugationType, "1");
  EXPECT_DOUBLE_EQ(copy.TopRadius, 2);
}

TEST(PipeCatalogueTest, CorrugationRulesOfTheLookUps) {
  TCulvertBasePipeList pipes;
  pipes.LoadPipes(CatalogueText());
  // FindPipe ignores a corrugation for circular concrete, elliptical and box sizes ...
  EXPECT_EQ(pipes.FindPipe("5", "2", 3), pipes.FindPipe("5", "", 3));
  EXPECT_NE(pipes.FindPipe("1", "7", 2), nullptr);
  EXPECT_EQ(pipes.FindPipe("2", "", 1), nullptr);
  // ... MaxPipeIndex and PipesOf for circular concrete and elliptical only.
  EXPECT_EQ(pipes.MaxPipeIndex("5", "2"), 0);
  EXPECT_EQ(pipes.PipesOf("5", "2")->Count(), 0);
  EXPECT_EQ(pipes.MaxPipeIndex("5", ""), 3);
  EXPECT_EQ(pipes.MaxPipeIndex("1", "7"), 2);
  EXPECT_EQ(pipes.MaxPipeIndex("2", "2"), 1);
  EXPECT_EQ(pipes.PipesOf("3", "x")->Count(), 1);
  const auto sizes = pipes.PipesOf("2", "1");
  ASSERT_EQ(sizes->Count(), 2);
  EXPECT_FALSE(sizes->OwnsObjects());
  EXPECT_EQ(sizes->Key(1), "48 in");
  EXPECT_EQ(sizes->Object(1), pipes.FindPipe("2", "1", 2));
}

}  // namespace
