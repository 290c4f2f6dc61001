// The result table: rows flattened under their elements, and the CSV text
// (quoting, line ends, numbers that read back exactly, no NaN).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "appmodel/ResultTable.h"

namespace {

using V = TResultValue;

TResultNode Row(TResultRecord fields) { return {std::move(fields), {}, {}}; }

}  // namespace

TEST(ResultTable, RowsCarryTheFieldsOfEveryLevelAbove) {
  TResultTree tree;
  tree.Columns = {"id", "CulvertType", "Flow"};
  TResultNode crossing{{{"id", V::Integer(7)}}, "candidates", {}};
  crossing.Children.push_back({{{"CulvertType", V::Text("2")}}, "rows", {Row({{"Flow", V::Number(1)}})}});
  crossing.Children.push_back(
      {{{"CulvertType", V::Text("4")}}, "rows", {Row({{"Flow", V::Number(2)}}), Row({{"Flow", V::Number(3)}})}});
  // A candidate without rows and an element without children give no line.
  crossing.Children.push_back({{{"CulvertType", V::Text("5")}}, "rows", {}});
  tree.Elements.push_back(std::move(crossing));
  tree.Elements.push_back({{{"id", V::Integer(8)}}, "candidates", {}});

  const std::vector<TResultRecord> rows = FlattenResults(tree);
  ASSERT_EQ(rows.size(), 3u);
  for (const TResultRecord& row : rows) {
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].Name, "id");
    EXPECT_EQ(*row[0].Value.AsInteger(), 7);
  }
  EXPECT_EQ(*rows[2].at(1).Value.AsText(), "4");
  EXPECT_EQ(*rows[2].at(2).Value.AsNumber(), 3);
  EXPECT_EQ(ResultsCsv(tree), "id,CulvertType,Flow\r\n7,2,1\r\n7,4,2\r\n7,4,3\r\n");
}

TEST(ResultTable, CsvQuotesOnlyWhatNeedsItAndNeverWritesNaN) {
  TResultTree tree;
  tree.Columns = {"Text", "Number", "Missing", "Flag", "Count"};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  tree.Elements.push_back(Row({{"Text", V::Text("plain")},
                               {"Number", V::Number(0.1)},
                               {"Missing", V()},
                               {"Flag", V::Flag(true)},
                               {"Count", V::Integer(-3)}}));
  tree.Elements.push_back(Row({{"Text", V::Text("a,b")},
                               {"Number", V::Number(nan)},
                               {"Missing", V()},
                               {"Flag", V::Flag(false)},
                               {"Count", V::Integer(0)}}));
  tree.Elements.push_back(Row({{"Text", V::Text("say \"6 x 2\"\nnext\rline")},
                               {"Number", V::Number(-inf)},
                               {"Missing", V()},
                               {"Flag", V::Flag(false)},
                               {"Count", V::Integer(0)}}));
  // ISO-8859-1 texts come out as UTF-8, as in the JSON.
  tree.Elements.push_back(Row({{"Text", V::Text("5\xb0")},
                               {"Number", V::Number(1e300)},
                               {"Missing", V()},
                               {"Flag", V::Flag(false)},
                               {"Count", V::Integer(0)}}));
  EXPECT_EQ(ResultsCsv(tree),
            "Text,Number,Missing,Flag,Count\r\n"
            "plain,0.10000000000000001,,true,-3\r\n"
            "\"a,b\",,,false,0\r\n"
            "\"say \"\"6 x 2\"\"\nnext\rline\",,,false,0\r\n"
            "5\xc2\xb0,1.0000000000000001e+300,,false,0\r\n");
}

TEST(ResultTable, NumbersReadBackExactly) {
  for (const double value : {0.1, 1.0 / 3, 30550.918315983297, -2.5e-310, 6.02214076e23}) {
    const std::string text = CsvValueText(V::Number(value));
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
  }
  EXPECT_EQ(CsvValueText(V()), "");
}

TEST(ResultTable, ExportOffersTheProjectNameWithCsv) {
  EXPECT_EQ(DefaultResultsCsvFileName("/home/pe/jobs/route 9.xml"), "/home/pe/jobs/route 9.csv");
  EXPECT_EQ(DefaultResultsCsvFileName("/home/pe/v1.2/design"), "/home/pe/v1.2/design.csv");
  EXPECT_EQ(DefaultResultsCsvFileName("a.b.xml"), "a.b.csv");
  EXPECT_EQ(DefaultResultsCsvFileName(".hidden"), ".hidden.csv");
  EXPECT_EQ(DefaultResultsCsvFileName(""), "results.csv");
  EXPECT_EQ(DefaultResultsCsvFileName("/tmp/"), "/tmp/results.csv");
}
