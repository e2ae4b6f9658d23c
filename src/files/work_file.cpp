#include "files/work_file.h"

#include <string>

#include "errors/system_error.h"
#include "files/work_text.h"
#include "storage/config_file.h"

namespace mascot {
namespace {

constexpr std::string_view kMascotSection = "Mascot";
constexpr std::string_view kFrameSectionPrefix = "Frame";

constexpr std::size_t kNameLimit = 32;
constexpr std::size_t kCreatorInfoLimit = 180;
constexpr std::size_t kMascotInfoLimit = 128;
constexpr std::size_t kBalloonTextLimit = 256;
constexpr std::size_t kBalloonFontLimit = 32;

std::string FrameSection(std::size_t number) { return std::string(kFrameSectionPrefix) + std::to_string(number); }

// Unsigned fields travel as their 32-bit signed reading, which reads back
// to the same bits.
std::int32_t AsInt(std::uint32_t value) { return static_cast<std::int32_t>(value); }
std::uint32_t AsUnsigned(std::int32_t value) { return static_cast<std::uint32_t>(value); }

void SetEscaped(ConfigFile& file, std::string_view key, const std::string& text) {
  file.SetString(kMascotSection, key, EscapeWorkText(text));
}

std::string GetEscaped(const ConfigFile& file, std::string_view key, const std::string& current) {
  return UnescapeWorkText(file.GetString(kMascotSection, key, current));
}

void StoreMascotKeys(ConfigFile& file, const MascotDocument& d) {
  SetEscaped(file, "Name", d.name);
  file.SetString(kMascotSection, "SoundPath", d.soundPath);
  file.SetBool(kMascotSection, "ClickSequenceDefined", d.clickSequenceDefined != 0);
  file.SetInt(kMascotSection, "ClickStartIndex", d.clickStartIndex);
  file.SetInt(kMascotSection, "ClickEndIndex", d.clickEndIndex);
  file.SetInt(kMascotSection, "XOffset", d.xOffset);
  file.SetInt(kMascotSection, "YOffset", d.yOffset);
  file.SetBool(kMascotSection, "OffsetIsPercent", d.offsetIsPercent != 0);
  file.SetBool(kMascotSection, "OffsetRelativeToRightEdge", d.offsetRelativeToRightEdge != 0);
  SetEscaped(file, "CreatorName", d.creatorInfo);
  SetEscaped(file, "ContactInfo", d.mascotInfo);
  SetEscaped(file, "Readme", d.readme);
  if (d.balloonText.empty()) return;
  SetEscaped(file, "BalloonText", d.balloonText);
  SetEscaped(file, "BalloonFont", d.balloonFont);
  file.SetInt(kMascotSection, "BalloonFontSize", d.balloonFontSize);
  file.SetInt(kMascotSection, "BalloonBackColor", AsInt(d.balloonBackColor));
  file.SetInt(kMascotSection, "BalloonTextColor", AsInt(d.balloonTextColor));
}

void StoreFrameKeys(ConfigFile& file, std::size_t number, const FrameRecord& frame) {
  const std::string section = FrameSection(number);
  file.SetString(section, "Filename", frame.fileName);
  file.SetInt(section, "MinFrameDelay", AsInt(frame.minFrameDelay));
  file.SetInt(section, "MaxFrameDelay", AsInt(frame.maxFrameDelay));
  file.SetInt(section, "JumpFrame", frame.jumpFrame);
  file.SetInt(section, "MinLoopCount", AsInt(frame.minLoopCount));
  file.SetInt(section, "MaxLoopCount", AsInt(frame.maxLoopCount));
}

void ReadMascotKeys(const ConfigFile& file, MascotDocument& d) {
  const auto getBool = [&file](std::string_view key, std::uint8_t current) -> std::uint8_t {
    return file.GetBool(kMascotSection, key, current != 0) ? 1 : 0;
  };
  const auto getInt = [&file](std::string_view key, std::int32_t current) {
    return file.GetInt(kMascotSection, key, current);
  };
  d.name = GetEscaped(file, "Name", d.name);
  d.soundPath = file.GetString(kMascotSection, "SoundPath", d.soundPath);
  d.clickSequenceDefined = getBool("ClickSequenceDefined", d.clickSequenceDefined);
  d.clickStartIndex = getInt("ClickStartIndex", d.clickStartIndex);
  d.clickEndIndex = getInt("ClickEndIndex", d.clickEndIndex);
  d.xOffset = getInt("XOffset", d.xOffset);
  d.yOffset = getInt("YOffset", d.yOffset);
  d.offsetIsPercent = getBool("OffsetIsPercent", d.offsetIsPercent);
  d.offsetRelativeToRightEdge = getBool("OffsetRelativeToRightEdge", d.offsetRelativeToRightEdge);
  d.creatorInfo = GetEscaped(file, "CreatorName", d.creatorInfo);
  d.mascotInfo = GetEscaped(file, "ContactInfo", d.mascotInfo);
  d.readme = GetEscaped(file, "Readme", d.readme);
  d.balloonText = GetEscaped(file, "BalloonText", d.balloonText);
  d.balloonFont = GetEscaped(file, "BalloonFont", d.balloonFont);
  d.balloonFontSize = getInt("BalloonFontSize", d.balloonFontSize);
  d.balloonBackColor = AsUnsigned(getInt("BalloonBackColor", AsInt(d.balloonBackColor)));
  d.balloonTextColor = AsUnsigned(getInt("BalloonTextColor", AsInt(d.balloonTextColor)));

  d.name = CutToCharacters(d.name, kNameLimit);
  d.creatorInfo = CutToCharacters(d.creatorInfo, kCreatorInfoLimit);
  d.mascotInfo = CutToCharacters(d.mascotInfo, kMascotInfoLimit);
  d.balloonFont = CutToCharacters(d.balloonFont, kBalloonFontLimit);
  d.balloonText = CutToCharacters(d.balloonText, kBalloonTextLimit);
}

// A missing key reads as 0, JumpFrame included.
FrameRecord ReadFrameKeys(const ConfigFile& file, const std::string& section) {
  FrameRecord frame;
  frame.fileName = file.GetString(section, "Filename", "");
  frame.minFrameDelay = AsUnsigned(file.GetInt(section, "MinFrameDelay", 0));
  frame.maxFrameDelay = AsUnsigned(file.GetInt(section, "MaxFrameDelay", 0));
  frame.jumpFrame = file.GetInt(section, "JumpFrame", 0);
  frame.minLoopCount = AsUnsigned(file.GetInt(section, "MinLoopCount", 0));
  frame.maxLoopCount = AsUnsigned(file.GetInt(section, "MaxLoopCount", 0));
  return frame;
}

// ConfigFile refuses to write over a file it finds no entry in; such a file
// (an empty one, say) holds nothing to lose. A failure that left a system
// error (a read-only or unreadable file) stands.
bool OpenForSaving(ConfigFile& file, std::string_view path) {
  SetLastSystemError(0);
  if (file.Open(path, kWorkFileTitle, false)) return true;
  return LastSystemError() == 0 && !file.fileName().empty();
}

}  // namespace

bool SaveWorkFile(std::string_view path, const MascotDocument& document) {
  if (path.empty()) return false;
  ConfigFile file;
  if (!OpenForSaving(file, path)) return false;
  file.Clear();
  StoreMascotKeys(file, document);
  for (std::size_t i = 0; i < document.frames.size(); ++i) StoreFrameKeys(file, i + 1, document.frames[i]);
  return file.Close();
}

std::shared_ptr<MascotDocument> LoadWorkFile(std::string_view path) {
  ConfigFile file;
  SetLastSystemError(0);
  if (!file.Open(path, kWorkFileTitle, true)) {
    // A file without a single entry opens but holds nothing: say so rather
    // than leave the reason empty.
    if (LastSystemError() == 0) SetLastSystemError(kErrUnexpectedEnd);
    return nullptr;
  }
  auto document = std::make_shared<MascotDocument>();
  document->filePath = path;
  ReadMascotKeys(file, *document);
  // Bounded by the sections the file holds, however the numbers run.
  const std::size_t sections = file.sections().size();
  for (std::size_t n = 1; n <= sections; ++n) {
    const std::string section = FrameSection(n);
    if (file.GetSection(section) == nullptr) break;
    document->frames.push_back(ReadFrameKeys(file, section));
  }
  return document;
}

}  // namespace mascot
