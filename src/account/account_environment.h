#pragma once
// What the account windows are handed by the application: the service record
// they fill and read, the data folder of the saved-credentials file, the two
// window decorators and the message boxes.

#include <filesystem>

#include "service/service_context.h"

namespace plandesk {

class MessageBox;
class WindowDecorator;

struct AccountEnvironment {
  ServiceContext& context;
  std::filesystem::path data_dir;
  WindowDecorator& login_decorator;
  WindowDecorator& registration_decorator;
  MessageBox& messages;

  std::filesystem::path credentials_file() const;
};

}  // namespace plandesk
