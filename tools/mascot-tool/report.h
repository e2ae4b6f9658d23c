#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <list>

namespace mascot::tool {

// What a describing command found, built once and shown either as text for
// people or as JSON for scripts.
class Report {
 public:
  enum class Kind { Text, Number, Boolean, Null, Object, Array };

  static Report Object() { return Report(Kind::Object); }
  static Report Array() { return Report(Kind::Array); }

  // Members of an object (keys in lower camel case) or items of an array
  // (empty key). Each returns the added member.
  Report& add(std::string_view key, std::string_view text);
  Report& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
  Report& add(std::string_view key, const std::string& text) { return add(key, std::string_view(text)); }
  Report& number(std::string_view key, std::int64_t value);
  Report& boolean(std::string_view key, bool value);
  Report& null(std::string_view key);
  Report& object(std::string_view key);
  Report& array(std::string_view key);

  std::string json() const;
  // "Label: value" lines; an array of objects gives one line per item.
  std::string text() const;

 private:
  explicit Report(Kind kind) : kind_(kind) {}
  Report& append(std::string_view key, Report member);
  void writeJson(class JsonWriter& json, std::string_view key) const;
  void writeText(std::string& out, int indent) const;
  std::string inlineText() const;
  bool scalarItems() const;

  Kind kind_;
  std::string text_;
  std::int64_t number_ = 0;
  bool flag_ = false;
  std::list<std::pair<std::string, Report>> members_;  // a list: references to members stay valid
};

}  // namespace mascot::tool
