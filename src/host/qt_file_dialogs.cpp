#include "host/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace mascot {
namespace {

// "*.WMascot" -> "*.[wW][mM][aA][sS][cC][oO][tT]": mascot files match
// without regard to case, as they always have.
QString CaseBlindPattern(const QString& pattern) {
  QString out;
  for (QChar ch : pattern) {
    if (ch.isLetter()) {
      out += QLatin1Char('[') + ch.toLower() + ch.toUpper() + QLatin1Char(']');
    } else {
      out += ch;
    }
  }
  return out;
}

QString DialogStartPath(const PathDialogRequest& request) {
  const QString folder = QString::fromStdString(request.initialFolder);
  const QString name = QString::fromStdString(request.defaultName);
  if (folder.isEmpty()) return name;
  return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

std::vector<std::string> Run(QWidget* owner, const PathDialogRequest& request, QFileDialog::FileMode mode) {
  QFileDialog dialog(owner, QString::fromStdString(request.title), DialogStartPath(request));
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(QtNameFilters(request.filter).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setAcceptMode(mode == QFileDialog::AnyFile ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(mode);
  std::vector<std::string> paths;
  if (dialog.exec() != QDialog::Accepted) return paths;
  for (const QString& path : dialog.selectedFiles()) paths.push_back(path.toStdString());
  return paths;
}

std::string First(const std::vector<std::string>& paths) { return paths.empty() ? std::string() : paths.front(); }

}  // namespace

QString QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString label = parts[i].trimmed();
    if (label.isEmpty()) break;  // the empty pair that ends the list
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << CaseBlindPattern(pattern.trimmed());
    }
    // Qt matches the patterns in the last brackets and hides them, so the
    // label is shown as written.
    filters << label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QLatin1Char('\n'));
}

std::string QtFileDialogs::askOpenPath(const PathDialogRequest& request) {
  return First(Run(owner_, request, QFileDialog::ExistingFile));
}

std::string QtFileDialogs::askSavePath(const PathDialogRequest& request) {
  return First(Run(owner_, request, QFileDialog::AnyFile));
}

std::vector<std::string> QtFileDialogs::askOpenPaths(const PathDialogRequest& request) {
  return Run(owner_, request, QFileDialog::ExistingFiles);
}

}  // namespace mascot
