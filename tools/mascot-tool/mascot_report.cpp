#include "mascot_report.h"

#include <cstdio>

#include "picture_summary.h"
#include "sound/wave_format.h"

namespace mascot::tool {
namespace {

std::string Hex(std::uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "0x%06X", value);
  return text;
}

}  // namespace

void ReportMascotFields(Report& report, const MascotDocument& d, bool withSoundPath) {
  CreatorFields creator = d.getCreatorFields();
  report.add("name", d.name);
  report.add("creatorName", creator.creatorName);
  report.add("contactInfo", creator.contactInfo);
  report.add("mascotInfo", d.mascotInfo);
  report.add("readme", d.readme);
  if (withSoundPath) report.add("soundPath", d.soundPath);
  report.boolean("clickSequenceDefined", d.clickSequenceDefined != 0);
  report.number("clickStartIndex", d.clickStartIndex);
  report.number("clickEndIndex", d.clickEndIndex);
  report.number("xOffset", d.xOffset);
  report.number("yOffset", d.yOffset);
  report.boolean("offsetIsPercent", d.offsetIsPercent != 0);
  report.boolean("offsetRelativeToRightEdge", d.offsetRelativeToRightEdge != 0);
  report.add("balloonText", d.balloonText);
  report.add("balloonFont", d.balloonFont);
  report.number("balloonFontSize", d.balloonFontSize);
  report.add("balloonBackColor", Hex(d.balloonBackColor));
  report.add("balloonTextColor", Hex(d.balloonTextColor));
}

void ReportFrames(Report& report, const MascotDocument& d, bool withFileNames) {
  for (const FrameRecord& frame : d.frames) {
    Report& item = report.object({});
    if (withFileNames)
      item.add("fileName", frame.fileName);
    else
      item.number("imageIndex", frame.imageIndex);
    item.number("minFrameDelay", frame.minFrameDelay);
    item.number("maxFrameDelay", frame.maxFrameDelay);
    item.number("jumpFrame", frame.jumpFrame);
    item.number("minLoopCount", frame.minLoopCount);
    item.number("maxLoopCount", frame.maxLoopCount);
  }
}

void ReportPictures(Report& report, const MascotDocument& d,
                    const std::optional<std::vector<ImageRecordHeader>>& records) {
  for (std::size_t i = 0; i < d.images.size(); ++i) {
    Report& item = report.object({});
    const FrameImage& image = d.images[i];
    if (!image.bitmap) {
      item.null("bitmap");
      continue;
    }
    ReportPicture(item, SummarisePicture(*image.bitmap));
    if (records && i < records->size()) item.number("storedRectangles", (*records)[i].rectCount);
  }
}

void ReportSound(Report& report, std::string_view key, const MascotDocument& d) {
  if (!d.soundData) {
    report.null(key);
    return;
  }
  Report& sound = report.object(key);
  sound.number("size", static_cast<std::int64_t>(d.soundData->size()));
  WaveFormatInfo format;
  std::uint32_t size = 0;
  if (!FindWaveFormat(*d.soundData, &format, size)) {
    sound.null("format");
    return;
  }
  sound.number("formatTag", format.formatTag);
  sound.number("channels", format.channels);
  sound.number("samplesPerSecond", format.samplesPerSecond);
  sound.number("bitsPerSample", format.bitsPerSample);
  sound.add("description", FormatSoundInfo(format, size));
}

}  // namespace mascot::tool
