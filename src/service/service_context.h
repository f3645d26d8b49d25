#pragma once
// The record from which every request to the plan service is built.

#include <string>

namespace plandesk {

// Texts are UTF-8 here; the endpoint calls convert them to GBK on the wire.
// A copy is handed to each thread that makes requests, so nothing is shared.
struct ServiceContext {
  std::string user_name;
  std::string password;
  std::string soft_id = "1";
  std::string base_url;  // scheme, host and port, no trailing slash
};

}  // namespace plandesk
