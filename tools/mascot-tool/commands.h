#pragma once
#include "arguments.h"

namespace mascot::tool {

// Each command: its description and what it runs once its arguments parsed.
struct Command {
  const CommandInfo& info;
  int (*run)(const Arguments& args);
};

extern const CommandInfo kPublishInfo;
extern const CommandInfo kInfoInfo;
extern const CommandInfo kVerifyInfo;
extern const CommandInfo kExportInfo;
extern const CommandInfo kImportInfo;
extern const CommandInfo kImageInfoInfo;
extern const CommandInfo kConvertImageInfo;

int RunPublish(const Arguments& args);
int RunInfo(const Arguments& args);
int RunVerify(const Arguments& args);
int RunExport(const Arguments& args);
int RunImport(const Arguments& args);
int RunImageInfo(const Arguments& args);
int RunConvertImage(const Arguments& args);

}  // namespace mascot::tool
