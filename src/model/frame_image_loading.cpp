#include <utility>

#include "errors/error_text.h"
#include "imaging/image_file_loader.h"
#include "model/mascot_document.h"
#include "model/transparent_region.h"
#include "storage/file_info.h"

// Filling the frame image cache from picture files: one entry per file
// (names compared without case), one region object per shape.
namespace mascot {
namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

}  // namespace

std::int32_t MascotDocument::findImageByName(std::string_view fileName) const {
  for (std::size_t i = 0; i < images.size(); ++i)
    if (SameNameIgnoringCase(images[i].fileName, fileName)) return static_cast<std::int32_t>(i);
  return -1;
}

bool MascotDocument::loadImages() {
  loadErrors.clear();
  bool allLoaded = true;
  images.clear();
  for (std::int32_t index = 0; index < frameCount(); ++index) {
    if (loadFrameImage(index, false)) continue;
    // One CR LF ended line per frame; the message brings its own line end.
    FrameRecord& frame = frameAt(index);
    std::string line = ErrorText("Loading image", frame.fileName, 0);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    loadErrors += line + "\r\n";
    frame.imageIndex = -1;
    allLoaded = false;
  }
  return allLoaded;
}

bool MascotDocument::loadFrameImage(std::int32_t index, bool force) {
  if (!frameInRange(index)) return false;
  FrameRecord& frame = frameAt(index);
  if (frame.fileName.empty()) {
    frame.imageIndex = -1;
    return true;
  }
  const std::int32_t cached = findImageByName(frame.fileName);
  if (cached != -1 && !force) {
    frame.imageIndex = cached;
    return true;
  }

  SharedHandle<Bitmap> bitmap = LoadImageFile(frame.fileName);
  if (!bitmap) return false;  // the loader left the reason in the last system error

  FrameImage image;
  image.fileName = frame.fileName;
  image.bitmap = bitmap;
  image.region = BuildTransparentRegion(bitmap.get(), image.rects, true);
  image.width = bitmap->width();
  image.height = bitmap->height();
  if (!LastWriteTime(frame.fileName, image.fileTime)) image.fileTime = 0;

  // Equal shapes share one region object, so that the window can tell a
  // shape change by identity.
  const std::int32_t sameShape = findImageByRegion(image.region.get());
  if (sameShape != -1) image.region = images[static_cast<std::size_t>(sameShape)].region;

  if (cached == -1) {
    images.push_back(std::move(image));
    frame.imageIndex = static_cast<std::int32_t>(images.size() - 1);
  } else {
    // In place, so that every frame sharing the entry shows the new picture.
    images[static_cast<std::size_t>(cached)] = std::move(image);
    frame.imageIndex = cached;
  }
  return true;
}

bool MascotDocument::isImageStale(std::int32_t frameIndex) const {
  if (!frameInRange(frameIndex)) return false;
  const std::int32_t imageIndex = frameAt(frameIndex).imageIndex;
  if (!imageInRange(imageIndex)) return false;
  const FrameImage& image = images[static_cast<std::size_t>(imageIndex)];
  std::uint64_t written = 0;
  if (!LastWriteTime(image.fileName, written)) return false;
  return image.fileTime < written;
}

}  // namespace mascot
