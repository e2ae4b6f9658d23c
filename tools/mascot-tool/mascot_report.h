#pragma once
#include <optional>
#include <vector>

#include "files/image_table.h"
#include "model/mascot_document.h"
#include "report.h"

namespace mascot::tool {

// The record fields of a mascot (work files add the sound path).
void ReportMascotFields(Report& report, const MascotDocument& document, bool withSoundPath);
// One item per frame; work files name each frame's picture file.
void ReportFrames(Report& report, const MascotDocument& document, bool withFileNames);
// One item per picture of the image cache, with the stored record's
// rectangle count when the table could be read.
void ReportPictures(Report& report, const MascotDocument& document,
                    const std::optional<std::vector<ImageRecordHeader>>& records);
// The click sound's format, or null without sound bytes.
void ReportSound(Report& report, std::string_view key, const MascotDocument& document);

}  // namespace mascot::tool
