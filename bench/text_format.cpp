#include "text_format.h"

#include <cstdio>

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string quoted(const char* text) {
  std::string out = "\"";
  for (const char* at = text; *at != '\0'; ++at) {
    auto c = static_cast<unsigned char>(*at);
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\x%02X", c);
          out += escape;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}
