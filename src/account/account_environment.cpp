#include "account/account_environment.h"

#include "account/saved_credentials.h"

namespace plandesk {

std::filesystem::path AccountEnvironment::credentials_file() const {
  return data_dir / credentials_file_name;
}

}  // namespace plandesk
