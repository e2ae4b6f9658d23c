#include "json_writer.h"

#include <cstdio>

#include "storage/text_encoding.h"

namespace mascot::tool {

std::string JsonString(std::string_view raw) {
  std::string text = IsValidUtf8(raw) ? std::string(raw) : Windows1252ToUtf8(raw);
  std::string out = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void JsonWriter::startItem(std::string_view key) {
  if (!hasItems_.empty()) {
    if (hasItems_.back()) out_ += ',';
    hasItems_.back() = true;
    out_ += '\n';
    out_.append(hasItems_.size() * 2, ' ');
  }
  if (!key.empty()) out_ += JsonString(key) + ": ";
}

JsonWriter& JsonWriter::beginObject(std::string_view key) {
  startItem(key);
  out_ += '{';
  hasItems_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::beginArray(std::string_view key) {
  startItem(key);
  out_ += '[';
  hasItems_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::endObject() { return close('}'); }
JsonWriter& JsonWriter::endArray() { return close(']'); }

JsonWriter& JsonWriter::close(char bracket) {
  bool items = hasItems_.back();
  hasItems_.pop_back();
  if (items) {
    out_ += '\n';
    out_.append(hasItems_.size() * 2, ' ');
  }
  out_ += bracket;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view key, std::string_view text) {
  startItem(key);
  out_ += JsonString(text);
  return *this;
}

JsonWriter& JsonWriter::number(std::string_view key, std::int64_t number) {
  startItem(key);
  out_ += std::to_string(number);
  return *this;
}

JsonWriter& JsonWriter::boolean(std::string_view key, bool flag) {
  startItem(key);
  out_ += flag ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null(std::string_view key) {
  startItem(key);
  out_ += "null";
  return *this;
}

}  // namespace mascot::tool
