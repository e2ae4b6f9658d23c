#pragma once
#include <QFont>
#include <QString>
#include <QUrl>

#include <functional>
#include <string>

#include "dialogs/window_hook.h"

class QLabel;

namespace mascot {

// A label taken over as a web link: bold and underlined, blue until it has
// been opened and purple after, with the pointing hand over it. A left press
// opens the address; when that fails the system beeps.
class HyperlinkLabel final : public WindowHook {
 public:
  HyperlinkLabel(QLabel* label, QString url);

  const QString& url() const { return url_; }
  void setUrl(QString url) { url_ = std::move(url); }
  bool visited() const { return visited_; }
  const QFont& linkFont() const { return linkFont_; }

  static QColor LinkColour(bool visited);

 protected:
  bool WindowProc(QEvent* event) override;

 private:
  void takeFont();
  void paintColour();
  void open();

  QLabel* label_;
  QString url_;  // empty: the link does nothing
  QFont linkFont_;
  bool visited_ = false;
};

// Makes `label` a link to `url` until it is destroyed; a second call only
// changes the address. Always true.
bool AttachHyperlink(QLabel* label, const std::string& url);
// The link a label was made into, or null.
HyperlinkLabel* FindHyperlink(const QLabel* label);

// What opens a link: the desktop's web browser unless replaced (tests do).
// True when the address could be handed over.
using LinkOpener = std::function<bool(const QUrl&)>;
void SetLinkOpener(LinkOpener opener);

}  // namespace mascot
