#include "appmodel/UpdateCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

// A scratch folder of its own per test, removed afterwards.
class UpdateCheckTest : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() /
             ("drevia-update-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(Folder);
    fs::create_directories(Folder / "release");
  }
  void TearDown() override { fs::remove_all(Folder); }

  fs::path Write(const fs::path& name, const std::string& content) {
    const fs::path file = Folder / name;
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

  // A program file with some code around its embedded record.
  fs::path Program(const fs::path& name, const std::string& version) {
    std::string content(3000, '\x7f');
    content += std::string("DREVIA-FILE-VERSION:") + version + "\nProductName=Drevia" + '\0';
    content += std::string(500, '\x01');
    return Write(name, content);
  }

  fs::path Record(const std::string& section) {
    return Write("drevia-install.ini", "; installation record\n[" + section + "]\n" +
                                           "ApplicationFilename=" + (Folder / "drevia").string() + "\n" +
                                           "UpdateApplicationPath=" + (Folder / "release").string() + "\n" +
                                           "SetupFilename=\"" + (Folder / "setup").string() + "\"\n");
  }

  // Services that read the real files and record what was asked and started.
  TUpdateServices Services(bool answer) {
    TUpdateServices services;
    services.VersionOfFile = [](const std::string& file) { return ProgramFileVersionText(file); };
    services.Confirm = [this, answer](const std::string& question) {
      Questions.push_back(question);
      return answer;
    };
    services.StartProcess = [this](const std::string& program) {
      Started.push_back(program);
      return StartSucceeds;
    };
    return services;
  }

  fs::path Folder;
  std::vector<std::string> Questions, Started;
  bool StartSucceeds = true;
};

TEST(CompareVersions, FieldsCompareAsNumbersLettersFirst) {
  EXPECT_LT(CompareVersions("1.2.0.7.", "1.10.0.0."), 0);
  EXPECT_GT(CompareVersions("1.10.0.0.", "1.2.0.7."), 0);
  EXPECT_EQ(CompareVersions("1.2", "1.2.0.0."), 0);
  EXPECT_EQ(CompareVersions("", ""), 0);
  EXPECT_LT(CompareVersions("2A", "2B"), 0);
  EXPECT_GT(CompareVersions("A1", "1"), 0);
  EXPECT_EQ(CompareVersions("1.2a", "1.2A"), 0);
  EXPECT_EQ(CompareVersions(" 1 . 02 ", "1.2"), 0);
  // Longer digit runs than any int still order by value.
  EXPECT_LT(CompareVersions("1.99999999999999999999", "1.100000000000000000000"), 0);
}

TEST(CompareVersions, StraySignsEndTheComparison) {
  // Neither letter nor digit: once hung the loop for good.
  EXPECT_EQ(CompareVersions("1.-", "1.0"), 0);
  EXPECT_EQ(CompareVersions("1.2+", "1.2"), 0);
  EXPECT_LT(CompareVersions("1.2-3", "1.2-4"), 0);
}

TEST_F(UpdateCheckTest, RecordValuesAreReadByKeyAndName) {
  const fs::path record = Write("record.ini",
                                "\xEF\xBB\xBF[software\\qorv\\\\Tool\\Install\\]\n"
                                "  applicationfilename = /opt/a \n"
                                "Quoted=\"/opt/b c\"\n"
                                "[SOFTWARE\\QORV\\INSTALL]\nApplicationFilename=/opt/other\n");
  EXPECT_EQ(ReadRegistryString(record, "\\SOFTWARE\\QORV\\Tool\\INSTALL", "ApplicationFilename"), "/opt/a");
  EXPECT_EQ(ReadRegistryString(record, InstallKeyPath("Tool"), "Quoted"), "/opt/b c");
  EXPECT_EQ(ReadRegistryString(record, InstallKeyPath(""), "ApplicationFilename"), "/opt/other");
  EXPECT_EQ(ReadRegistryString(record, InstallKeyPath("Tool"), "SetupFilename"), "");
  EXPECT_EQ(ReadRegistryString(Folder / "missing.ini", InstallKeyPath("Tool"), "Quoted"), "");
  EXPECT_FALSE(fs::exists(Folder / "missing.ini"));
}

TEST_F(UpdateCheckTest, ProgramVersionIsFoundByItsRecord) {
  EXPECT_EQ(ProgramFileVersionText(Program("drevia", "1.2.0.7")), "1.2.0.7.");
  const TProgramFileVersion version = ReadProgramFileVersion(Folder / "drevia");
  EXPECT_TRUE(version.Found);
  EXPECT_EQ(version.FileVersion, "1.2.0.7");
  EXPECT_EQ(version.ProductName, "Drevia");
  // The marker alone, or with no version after it, is no record.
  EXPECT_EQ(ProgramFileVersionText(Write("plain", std::string("DREVIA-FILE-VERSION:") + '\0' + "text")), "");
  EXPECT_EQ(ProgramFileVersionText(Write("bad", "DREVIA-FILE-VERSION:1.x.0.0")), "");
  EXPECT_EQ(ProgramFileVersionText(Folder / "none"), "");
  EXPECT_EQ(ProgramFileVersionText(Folder), "");
}

TEST_F(UpdateCheckTest, RecordAcrossTheReadChunksIsFound) {
  // The record straddles the first 1 MiB read.
  std::string content((1 << 20) - 10, 'x');
  content += std::string("DREVIA-FILE-VERSION:2.0.1.3") + '\0';
  EXPECT_EQ(ProgramFileVersionText(Write("big", content)), "2.0.1.3.");
}

TEST_F(UpdateCheckTest, NewerReleaseIsOfferedAndItsInstallerStarted) {
  Program("drevia", "1.1.0.0");
  Program("release/drevia", "1.2.0.0");
  const fs::path record = Record("SOFTWARE\\QORV\\INSTALL");
  EXPECT_TRUE(RunUpdateCheck(record, "", Services(true)));
  ASSERT_EQ(Questions.size(), 1u);
  EXPECT_EQ(Questions[0], UpdateQuestion);
  ASSERT_EQ(Started.size(), 1u);
  EXPECT_EQ(Started[0], (Folder / "setup").string());

  Started.clear();
  StartSucceeds = false;
  EXPECT_FALSE(RunUpdateCheck(record, "", Services(true)));
  EXPECT_EQ(Started.size(), 1u);
}

TEST_F(UpdateCheckTest, NoUpdateWithoutANewerReleaseOrConsent) {
  Program("drevia", "1.2.0.0");
  Program("release/drevia", "1.2.0.0");
  const fs::path record = Record("SOFTWARE\\QORV\\INSTALL");
  EXPECT_FALSE(RunUpdateCheck(record, "", Services(true)));
  EXPECT_TRUE(Questions.empty());

  Program("release/drevia", "1.3.0.0");
  EXPECT_FALSE(RunUpdateCheck(record, "", Services(false)));
  EXPECT_EQ(Questions.size(), 1u);
  EXPECT_TRUE(Started.empty());
}

TEST_F(UpdateCheckTest, NoInstallRecordAsksNothing) {
  Program("drevia", "1.1.0.0");
  Program("release/drevia", "1.2.0.0");
  EXPECT_FALSE(RunUpdateCheck(Folder / "drevia-install.ini", "", Services(true)));
  // A record of another application key is no record of this one.
  EXPECT_FALSE(RunUpdateCheck(Record("SOFTWARE\\QORV\\Other\\INSTALL"), "", Services(true)));
  EXPECT_TRUE(Questions.empty());
  EXPECT_TRUE(Started.empty());
}

TEST(UpdateApplicationFilename, FileNameOfTheInstallInTheUpdateFolder) {
  TAutoUpdate record;
  record.ApplicationFilename = "C:\\Program Files\\QORV\\drevia.exe";
  record.UpdateApplicationPath = "/srv/release/";
  EXPECT_EQ(UpdateApplicationFilename(record), "/srv/release/drevia.exe");
  record.UpdateApplicationPath = "/srv/release";
  record.ApplicationFilename = "/opt/drevia/bin/drevia";
  EXPECT_EQ(UpdateApplicationFilename(record), "/srv/release/drevia");
  record.UpdateApplicationPath.clear();
  EXPECT_EQ(UpdateApplicationFilename(record), "");
}
}  // namespace
