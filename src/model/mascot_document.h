#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "imaging/shared_handle.h"
#include "sound/sound_data.h"

namespace mascot {

class MascotView;
class SoundPlayer;

// One animation frame. Indices are not kept in range here: every reader
// checks them and treats one outside the lists as nothing to show.
struct FrameRecord {
  std::string fileName;              // picture file; empty: a blank frame
  std::uint32_t minFrameDelay = 0;   // milliseconds
  std::uint32_t maxFrameDelay = 0;   // milliseconds, exclusive
  std::int32_t jumpFrame = -1;       // frame to jump to after this one; -1: none
  std::uint32_t minLoopCount = 0;    // least number of jumps taken
  std::uint32_t maxLoopCount = 0;    // greatest number of jumps taken
  std::int32_t loopsLeft = -1;       // jumps still to take; -1: not drawn yet
  std::int32_t imageIndex = -1;      // entry of the image cache; -1: blank
  std::uint8_t modified = 0;         // changed by the editor since the last save
};

// One entry of the frame image cache.
struct FrameImage {
  SharedHandle<Bitmap> bitmap;
  SharedHandle<Region> region;  // opaque area; frames of equal shape share one object
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string fileName;         // the cache key, compared without case
  std::uint64_t fileTime = 0;   // last write of the file when loaded; 0: unknown
  std::vector<Rect> rects;      // scratch list of the region rule; empty in the cache
};

struct CreatorFields {
  std::string creatorName;
  std::string contactInfo;
  std::string mascotInfo;
  std::string readme;
  bool operator==(const CreatorFields&) const = default;
};

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const FrameSize&) const = default;
};

struct Offsets {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Offsets&) const = default;
};

// The one in-memory record of a mascot, shared by the viewer, the editor,
// the file formats and the importer. Copies share pictures, regions and the
// sound bytes; the member order is the copy order.
class MascotDocument {
 public:
  static constexpr std::uint32_t kCurrentFormatVersion = 258;  // 1.2
  static constexpr std::uint32_t kInactiveFrameDelay = 60;

  std::uint8_t modified = 0;
  std::uint8_t active = 1;  // frame stepping and painting stop while 0
  std::int32_t currentFrame = 0;
  SharedHandle<Region> currentRegion;   // shape of the frame last applied to the window
  SharedHandle<Region> previousRegion;  // set while the window shows the union of both
  std::string loadErrors;               // CR LF ended lines of the last load
  std::string loadedSoundPath;          // the file whose bytes soundData holds
  std::vector<FrameImage> images;
  std::vector<FrameRecord> frames;
  SoundData soundData;
  std::uint32_t soundSize = 0;
  std::uint32_t formatVersion = kCurrentFormatVersion;
  std::string filePath;
  std::string name = "Untitled";
  std::uint8_t clickSequenceDefined = 0;
  std::int32_t clickStartIndex = -1;
  std::int32_t clickEndIndex = -1;
  std::int32_t xOffset = 0;  // pixels, or percent of the free width
  std::int32_t yOffset = 0;
  std::uint8_t offsetIsPercent = 0;
  std::uint8_t offsetRelativeToRightEdge = 0;
  std::string soundPath;
  std::string creatorInfo;  // name, then CR LF and the contact information
  std::string mascotInfo;
  std::string readme;
  std::string balloonText;
  std::string balloonFont;
  std::int32_t balloonFontSize = 12;
  std::uint32_t balloonBackColor = 0xFFFFFF;  // 0x00BBGGRR
  std::uint32_t balloonTextColor = 0;

  // -- record --
  bool isActive() const { return active != 0; }
  void setActive(bool value) { active = value ? 1 : 0; }
  bool isModified() const { return modified != 0; }
  // Clearing the flag also clears every frame's.
  void setModified(bool value);
  bool hasFrames() const { return !frames.empty(); }
  std::int32_t frameCount() const { return static_cast<std::int32_t>(frames.size()); }
  FrameRecord& frameAt(std::int32_t index) { return frames[static_cast<std::size_t>(index)]; }
  const FrameRecord& frameAt(std::int32_t index) const { return frames[static_cast<std::size_t>(index)]; }
  CreatorFields getCreatorFields() const;
  // Each of creatorInfo, mascotInfo and readme that changes sets modified.
  void setCreatorFields(const CreatorFields& fields);
  // The first cache entry whose region has the same shape; -1 when none (or
  // when region is null).
  std::int32_t findImageByRegion(const Region* region) const;
  // The largest width and height over the images that frames use.
  FrameSize maxFrameSize() const;
  Offsets getOffsets() const { return {xOffset, yOffset}; }
  std::string getLoadErrors() const { return loadErrors; }

  bool frameInRange(std::int32_t index) const { return index >= 0 && index < frameCount(); }
  bool imageInRange(std::int32_t index) const {
    return index >= 0 && index < static_cast<std::int32_t>(images.size());
  }

  // -- sequencing --
  // How long the current frame stays, in milliseconds.
  std::uint32_t nextDelay() const;
  // Moves to the next frame and gives the window its shape.
  void advance(MascotView* window);
  // Shows a frame chosen from outside, with every loop count reset; returns
  // its delay.
  std::uint32_t setFrame(MascotView* window, std::int32_t index);
  // Starts the click animation and its sound; false when refused.
  bool startClick(MascotView* window, SoundPlayer* player);

  // -- window shape --
  // Grows the window's shape to the union of the old and the current frame's
  // shape (first step of a frame change). Without force, a frame that shares
  // the current region object changes nothing.
  void applyFrameRegion(MascotView* window, bool force);
  // Second step, at the paint (the caller has checked that the current frame
  // has a picture): shrinks the shape to the current frame's.
  void finishFrameRegion(MascotView* window);

  // -- frame image loading --
  // Rebuilds the image cache from the frames; false when any frame's picture
  // failed, each failure adding one line to loadErrors.
  bool loadImages();
  // Loads or reuses the picture of one frame; force reloads it in place.
  bool loadFrameImage(std::int32_t index, bool force);
  std::int32_t findImageByName(std::string_view fileName) const;
  // True when the frame's picture file was written after it was loaded.
  bool isImageStale(std::int32_t frameIndex) const;
};

}  // namespace mascot
