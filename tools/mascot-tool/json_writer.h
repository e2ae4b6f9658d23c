#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mascot::tool {

// Builds indented JSON text. Keys and strings are escaped; texts that are not
// valid UTF-8 are read byte by byte as Windows-1252 would show them, so the
// output is always valid JSON.
class JsonWriter {
 public:
  JsonWriter& beginObject(std::string_view key = {});
  JsonWriter& endObject();
  JsonWriter& beginArray(std::string_view key = {});
  JsonWriter& endArray();
  JsonWriter& value(std::string_view key, std::string_view text);
  JsonWriter& value(std::string_view key, const char* text) { return value(key, std::string_view(text)); }
  JsonWriter& number(std::string_view key, std::int64_t number);
  JsonWriter& boolean(std::string_view key, bool flag);
  JsonWriter& null(std::string_view key);

  // The finished text with a final line break.
  std::string text() const { return out_ + "\n"; }

 private:
  void startItem(std::string_view key);
  JsonWriter& close(char bracket);

  std::string out_;
  std::vector<bool> hasItems_;  // one per open object or array
};

std::string JsonString(std::string_view text);

}  // namespace mascot::tool
