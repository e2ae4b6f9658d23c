#include "import/pylx_mascot_builder.h"

#include <cstdint>
#include <string>

#include "import/xpm_reader.h"
#include "model/transparent_region.h"
#include "storage/file_info.h"
#include "storage/paths.h"

namespace mascot {
namespace {

// Kept across mascots and imports: pictures of one set usually share a folder.
std::string& PreviousPictureFolder() {
  static std::string folder;
  return folder;
}

std::string Key(std::string_view name) { return std::string(kPylxKeyPrefix) + std::string(name); }
std::string FrameKey(std::string_view name, std::int32_t frame) { return Key(name) + std::to_string(frame); }

// The delays are tenths of a second; the product wraps as 32-bit arithmetic does.
std::uint32_t TenthsToMilliseconds(std::int32_t tenths) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(tenths) * 100);
}

std::int32_t Difference(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

bool IsExistingFile(const std::string& path) { return FileExists(path) && !IsFolder(path); }

std::string ParentFolder(std::string_view folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.remove_suffix(1);
  const std::size_t separator = folder.find_last_of("/\\");
  if (separator == std::string_view::npos) return {};
  return std::string(folder.substr(0, separator == 0 ? 1 : separator));
}

FrameRecord ReadFrameRecord(const PylxResourceFile& file, std::int32_t frame) {
  FrameRecord record;
  record.minFrameDelay = TenthsToMilliseconds(file.integer(FrameKey("minFrame", frame), 0));
  record.maxFrameDelay = TenthsToMilliseconds(file.integer(FrameKey("maxFrame", frame), 0));
  record.jumpFrame = file.integer(FrameKey("nextFrame", frame), -1);
  record.minLoopCount = static_cast<std::uint32_t>(file.integer(FrameKey("minFloop", frame), -1));
  record.maxLoopCount = static_cast<std::uint32_t>(file.integer(FrameKey("maxFloop", frame), -1));
  return record;
}

// Adds a decoded picture to the document with its window region; equal
// shapes share one region object.
std::int32_t AddPicture(MascotDocument& document, SharedHandle<Bitmap> bitmap, const std::string& fileName,
                        const std::string& path) {
  FrameImage image;
  image.fileName = fileName;
  image.bitmap = std::move(bitmap);
  image.region = BuildTransparentRegion(image.bitmap.get(), image.rects, true);
  image.width = image.bitmap->width();
  image.height = image.bitmap->height();
  if (!LastWriteTime(path, image.fileTime)) image.fileTime = 0;
  const std::int32_t sameShape = document.findImageByRegion(image.region.get());
  if (sameShape != -1) image.region = document.images[static_cast<std::size_t>(sameShape)].region;
  document.images.push_back(std::move(image));
  return static_cast<std::int32_t>(document.images.size() - 1);
}

}  // namespace

std::optional<FoundPylxPicture> FindPylxPicture(std::string_view fileName, std::string_view importDirectory) {
  std::string& previous = PreviousPictureFolder();
  const std::string candidates[] = {previous, std::string(importDirectory), ParentFolder(importDirectory)};
  for (const std::string& folder : candidates) {
    // Before any picture was found there is no previous folder to look in.
    if (folder.empty()) continue;
    std::string path = JoinPath(folder, fileName);
    if (!IsExistingFile(path)) continue;
    previous = folder;
    return FoundPylxPicture{std::move(path), folder};
  }
  return std::nullopt;
}

std::shared_ptr<MascotDocument> BuildMascotFromPylx(const PylxResourceFile& file, std::string_view importDirectory,
                                                    const ImportProgressText& progress) {
  auto document = std::make_shared<MascotDocument>();
  ForgetLoadedXpms();

  document->name = file.text(Key("titleE"), "Unknown");
  // xPosition is not used: imported mascots always sit at xOffset 0.
  const std::int32_t yPosition = file.integer(Key("yPosition"), 0);
  document->xOffset = 0;
  document->yOffset = yPosition;
  document->balloonText = file.text(Key("wordClk"));
  document->clickStartIndex = file.integer(Key("startClk"), -1);
  document->clickEndIndex = file.integer(Key("endClk"), -1);
  document->clickSequenceDefined = document->clickStartIndex != -1 ? 1 : 0;

  const std::int32_t frameCount = file.integer(Key("numFrame"), 0);
  for (std::int32_t i = 0; i < frameCount; ++i) {
    const std::string fileName = file.text(FrameKey("xpmFile", i));
    if (fileName.empty()) break;
    FrameRecord frame = ReadFrameRecord(file, i);
    frame.fileName = fileName;

    frame.imageIndex = document->findImageByName(fileName);
    if (frame.imageIndex == -1) {
      const std::optional<FoundPylxPicture> found = FindPylxPicture(fileName, importDirectory);
      if (!found) return nullptr;
      if (progress) progress("Processing image " + fileName);
      SharedHandle<Bitmap> bitmap = LoadXpm(found->path);
      if (!bitmap) continue;
      frame.imageIndex = AddPicture(*document, bitmap, fileName, found->path);
      if (i == 0) document->yOffset = Difference(bitmap->height(), yPosition);
    }
    document->frames.push_back(std::move(frame));
  }
  if (document->frames.empty() || document->images.empty()) return nullptr;
  return document;
}

void ResetPylxImportState() {
  PreviousPictureFolder().clear();
  ForgetLoadedXpms();
}

}  // namespace mascot
