#include "errors/error_text.h"

#include <optional>
#include <sstream>

#include "errors/message_table.h"
#include "errors/program_path.h"
#include "errors/system_error.h"

namespace mascot {
namespace {

constexpr std::size_t kMaxMessageLength = 511;

std::string g_lastErrorText;

ErrorCode ResolveCode(ErrorCode code) { return code != 0 ? code : LastSystemError(); }

// Replaces %1, %2, ... with the inserts; without inserts the text stays as it is.
std::string FillInserts(std::string_view text, const std::vector<std::string>& inserts) {
  if (inserts.empty()) return std::string(text);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < inserts.size()) {
        out += inserts[n];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string Truncated(std::string text) {
  if (text.size() > kMaxMessageLength) text.resize(kMaxMessageLength);
  return text;
}

void AppendStageAndFile(std::string& out, std::string_view stage, std::string_view fileName) {
  if (!stage.empty()) {
    out += ' ';
    out += stage;
  }
  if (!fileName.empty()) {
    out += " \"";
    out += fileName;
    out += '"';
  }
}

std::string ProgramName() {
  std::string path = ProgramPath();
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  name = name.substr(0, name.find_last_of('.'));
  if (name.empty()) return "Program";
  if (name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

}  // namespace

std::string ErrorText(std::string_view stage, std::string_view fileName, ErrorCode code,
                      const std::vector<std::string>& inserts) {
  code = ResolveCode(code);
  std::string message;
  if (const char* text = FindProgramMessage(code))
    message = Truncated(FillInserts(text, inserts));
  else if (auto system = FindSystemMessage(code))
    message = Truncated(*system);
  else
    message = kNoMessageText;

  std::string out = "Error";
  if (code != kNoCodeNumber) out += " (" + std::to_string(CodeNumber(code)) + ")";
  out += '!';
  AppendStageAndFile(out, stage, fileName);
  out += " - ";
  out += message;
  return out;
}

void DescribeError(std::ostream& out, std::string_view fileName, std::string_view stage,
                   ErrorCode code) {
  code = ResolveCode(code);
  std::string source;
  std::string message;
  std::uint32_t shown = code;
  if (const char* text = FindProgramMessage(code)) {
    source = ProgramName();
    message = text;
    shown = CodeNumber(code);
  } else {
    source = "Win32";
    message = FindSystemMessage(code).value_or(kNoMessageText);
  }
  while (!message.empty() && static_cast<unsigned char>(message.back()) <= ' ') message.pop_back();

  std::string line = source + " Error";
  if (code != kNoCodeNumber) line += " (" + std::to_string(shown) + ")";
  line += '!';
  AppendStageAndFile(line, stage, fileName);
  if (!message.empty()) line += ": " + message + "\n";
  out << line;
}

std::string DescribeErrorText(std::string_view stage, std::string_view fileName, ErrorCode code) {
  std::ostringstream out;
  DescribeError(out, fileName, stage, code);
  return out.str();
}

void SetLastErrorText(std::string text) { g_lastErrorText = std::move(text); }

std::string GetLastErrorText() { return g_lastErrorText; }

}  // namespace mascot
