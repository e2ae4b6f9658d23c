#pragma once
#include <QDir>
#include <QString>

namespace art {

// The icon names the installed desktop entry and MIME package ask for.
struct DesktopIconNames {
  QString application;
  QString mascotFile;
  QString workFile;
};

// Writes <size>x<size>/{apps,mimetypes}/<name>.png under a hicolor theme
// folder, for every size from 16 to 256 pixels.
bool WriteDesktopIcons(const QDir& theme, const DesktopIconNames& names);

}  // namespace art
