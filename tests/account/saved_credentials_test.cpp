#include "account/saved_credentials.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"
#include "text/gbk.h"

namespace plandesk {
namespace {

using testing::read_bytes;
using testing::write_bytes;

class SavedCredentialsTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::filesystem::path file = dir / credentials_file_name;
};

TEST_F(SavedCredentialsTest, MissingFileReadsEmpty) {
  const SavedCredentials saved = read_saved_credentials(file);
  EXPECT_EQ(saved.user_name, "");
  EXPECT_EQ(saved.password, "");
}

TEST_F(SavedCredentialsTest, SavesGbkIniOwnerOnlyAndReadsBack) {
  ASSERT_TRUE(save_credentials(file, {"张三丰", "p=w d"}).ok);
  const std::string bytes = read_bytes(file);
  EXPECT_NE(bytes.find(utf8_to_gbk("[配置]")), std::string::npos);
  EXPECT_NE(bytes.find(utf8_to_gbk("user=张三丰")), std::string::npos);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  const SavedCredentials saved = read_saved_credentials(file);
  EXPECT_EQ(saved.user_name, "张三丰");
  EXPECT_EQ(saved.password, "p=w d");
}

TEST_F(SavedCredentialsTest, SavingReplacesBothKeysAndKeepsOtherLines) {
  write_bytes(file, utf8_to_gbk("; kept\r\n[配置]\r\nuser=old\r\nupwd=oldpw\r\nother=1\r\n"));
  ASSERT_TRUE(save_credentials(file, {"demo", "demo123"}).ok);
  EXPECT_EQ(gbk_to_utf8(read_bytes(file)), "; kept\r\n[配置]\r\nuser=demo\r\nupwd=demo123\r\nother=1\r\n");
}

TEST_F(SavedCredentialsTest, PasswordFollowsAChangeOnlyForTheSavedUser) {
  struct Case {
    const char* saved_user;
    const char* changed_user;
    const char* upwd_after;
  } cases[] = {
      {"demo", "demo", "newpass1"},
      {"other", "demo", "demo123"},
      {"Demo", "demo", "demo123"},  // user names are compared exactly
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(save_credentials(file, {c.saved_user, "demo123"}).ok);
    const std::string before = read_bytes(file);
    ASSERT_TRUE(update_saved_password(file, c.changed_user, "newpass1").ok);
    EXPECT_EQ(read_saved_credentials(file).password, c.upwd_after) << c.saved_user;
    EXPECT_EQ(read_saved_credentials(file).user_name, c.saved_user);
    if (std::string(c.upwd_after) == "demo123") {
      EXPECT_EQ(read_bytes(file), before);
    }
  }
}

TEST_F(SavedCredentialsTest, ChangeWithoutSavedLoginCreatesNoFile) {
  ASSERT_TRUE(update_saved_password(file, "demo", "newpass1").ok);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(SavedCredentialsTest, UnwritableFolderIsReported) {
  const auto missing = dir / "no-such-folder" / credentials_file_name;
  EXPECT_FALSE(save_credentials(missing, {"demo", "demo123"}).ok);
}

}  // namespace
}  // namespace plandesk
