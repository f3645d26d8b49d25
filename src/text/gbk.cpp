#include "text/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace plandesk {
namespace {

// One iconv descriptor per direction and thread: opening one costs more than
// converting a typical reply, and a descriptor must not be shared by threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an unconvertible or invalid input sequence is replaced by
  // "?" and `skip(bytes_left)` tells how many input bytes to step over.
  template <typename Skip>
  std::string run(std::string_view in, Skip skip) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char buffer[4096];
    while (src_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: one character cannot be converted or is cut short.
      const std::size_t step = skip(std::string_view(src, src_left));
      out.push_back('?');
      src += step;
      src_left -= step;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts the text, or 1 for a stray byte.
std::size_t utf8_sequence_length(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t n = 1;
  if (lead >= 0xF0 && lead <= 0xF4)
    n = 4;
  else if (lead >= 0xE0)
    n = 3;
  else if (lead >= 0xC2 && lead <= 0xDF)
    n = 2;
  if (n > s.size()) return 1;
  for (std::size_t i = 1; i < n; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  return n;
}

// A GBK character that cannot be converted: step over its two bytes when it
// looks like a double-byte character, otherwise over one byte.
std::size_t gbk_sequence_length(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead >= 0x81 && lead <= 0xFE && s.size() >= 2) {
    const auto trail = static_cast<unsigned char>(s[1]);
    if (trail >= 0x40 && trail != 0x7F && trail != 0xFF) return 2;
  }
  return 1;
}

Converter& to_gbk() {
  thread_local Converter c("CP936", "UTF-8");
  return c;
}

Converter& to_utf8() {
  thread_local Converter c("UTF-8", "CP936");
  return c;
}

}  // namespace

bool is_ascii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string utf8_to_gbk(std::string_view utf8) {
  if (is_ascii(utf8)) return std::string(utf8);
  return to_gbk().run(utf8, utf8_sequence_length);
}

std::string gbk_to_utf8(std::string_view gbk) {
  if (is_ascii(gbk)) return std::string(gbk);
  return to_utf8().run(gbk, gbk_sequence_length);
}

bool fits_gbk(std::string_view utf8) {
  if (is_ascii(utf8)) return true;
  return gbk_to_utf8(utf8_to_gbk(utf8)) == utf8;
}

std::size_t gbk_length(std::string_view utf8) {
  if (is_ascii(utf8)) return utf8.size();
  return utf8_to_gbk(utf8).size();
}

}  // namespace plandesk
