#include "service/url.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace plandesk {
namespace {

// "#引号" in GBK, the stand-in for a double quote inside markers.
const std::string kQuote = "#\xD2\xFD\xBA\xC5";

TEST(UrlHost, TakesTheLowerCasedHostWithOrWithoutPort) {
  struct Case {
    std::string url;
    bool keep_port;
    std::string host;
  };
  const Case cases[] = {
      {"http://Host:8080/chkuser.asp?username=a&password=b", false, "host"},
      {"http://Host:8080/chkuser.asp?username=a&password=b", true, "host:8080"},
      {"HTTPS://WWW.Example.COM/x", false, "www.example.com"},
      {"https://127.0.0.1:8443", true, "127.0.0.1:8443"},
      {"http://example.com", false, "example.com"},
      {"www.Example.com/x", false, "www.example.com"},
      {"example.com:81", true, "example.com:81"},
      // Only a scheme at the start counts.
      {"host/go?to=http://elsewhere/x", false, "host"},
      {"", false, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(url_host(c.url, c.keep_port), c.host) << c.url << " " << c.keep_port;
}

TEST(UrlPort, TakesTheNamedPortOrTheSchemesDefault) {
  struct Case {
    std::string url;
    std::int64_t port;
  };
  const Case cases[] = {
      {"http://host:8080/x", 8080}, {"http://host/x", 80}, {"https://host/x", 443}, {"HTTPS://host", 443},
      {"https://host:8443/", 8443}, {"host", 80},          {"host:81/x", 81},       {"http://host:abc/", 0},
      {"http://host/a?t=1:99", 80},
  };
  for (const Case& c : cases) EXPECT_EQ(url_port(c.url), c.port) << c.url;
}

TEST(UrlPath, KeepsPathAndQueryByteForByte) {
  struct Case {
    std::string url;
    std::string path;
  };
  const Case cases[] = {
      {"http://Host:8080/chkuser.asp?username=a&password=b", "/chkuser.asp?username=a&password=b"},
      {"http://host:8080", "/"},
      {"http://host", "/"},
      {"host/A.asp?X=Y", "/A.asp?X=Y"},
      {"HTTP://HOST/Path/Mixed?Q=\xD6\xD0 x&R=%41", "/Path/Mixed?Q=\xD6\xD0 x&R=%41"},
      // Hosts that also occur inside the scheme.
      {"http://h/a.asp?x=1", "/a.asp?x=1"},
      {"https://tps:81/x", "/x"},
  };
  for (const Case& c : cases) EXPECT_EQ(url_path(c.url), c.path) << c.url;
}

TEST(TextBetween, FindsMarkersWithoutRegardToCase) {
  struct Case {
    std::string text, left, right, between;
  };
  const Case cases[] = {
      {"HTTP/1.1 301 Moved Permanently", "HTTP/1.1 ", " Moved", "301"},
      {"<B>x</b>", "<b>", "</B>", "x"},
      {"a=1;b=2;", "b=", ";", "2"},
      // The right marker is looked for after the left one.
      {"ab", "ab", "b", ""},
      {"\xD6\xD0[\xB9\xFA]", "[", "]", "\xB9\xFA"},
      {"name=\"v\"", "name=" + kQuote, kQuote, "v"},
      {"no markers", "<", ">", ""},
      {"left only <x", "<", ">", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(text_between(c.text, c.left, c.right), c.between) << c.text;
}

}  // namespace
}  // namespace plandesk
