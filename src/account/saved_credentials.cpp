#include "account/saved_credentials.h"

namespace plandesk {
namespace {

constexpr std::string_view section = "配置";

}  // namespace

SavedCredentials read_saved_credentials(const std::filesystem::path& file) {
  const ProfileLoad load = PrivateProfile::load(file);
  if (!load.profile) return {};
  return {load.profile->read(section, "user"), load.profile->read(section, "upwd")};
}

ProfileStatus save_credentials(const std::filesystem::path& file, const SavedCredentials& credentials) {
  ProfileLoad load = PrivateProfile::load(file);
  if (!load.profile) return {false, load.error};
  PrivateProfile& profile = *load.profile;
  ProfileStatus written = profile.write(section, "user", credentials.user_name);
  if (written.ok) written = profile.write(section, "upwd", credentials.password);
  return written.ok ? profile.save() : written;
}

ProfileStatus update_saved_password(const std::filesystem::path& file, std::string_view user_name,
                                    std::string_view new_password) {
  ProfileLoad load = PrivateProfile::load(file);
  if (!load.profile) return {false, load.error};
  PrivateProfile& profile = *load.profile;
  if (profile.find(section, "user") != std::optional<std::string>(user_name)) return {};
  const ProfileStatus written = profile.write(section, "upwd", new_password);
  return written.ok ? profile.save() : written;
}

}  // namespace plandesk
