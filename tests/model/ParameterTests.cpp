// The code table: loading rules, entry classes, look-ups and rainfall
// intensity; and the shipped parameter files.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

namespace {

std::string ParameterText(const std::string& body, const std::string& version = "110") {
  return "<Application Name=\"Drevia\" Version=\"110\"><ApplicationParameters version=\"" + version + "\">" + body +
         "</ApplicationParameters></Application>";
}

std::string Entry(const std::string& type, const std::string& leaves) {
  return "<Parameter type=\"" + type + "\">" + leaves + "</Parameter>";
}

std::string Rainfall(const std::string& area, const std::string& frequency, const std::string& coefficients) {
  return Entry("RainfallCoefficient", "<Code>" + area + frequency + "</Code><Area>" + area + "</Area><Frequency>" +
                                          frequency + "</Frequency>" + coefficients + "<Description>x</Description>");
}

std::string Coefficients(const char* a1, const char* a2, const char* a3) {
  return std::string("<Coeff_A1>") + a1 + "</Coeff_A1><Coeff_A2>" + a2 + "</Coeff_A2><Coeff_A3>" + a3 + "</Coeff_A3>";
}

TEST(ParameterListTest, LoadMessages) {
  const std::string reinstall =
      "The parameters file is not compatible with this version of Drevia. Reinstall the complete package";
  const struct {
    const char* Name;
    std::string Text, Message;
  } cases[] = {{"foreign root", "<Other Name=\"Drevia\"><ApplicationParameters version=\"110\"/></Other>",
                "The XML document is not compatible with Drevia"},
               {"name case", "<Application Name=\"drevia\"><ApplicationParameters version=\"110\"/></Application>",
                "The XML document is not compatible with Drevia"},
               {"wrong block", "<Application Name=\"Drevia\"><Parameters version=\"110\"/></Application>",
                "The XML document is not compatible with the Drevia Global Parameters"},
               {"version 100", ParameterText("", "100"), reinstall},
               {"no version", ParameterText("", ""), reinstall},
               {"version 101", ParameterText("", "101"), ""},
               {"unparsable", "</Application>", ParameterFilesCorruptedMessage}};
  for (const auto& c : cases) {
    TNerraParameterList list;
    list.LoadParameters(c.Text);
    EXPECT_EQ(list.LastError, c.Message) << c.Name;
  }
  EXPECT_EQ(TNerraParameterList().LoadParameterFile("/nonexistent/AppParameters.xml"), ParameterFilesCorruptedMessage);
}

TEST(ParameterListTest, EntriesAndLookUps) {
  TNerraParameterList table;
  table.LoadParameters(ParameterText(
      Entry("InletType", "<Code>1</Code><Description>Headwall</Description><Sequence>4</Sequence><Value>v</Value>") +
      Entry("BoxInletType",
            "<Description>Wingwall</Description><Code>2</Code><KD>0.0347</KD><KE>0.2</KE>"
            "<QMAX>3.5</QMAX><KP>0.81</KP><K>0.026</K><SL>-0.5</SL><M>1</M><QMIN>4</QMIN><X>9</X>") +
      Entry("UnsubmergedInlet", "<Code>U</Code><KE>0.4</KE><K>0.03</K><M>1.5</M><SL>0.5</SL><KD>9</KD>") +
      Entry("SubmergedInlet", "<Code>S</Code><KD>0.04</KD><KP>0.7</KP><QMIN>4</QMIN><KE>9</KE>") +
      Entry("StructureType", "<Code>T</Code><Structure>CB</Structure>") +
      Entry("SewerSide", "<Code>R</Code><Description>Right</Description>") +
      Entry("SewerSide", "<Code>R</Code><Description>Right again</Description>") + Entry("Bogus", "<Code>x</Code>") +
      Entry("inlettype", "<Code>z</Code>") + "<Other type=\"InletType\"><Code>y</Code></Other>" +
      Rainfall("A", "10", Coefficients("60", "10", "0.8"))));
  ASSERT_EQ(table.LastError, "");
  ASSERT_EQ(table.Count(), 8);  // unknown types and other elements skipped

  // "InletType" is a plain code list; the shaped inlet types carry coefficient sets.
  EXPECT_EQ(typeid(*table.Code(0)), typeid(TNerraBaseCode));
  EXPECT_EQ(table.Code(0)->Category, pcInletType);
  EXPECT_EQ(table.Code(0)->Sequence, 4);
  EXPECT_EQ(table.Key(0), "Headwall");
  EXPECT_EQ(table.FindInletType(pcInletType, "1"), nullptr);
  const TNerraInletTypeCode* box = table.FindInletType(pcBoxInletType, "2");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(std::vector<double>({box->KD, box->KE, box->QMAX, box->KP, box->K, box->SL, box->M, box->QMIN}),
            std::vector<double>({0.0347, 0.2, 3.5, 0.81, 0.026, -0.5, 1, 4}));
  const auto* unsubmerged = table.FindUnsubmergedInlet("U");
  const auto* submerged = table.FindSubmergedInlet("S");
  ASSERT_TRUE(unsubmerged && submerged);
  EXPECT_EQ(std::vector<double>({unsubmerged->KE, unsubmerged->K, unsubmerged->M, unsubmerged->SL}),
            std::vector<double>({0.4, 0.03, 1.5, 0.5}));
  EXPECT_EQ(std::vector<double>({submerged->KD, submerged->KP, submerged->QMIN}), std::vector<double>({0.04, 0.7, 4}));
  EXPECT_EQ(dynamic_cast<const TNerraStructureTypeCode&>(*table.FindCode(pcStructureType, "T")).Structure, "CB");
  // Rainfall rows are keyed by code and read no description.
  EXPECT_EQ(table.Key(7), "A10");
  EXPECT_EQ(table.Code(7)->Description, "");

  {
    const std::unique_ptr<TNerraBaseList> sides = table.CodesOfCategory(pcSewerSide);
    ASSERT_EQ(sides->Count(), 2);
    EXPECT_FALSE(sides->OwnsObjects());
    EXPECT_EQ(sides->Key(1), "Right again");
    EXPECT_EQ(sides->IndexOfCode("R"), 0);  // the first of two
    EXPECT_EQ(sides->IndexOfCode("r"), -1);
    EXPECT_EQ(sides->DescriptionOfCode("R"), "Right");
    EXPECT_EQ(sides->DescriptionOfCode("L"), "");
  }
  EXPECT_EQ(table.Code(5)->Description, "Right");  // the derived list did not own it
}

TEST(ParameterListTest, RainfallIntensity) {
  TNerraParameterList list;
  list.LoadParameters(ParameterText(
      Rainfall("A", "10", Coefficients("60", "10", "0.8")) + Rainfall("B", "10", Coefficients("50", "8", "0.7")) +
      Rainfall("A", "10", Coefficients("120", "20", "0.5")) + Rainfall("C", "5", Coefficients("75", "-10", "0.8")) +
      Rainfall("D", "5", Coefficients("40", "10", "0"))));
  const TRainfallCoefficients c = list.FindRainfallCoefficients("A", "10");
  EXPECT_EQ(c.Position, 2);  // the later row wins
  EXPECT_NEAR(list.RainfallIntensity("10", "A", 5), 120 / std::sqrt(25.0), 1e-12);
  EXPECT_NEAR(list.RainfallIntensity("10", "A", 0), 120 / std::sqrt(20.0), 1e-12);
  EXPECT_NEAR(list.RainfallIntensity("10", "B", 15), 50 / std::pow(23.0, 0.7), 1e-12);
  EXPECT_DOUBLE_EQ(list.RainfallIntensity("5", "D", 30), 40);
  EXPECT_EQ(list.RainfallIntensity("10", "a", 5), 0);  // codes compare exactly
  EXPECT_EQ(list.RainfallIntensity("A", "10", 5), 0);
  // Durations at or before the curve's origin give 0, not infinity or NaN.
  for (double t : {10.0, 4.0, double(NAN)}) EXPECT_EQ(list.RainfallIntensity("5", "C", t), 0) << t;
}

// A coefficient that is no finite number would run as 0; the table is
// refused, naming the table and the entry.
TEST(ParameterListTest, CoefficientsMustBeFiniteNumbers) {
  for (const char* bad : {"NaN", "inf", "-1e999", "1.5.2", "x"}) {
    TNerraParameterList list;
    list.LoadParameters(ParameterText(Rainfall("A", "10", Coefficients("60", "10", "0.8")) +
                                      Rainfall("B", "25", Coefficients("60", bad, "0.8"))));
    EXPECT_EQ(list.LastError, std::string("Parameter table RainfallCoefficient, entry \"B25\": Coeff_A2 is \"") + bad +
                                  "\", not a finite number. Check Installation.");
    EXPECT_EQ(list.Count(), 0) << bad;
  }
  TNerraParameterList inlets;
  inlets.LoadParameters(ParameterText(
      Entry("CircularConcreteInletType", "<Code>1</Code><Description>Square edge</Description><KD>nan</KD>")));
  EXPECT_EQ(inlets.LastError,
            "Parameter table CircularConcreteInletType, entry \"Square edge\": KD is \"nan\", not a "
            "finite number. Check Installation.");
  // Written zeros, blanks and ordinary numbers are numbers.
  for (const char* good : {"0", "-0.0", "0e5", "", "+3.5", "-1.25e-3", ".5"})
    EXPECT_TRUE(IsParameterNumberText(good)) << good;
  for (const char* bad : {"NaN", "inf", "0x", "e5", "1e999", "-", "0e"})
    EXPECT_FALSE(IsParameterNumberText(bad)) << bad;
}

// The files delivered with the program hold every table the modules use.
TEST(ShippedDataTest, ParameterFilesAreComplete) {
  const TNerraParameterList& table = ShippedParameters();
  for (int c = 0; c < ParameterCategoryCount; ++c)
    EXPECT_GT(table.CountOfCategory(TParameterCategory(c)), 0) << CategoryTypeName(TParameterCategory(c));
  const std::pair<TParameterCategory, std::vector<std::string>> required[] = {
      {pcHWType, {"0", "1", "2"}},
      {pcDesignPipeType, {"0", "1", "2", "3", "4", "5", "99"}},
      {pcLiningType, {"1", "2", "7"}},
      {pcSumpType, {"0"}},
      {pcInletType, {"1", "2", "3"}},
      {pcBoxInletType, {"1", "2", "3"}},
      {pcCircularConcreteInletType, {"1", "2", "3"}},
      {pcCircularCorrugatedInletType, {"1", "2", "3"}},
      {pcEllipticalConcreteInletType, {"1", "2", "3"}},
      {pcArchCorrugatedInletType, {"1", "2", "3"}}};
  for (const auto& [category, codes] : required)
    for (const std::string& code : codes)
      EXPECT_NE(table.FindCode(category, code), nullptr) << CategoryTypeName(category) << " " << code;
  const auto areas = table.CodesOfCategory(pcRainfallArea), frequencies = table.CodesOfCategory(pcStormFrequency);
  for (int a = 0; a < areas->Count(); ++a)
    for (int f = 0; f < frequencies->Count(); ++f) {
      const std::string area = areas->ItemAs<TNerraBaseCode>(a)->Code,
                        freq = frequencies->ItemAs<TNerraBaseCode>(f)->Code;
      const double i10 = table.RainfallIntensity(freq, area, 10);
      EXPECT_TRUE(i10 > 0.5 && i10 < 20) << area << "/" << freq << " " << i10;
      EXPECT_LT(table.RainfallIntensity(freq, area, 60), i10) << area << "/" << freq;
    }

  // Sizes of every type and corrugation count 1, 2, 3 ... in ascending order.
  const TCulvertBasePipeList& pipes = ShippedPipes();
  std::vector<std::pair<std::string, std::string>> lists = {{"1", ""}, {"3", ""}, {"5", ""}};
  for (const auto& [type, category] : {std::pair{"2", pcCircularCorrugationType}, {"4", pcArcCorrugationType}}) {
    const auto corrugations = table.CodesOfCategory(category);
    for (int c = 0; c < corrugations->Count(); ++c)
      lists.push_back({type, corrugations->ItemAs<TNerraBaseCode>(c)->Code});
  }
  for (const auto& [type, corrugation] : lists) {
    const int32_t largest = pipes.MaxPipeIndex(type, corrugation);
    EXPECT_GT(largest, 0) << type << "/" << corrugation;
    for (int32_t id = 1; id <= largest; ++id) {
      const TCulvertBasePipe* pipe = pipes.FindPipe(type, corrugation, id);
      ASSERT_NE(pipe, nullptr) << type << "/" << corrugation << " id " << id;
      EXPECT_GT(pipe->n, 0);
      if (id > 1) {
        EXPECT_GE(FullArea(pipe), FullArea(pipes.FindPipe(type, corrugation, id - 1))) << type << " " << id;
      }
    }
  }
}

// The tests' loader of the shipped tables refuses what the program would
// refuse, and an empty table, naming the file: a test never runs on an
// empty table.
TEST(ShippedDataTest, TestLoaderFailsLoudly) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("drevia-shipped-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  auto expectFailure = [&](const std::string& file) {
    try {
      LoadTables(folder.string());
      ADD_FAILURE() << "loaded without " << file;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(file), std::string::npos) << error.what();
    }
  };
  expectFailure("AppParameters.xml");  // missing
  std::filesystem::copy_file(ShippedDataFolder() + "/AppParameters.xml", folder / "AppParameters.xml");
  expectFailure("UniversalCulvertParameters.xml");  // missing
  std::ofstream(folder / "UniversalCulvertParameters.xml")
      << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\">"
         "<UniversalCulvertParameters version=\"110\"></UniversalCulvertParameters></Application>";
  expectFailure("UniversalCulvertParameters.xml");  // no entries
  std::filesystem::copy_file(ShippedDataFolder() + "/UniversalCulvertParameters.xml",
                             folder / "UniversalCulvertParameters.xml",
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_GT(LoadTables(folder.string())->Pipes.Count(), 0);
  std::filesystem::remove_all(folder);
}

}  // namespace
