#include "report.h"

#include "json_writer.h"

namespace mascot::tool {
namespace {

// "shapeBounds" -> "Shape bounds".
std::string Label(std::string_view key) {
  std::string label;
  for (char c : key) {
    if (c >= 'A' && c <= 'Z') {
      label += ' ';
      label += static_cast<char>(c - 'A' + 'a');
    } else {
      label += c;
    }
  }
  if (!label.empty() && label[0] >= 'a' && label[0] <= 'z') label[0] = static_cast<char>(label[0] - 'a' + 'A');
  return label;
}

// Line breaks of multi-line texts continue at the indentation.
std::string IndentedText(std::string_view text, int indent) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    out += c;
    if (c == '\n') out.append(static_cast<std::size_t>(indent) + 2, ' ');
  }
  return out;
}

}  // namespace

Report& Report::append(std::string_view key, Report member) {
  members_.emplace_back(std::string(key), std::move(member));
  return members_.back().second;
}

Report& Report::add(std::string_view key, std::string_view text) {
  Report member(Kind::Text);
  member.text_ = text;
  return append(key, std::move(member));
}

Report& Report::number(std::string_view key, std::int64_t value) {
  Report member(Kind::Number);
  member.number_ = value;
  return append(key, std::move(member));
}

Report& Report::boolean(std::string_view key, bool value) {
  Report member(Kind::Boolean);
  member.flag_ = value;
  return append(key, std::move(member));
}

Report& Report::null(std::string_view key) { return append(key, Report(Kind::Null)); }
Report& Report::object(std::string_view key) { return append(key, Report(Kind::Object)); }
Report& Report::array(std::string_view key) { return append(key, Report(Kind::Array)); }

void Report::writeJson(JsonWriter& json, std::string_view key) const {
  switch (kind_) {
    case Kind::Text: json.value(key, text_); return;
    case Kind::Number: json.number(key, number_); return;
    case Kind::Boolean: json.boolean(key, flag_); return;
    case Kind::Null: json.null(key); return;
    case Kind::Object:
      json.beginObject(key);
      for (const auto& [name, member] : members_) member.writeJson(json, name);
      json.endObject();
      return;
    case Kind::Array:
      json.beginArray(key);
      for (const auto& item : members_) item.second.writeJson(json, {});
      json.endArray();
      return;
  }
}

std::string Report::json() const {
  JsonWriter json;
  writeJson(json, {});
  return json.text();
}

std::string Report::inlineText() const {
  switch (kind_) {
    case Kind::Text: return text_;
    case Kind::Number: return std::to_string(number_);
    case Kind::Boolean: return flag_ ? "yes" : "no";
    case Kind::Null: return "none";
    case Kind::Object: {
      std::string out;
      for (const auto& [name, member] : members_) {
        if (!out.empty()) out += ", ";
        out += Label(name) + " " + member.inlineText();
      }
      return out;
    }
    case Kind::Array: {
      std::string out = "[";
      for (const auto& item : members_) out += (out.size() > 1 ? ", " : "") + item.second.inlineText();
      return out + "]";
    }
  }
  return {};
}

void Report::writeText(std::string& out, int indent) const {
  const std::string pad(static_cast<std::size_t>(indent), ' ');
  if (kind_ == Kind::Array) {
    int number = 1;
    for (const auto& item : members_)
      out += pad + std::to_string(number++) + ". " + IndentedText(item.second.inlineText(), indent) + "\n";
    if (members_.empty()) out += pad + "none\n";
    return;
  }
  for (const auto& [name, member] : members_) {
    out += pad + Label(name) + ":";
    if (member.kind_ == Kind::Object || (member.kind_ == Kind::Array && !member.scalarItems())) {
      out += "\n";
      member.writeText(out, indent + 2);
    } else {
      out += " " + IndentedText(member.inlineText(), indent) + "\n";
    }
  }
}

bool Report::scalarItems() const {
  for (const auto& item : members_)
    if (item.second.kind_ == Kind::Object || item.second.kind_ == Kind::Array) return false;
  return true;
}

std::string Report::text() const {
  std::string out;
  writeText(out, 0);
  return out;
}

}  // namespace mascot::tool
