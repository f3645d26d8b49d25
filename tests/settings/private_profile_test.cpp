#include "settings/private_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;

PrivateProfile profile_of(const std::string& utf8_text) {
  return PrivateProfile({}, utf8_to_gbk(utf8_text));
}

TEST(PrivateProfile, FindsKeysTheWayThePlatformDoes) {
  // "乚" ends in the byte 0x5D, which is "]" in ASCII.
  const auto profile = profile_of(
      "; comment=1\r\n"
      "[Main]\r\n"
      "  Name  =  value with inner blanks  \r\n"
      "quoted=\"  padded \"\r\n"
      "single='x'\r\n"
      "empty=\r\n"
      "[other]\n"
      "name=from other\n"
      "[乚段]\r\n"
      "键=中文值\r\n"
      "[main]\r\n"
      "late=second section of the same name\r\n"
      "[last]\r\n"
      "tail=no line break");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"Main", "Name", "value with inner blanks"},
      {"MAIN", "name", "value with inner blanks"},
      {"main", " name ", "value with inner blanks"},
      {"Main", "quoted", "  padded "},
      {"Main", "single", "x"},
      {"Main", "empty", ""},
      {"Main", "missing", std::nullopt},
      {"other", "name", "from other"},
      {"乚段", "键", "中文值"},
      {"main", "late", std::nullopt},
      {"last", "tail", "no line break"},
      {"", "comment", std::nullopt},
      {"nowhere", "name", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(profile.find(c.section, c.key), c.value) << c.section << "/" << c.key;
  EXPECT_EQ(profile.read("Main", "missing"), "");
}

TEST(PrivateProfile, WriteTouchesOnlyItsOwnKey) {
  struct Case {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      {"replaces in place, other lines kept byte for byte",
       "; hand note\r\n[a]\nk=1\nunknown = x \r\n[b]\r\nk=2\r\n", "a", "k", "9",
       "; hand note\r\n[a]\nk=9\nunknown = x \r\n[b]\r\nk=2\r\n"},
      {"matches section and key case-insensitively", "[SSC]\r\nCycle = 3\r\n", "ssc", "cycle", "4",
       "[SSC]\r\ncycle=4\r\n"},
      {"adds after the section's last line, before blank lines", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z",
       "3", "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
      {"adds to a last line without a line break", "[a]\r\nx=1", "a", "z", "3", "[a]\r\nx=1\r\nz=3\r\n"},
      {"adds a missing section at the end", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
      {"adds a section after a last line without a break", "x", "b", "y", "2", "x\r\n[b]\r\ny=2\r\n"},
      {"creates an empty file's first section", "", "ssc", "k", "v", "[ssc]\r\nk=v\r\n"},
      {"writes only into the first section of a name", "[a]\r\n[b]\r\n[a]\r\nk=1\r\n", "a", "k", "2",
       "[a]\r\nk=2\r\n[b]\r\n[a]\r\nk=1\r\n"},
      {"quotes a value that would lose its blanks", "", "s", "k", " 3 ", "[s]\r\nk=\" 3 \"\r\n"},
  };
  for (const auto& c : cases) {
    PrivateProfile profile({}, c.before);
    EXPECT_TRUE(profile.write(c.section, c.key, c.value).ok) << c.name;
    EXPECT_EQ(profile.bytes(), c.after) << c.name;
  }
}

TEST(PrivateProfile, ValuesReadBackAsWritten) {
  for (const char* value : {"abc", "3", "", " 3 ", "\"q\"", "'", "a=b", "中文", "[x]", "; not a comment"}) {
    auto profile = profile_of("[s]\r\nk=old\r\n");
    ASSERT_TRUE(profile.write("s", "k", value).ok) << value;
    EXPECT_EQ(profile.find("s", "k"), value) << value;
  }
}

TEST(PrivateProfile, RefusesTextsThatWouldBreakTheFile) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"s", "k", "line\r\nnext=1"},
      {"s", "k", "a\nb"},
      {"s", "k=x", "v"},
      {"s", "", "v"},
      {"s]", "k", "v"},
      {"s\n", "k", "v"},
      // GBK cannot hold it: it would come back as "?" instead of as typed.
      {"s", "k", "3😀"},
  };
  for (const auto& c : cases) {
    auto profile = profile_of("[s]\r\nk=1\r\n");
    const auto status = profile.write(c.section, c.key, c.value);
    EXPECT_FALSE(status.ok) << c.key;
    EXPECT_FALSE(status.error.empty());
    EXPECT_EQ(profile.bytes(), "[s]\r\nk=1\r\n");
  }
}

TEST(PrivateProfile, SavesAtomicallyForTheOwnerOnly) {
  TempDir dir;
  const auto file = dir / "p.ini";
  write_bytes(file, "[a]\r\nkeep=me\r\n");
  ::chmod(file.c_str(), 0644);

  auto loaded = PrivateProfile::load(file);
  ASSERT_TRUE(loaded.profile) << loaded.error;
  ASSERT_TRUE(loaded.profile->write("a", "k", "v").ok);
  const auto saved = loaded.profile->save();
  ASSERT_TRUE(saved.ok) << saved.error;

  EXPECT_EQ(read_bytes(file), "[a]\r\nkeep=me\r\nk=v\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "no temporary file left";
}

TEST(PrivateProfile, ReportsFilesItCannotUse) {
  TempDir dir;
  const auto missing = PrivateProfile::load(dir / "none.ini");
  ASSERT_TRUE(missing.profile);
  EXPECT_TRUE(missing.profile->bytes().empty());

  std::filesystem::create_directory(dir / "folder.ini");
  const auto folder = PrivateProfile::load(dir / "folder.ini");
  EXPECT_FALSE(folder.profile);
  EXPECT_NE(folder.error.find("folder.ini"), std::string::npos);

  write_bytes(dir / "plain", "x");
  const auto status = PrivateProfile(dir / "plain" / "p.ini", "[a]\r\n").save();
  EXPECT_FALSE(status.ok);
  EXPECT_NE(status.error.find("p.ini"), std::string::npos);
}

}  // namespace
}  // namespace plandesk
