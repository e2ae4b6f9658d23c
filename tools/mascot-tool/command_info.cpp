#include <cstdio>
#include <iostream>

#include "commands.h"
#include "files/published_mascot.h"
#include "mascot_file_check.h"
#include "mascot_report.h"
#include "storage/mascot_library.h"

namespace mascot::tool {
namespace {

void ReportContainer(Report& report, const ContainerInspection& container) {
  Report& crc = report.object("crc");
  char value[12];
  std::snprintf(value, sizeof value, "0x%08X", container.crc);
  crc.boolean("stamped", container.crc != 0);
  crc.add("value", value);
  // Opening checks a stamped CRC before anything else is read.
  crc.add("state", container.crc == 0 ? "not stamped"
                   : container.opened ? "valid"
                   : container.errorCode == kErrCrcMismatch ? "mismatch"
                                                            : "unchecked");
  Report& resources = report.array("resources");
  for (const ContainerInspection::Entry& entry : container.entries) {
    Report& item = resources.object({});
    item.add("type", TypeCodeText(entry.type));
    item.number("id", entry.id);
    item.number("storedSize", entry.storedSize);
    item.boolean("compressed", entry.compressed);
    if (entry.loaded)
      item.number("size", entry.size);
    else
      item.null("size");
  }
}

}  // namespace

const CommandInfo kInfoInfo = {
    "info",
    "FILE [--json]",
    "Describe a published mascot or a work file.",
    "For a published mascot: its format version, the CRC, the resources (type, id,\n"
    "stored size, compressed or not, size once loaded), the mascot's fields, its\n"
    "frames, its pictures (size, depth, colours, shape) and the click sound's format.\n"
    "For a work file: its fields and its frames (the files it names are not read).\n\n"
    "  --json   print one JSON object instead of text\n",
    {"--json"},
    {},
    1,
    1,
};

int RunInfo(const Arguments& args) {
  const std::string& path = args.positionals[0];
  CheckedMascotFile checked = CheckMascotFile(path, true);
  Report report = Report::Object();
  report.add("file", path);
  report.add("kind", KindName(checked.kind));
  if (checked.kind == kPublishedMascotFile) {
    if (checked.document) {
      report.add("formatVersion", FormatVersion(checked.document->formatVersion));
      report.number("formatVersionNumber", checked.document->formatVersion);
    }
    ReportContainer(report, checked.container);
  }
  if (checked.document) {
    const bool work = checked.kind == kWorkFile;
    ReportMascotFields(report.object("mascot"), *checked.document, work);
    ReportFrames(report.array("frames"), *checked.document, work);
    if (!work) {
      ReportPictures(report.array("pictures"), *checked.document, checked.container.imageRecords);
      ReportSound(report, "sound", *checked.document);
    }
  }
  std::cout << (args.has("--json") ? report.json() : report.text());
  if (checked.errorText.empty()) return kExitOk;
  PrintError(checked.errorText);
  return kExitFailed;
}

}  // namespace mascot::tool
