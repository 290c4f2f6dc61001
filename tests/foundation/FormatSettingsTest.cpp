// The process-wide formats: read as copies, so a reader on another thread
// never sees a half-replaced date order; and derived from the locale names.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "foundation/FormatSettings.h"

namespace {

class FormatSettingsTest : public ::testing::Test {
protected:
  void SetUp() override { Saved = FormatSettings(); }
  void TearDown() override { SetFormatSettings(Saved); }
  TFormatSettings Saved;
};

// Restores one environment variable at the end of a test.
class TEnvironmentVariable {
public:
  TEnvironmentVariable(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old, FHad = true;
    setenv(name, value, 1);
  }
  ~TEnvironmentVariable() {
    if (FHad)
      setenv(FName, FOld.c_str(), 1);
    else
      unsetenv(FName);
  }

private:
  const char* FName;
  std::string FOld;
  bool FHad = false;
};

}  // namespace

TEST_F(FormatSettingsTest, ACopyTakenBeforeAChangeKeepsItsValues) {
  SetFormatSettings({'.', '/', "MDY"});
  const TFormatSettings before = FormatSettings();
  SetFormatSettings({',', '.', "DMY"});
  EXPECT_EQ(before.DecimalSeparator, '.');
  EXPECT_EQ(before.DateOrder, "MDY");
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings().DateOrder, "DMY");
}

TEST_F(FormatSettingsTest, ReadersOnOtherThreadsSeeOneWholeSettingOrTheOther) {
  const TFormatSettings us{'.', '/', "MDY"};
  const TFormatSettings european{',', '.', "DMY"};
  std::atomic<bool> stop{false};
  std::atomic<int> mixed{0};
  std::thread reader([&] {
    while (!stop) {
      const TFormatSettings seen = FormatSettings();
      const bool isUs = seen.DecimalSeparator == '.' && seen.DateSeparator == '/' && seen.DateOrder == "MDY";
      const bool isEuropean = seen.DecimalSeparator == ',' && seen.DateSeparator == '.' && seen.DateOrder == "DMY";
      if (!isUs && !isEuropean) ++mixed;
    }
  });
  for (int i = 0; i < 20000; ++i) SetFormatSettings(i % 2 ? us : european);
  stop = true;
  reader.join();
  EXPECT_EQ(mixed, 0);
}

TEST_F(FormatSettingsTest, LocaleNamesGiveSeparatorsAndDateOrder) {
  const TEnvironmentVariable all("LC_ALL", "de_DE.UTF-8");
  TFormatSettings german = FormatSettingsFromEnvironment();
  EXPECT_EQ(german.DecimalSeparator, ',');
  EXPECT_EQ(german.DateSeparator, '.');
  EXPECT_EQ(german.DateOrder, "DMY");

  setenv("LC_ALL", "sv_SE", 1);
  const TFormatSettings swedish = FormatSettingsFromEnvironment();
  EXPECT_EQ(swedish.DateSeparator, '-');
  EXPECT_EQ(swedish.DateOrder, "YMD");

  // Anything unknown keeps the defaults.
  setenv("LC_ALL", "xx_YY", 1);
  const TFormatSettings unknown = FormatSettingsFromEnvironment();
  EXPECT_EQ(unknown.DecimalSeparator, '.');
  EXPECT_EQ(unknown.DateSeparator, '/');
  EXPECT_EQ(unknown.DateOrder, "MDY");
}
