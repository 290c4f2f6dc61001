#include <gtest/gtest.h>

#include <cmath>
#include "foundation/BaseObject.h"

#include "foundation/DateTime.h"
#include "foundation/DisplayFormat.h"
#include "foundation/FormatSettings.h"
#include "foundation/Latin1.h"
#include "foundation/Messages.h"

namespace {
// Counts live instances so tests can see what a list frees.
struct TCounted : TBaseObject {
  static int Alive;
  static int FlagQueries;
  explicit TCounted(bool flagged = false) {
    ++Alive;
    Flag = flagged;
  }
  ~TCounted() override { --Alive; }
  bool IsFlagged() const override {
    ++FlagQueries;
    return Flag;
  }
};
int TCounted::Alive = 0;
int TCounted::FlagQueries = 0;

TBaseList* ListOf(int count) {
  auto* list = new TBaseList();
  for (int i = 0; i < count; ++i) list->Add("k" + std::to_string(i), new TCounted());
  return list;
}
}  // namespace

TEST(BaseObject, ConstructionAssignAndReset) {
  TBaseObject a, b;
  EXPECT_EQ(a.Tag(), 0);
  EXPECT_FALSE(a.IsFlagged());
  a.SetTag(42);
  a.Flag = true;
  b.Assign(&a);
  EXPECT_EQ(b.Tag(), 42);
  EXPECT_TRUE(b.IsFlagged());
  b.Reset();
  EXPECT_FALSE(b.IsFlagged());
  EXPECT_EQ(b.Tag(), 42);
}

TEST(BaseList, CursorRules) {
  std::unique_ptr<TBaseList> list(ListOf(5));
  EXPECT_EQ(list->ItemIndex, 4) << "Add moves the cursor to the new entry";
  list->SetItemIndex(3);
  EXPECT_EQ(list->DeleteCurrent(), 0);
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(list->ItemIndex, 2);
  EXPECT_EQ(TCounted::Alive, 4);

  list->SetItemIndex(-2);
  EXPECT_EQ(list->ItemIndex, -1);
  list->SetItemIndex(list->Count());
  EXPECT_EQ(list->ItemIndex, -1);
  EXPECT_EQ(list->Current(), nullptr);
  EXPECT_EQ(list->DeleteCurrent(), -1);
  EXPECT_EQ(list->Count(), 4);

  list->First();
  EXPECT_EQ(list->ItemIndex, 0);
  TBaseList empty;
  empty.First();
  EXPECT_EQ(empty.ItemIndex, -1);

  std::unique_ptr<TBaseList> one(ListOf(1));
  one->SetItemIndex(0);
  EXPECT_EQ(one->DeleteCurrent(), 0);
  EXPECT_EQ(one->Count(), 0);
  EXPECT_EQ(one->ItemIndex, -1);
}

TEST(BaseList, ResetAndAssignDropWhileClearFrees) {
  const int before = TCounted::Alive;
  {
    std::unique_ptr<TBaseList> list(ListOf(3));
    TBaseObject* kept = list->Object(1);
    list->Reset();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->ItemIndex, -1);
    EXPECT_EQ(TCounted::Alive, before + 3) << "Reset must not free the objects";
    EXPECT_NE(dynamic_cast<TCounted*>(kept), nullptr);

    for (int i = 0; i < 3; ++i) list->Add("", new TCounted());
    TBaseList other;
    list->Assign(&other);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(TCounted::Alive, before + 6);

    for (int i = 0; i < 3; ++i) list->Add("", new TCounted());
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->ItemIndex, -1);
    EXPECT_EQ(TCounted::Alive, before + 6) << "Clear frees its objects";
  }
  EXPECT_EQ(TCounted::Alive, before) << "the list frees what it dropped when it goes";
}

TEST(BaseList, IsFlaggedStopsAtFirstFlaggedEntry) {
  TBaseList list;
  EXPECT_FALSE(list.IsFlagged());
  list.Add("", new TCounted(false));
  list.Add("", new TCounted(true));
  list.Add("", new TCounted(false));
  TCounted::FlagQueries = 0;
  EXPECT_TRUE(list.IsFlagged());
  EXPECT_EQ(TCounted::FlagQueries, 2);
}

TEST(BaseList, SortIsCaseInsensitiveAndReferenceListsDoNotFree) {
  TBaseList list;
  list.Add("beta", new TCounted());
  list.Add("Alpha", new TCounted());
  list.Add("alpha", new TCounted());
  list.Sort();
  EXPECT_EQ(list.Key(0), "Alpha");
  EXPECT_EQ(list.Key(1), "alpha");
  EXPECT_EQ(list.Key(2), "beta");

  const int before = TCounted::Alive;
  {
    TBaseList references(false);
    references.Add("", list.Object(0));
    references.Clear();
  }
  EXPECT_EQ(TCounted::Alive, before);
}

TEST(Messages, CatalogueAndMessageBoxSeam) {
  EXPECT_EQ(MessageText(0), "");
  EXPECT_EQ(MessageText(-4), "Cannot save file.");
  EXPECT_EQ(MessageText(-1103), "File not compatible with the current version of Nerra");
  EXPECT_EQ(MessageText(1003), "Item successfully imported");
  EXPECT_EQ(MessageText(-77), "Internal Error");
  EXPECT_EQ(MessageText(2), "Internal Error");

  std::vector<std::pair<TMessageKind, std::string>> shown;
  SetMessageBoxHandler([&](TMessageKind kind, const std::string& text) {
    shown.emplace_back(kind, text);
    return true;
  });
  ShowMessageCode(1003);
  ShowMessageCode(0);
  EXPECT_TRUE(shown.empty());
  ShowMessageCode(-1103);
  ShowMessageCode(-77);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].first, TMessageKind::Error);
  EXPECT_EQ(shown[0].second, "File not compatible with the current version of Nerra");
  EXPECT_EQ(shown[1].second, "Internal Error");
  SetMessageBoxHandler(nullptr);
  EXPECT_FALSE(ShowMessageBox(TMessageKind::Confirmation, "Continue?"));
}

TEST(DateTime, ZeroDateAndParsingFollowTheUserFormat) {
  int y, m, d;
  DecodeDate(0, y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(2023, 2, 29), 0) << "not a date";

  const TFormatSettings saved = FormatSettings();
  SetFormatSettings({'.', '/', "MDY"});
  TDateTime date = 0;
  EXPECT_TRUE(TryStrToDate("03/15/2024", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 15));
  EXPECT_FALSE(TryStrToDate("15/03/2024", date));
  EXPECT_FALSE(TryStrToDate("03/15/2024 ", date));
  EXPECT_FALSE(TryStrToDate("03-15-2024", date));
  EXPECT_TRUE(TryStrToDate("3/5/24", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 5));
  SetFormatSettings({',', '.', "DMY"});
  EXPECT_TRUE(TryStrToDate("15.03.2024", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 15));
  EXPECT_EQ(DateToStr(date), "15.03.2024");
  SetFormatSettings(saved);
}

TEST(Latin1, ConversionsAtTheEdge) {
  EXPECT_EQ(Utf8ToLatin1("caf\xc3\xa9"), "caf\xe9");
  EXPECT_EQ(Utf8ToLatin1("\xe2\x82\xac 5"), "? 5") << "the euro sign is not in ISO-8859-1";
  EXPECT_EQ(Latin1ToUtf8("caf\xe9"), "caf\xc3\xa9");
  EXPECT_EQ(Utf8ToLatin1("\xe9t\xe9"), "\xe9t\xe9") << "bytes that are not UTF-8 stay as they are";
}

TEST(DisplayFormat, FixedDecimalsWithNineSignificantDigits) {
  EXPECT_EQ(FormatFixed(3.14159, 2), "3.14");
  EXPECT_EQ(FormatFixed(2.5, 0), "3") << "halves round away from zero";
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00") << "no negative zero";
  EXPECT_EQ(FormatFixed(1234567.891, 4), "1234567.8900") << "digits past the ninth show as zeros";
  EXPECT_EQ(FormatFixed(12, 3), "12.000");
  EXPECT_EQ(FormatFixed(2.5e9, 2), "2.50000000E+09");
  EXPECT_EQ(FormatFixed(std::nan(""), 2), "");
  const TFormatSettings saved = FormatSettings();
  SetFormatSettings({',', '.', "DMY"});
  EXPECT_EQ(FormatFixed(0.5, 2), "0,50");
  SetFormatSettings(saved);
}

TEST(DisplayFormat, RoundingCarriesAndSmallValues) {
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(-0.125, 2), "-0.13");
  EXPECT_EQ(FormatFixed(9.999, 2), "10.00");
  EXPECT_EQ(FormatFixed(999999999.4, 0), "999999999");
  EXPECT_EQ(FormatFixed(0.0004, 3), "0.000");
  EXPECT_EQ(FormatFixed(0.0005, 3), "0.001");
  EXPECT_EQ(FormatFixed(0.012, 4), "0.0120");
  EXPECT_EQ(FormatFixed(100, 0), "100");
}
