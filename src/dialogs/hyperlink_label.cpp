#include "dialogs/hyperlink_label.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>

#include <map>
#include <memory>

#include "dialogs/program_pictures.h"

namespace mascot {
namespace {

LinkOpener& Opener() {
  static LinkOpener opener;
  return opener;
}

bool OpenLink(const QUrl& url) {
  return Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
}

// Every label made into a link, until the label goes.
std::map<const QLabel*, std::unique_ptr<HyperlinkLabel>>& Links() {
  static std::map<const QLabel*, std::unique_ptr<HyperlinkLabel>> links;
  return links;
}

}  // namespace

HyperlinkLabel::HyperlinkLabel(QLabel* label, QString url) : label_(label), url_(std::move(url)) {
  label_->setTextFormat(Qt::PlainText);
  label_->setCursor(ProgramCursor(kCursorPointingHand));
  takeFont();
  paintColour();
  Attach(label_);
}

QColor HyperlinkLabel::LinkColour(bool visited) {
  return visited ? QColor(128, 0, 128) : QColor(0, 0, 255);
}

// A bold, underlined copy of the font the label was given.
void HyperlinkLabel::takeFont() {
  linkFont_ = label_->font();
  linkFont_.setWeight(QFont::Bold);
  linkFont_.setUnderline(true);
  label_->setFont(linkFont_);
}

void HyperlinkLabel::paintColour() {
  QPalette palette = label_->palette();
  palette.setColor(QPalette::WindowText, LinkColour(visited_));
  label_->setPalette(palette);
}

void HyperlinkLabel::open() {
  if (url_.isEmpty()) return;
  if (!OpenLink(QUrl(url_))) {
    QApplication::beep();
    return;
  }
  if (!visited_) {
    visited_ = true;
    paintColour();
  }
}

bool HyperlinkLabel::WindowProc(QEvent* event) {
  switch (event->type()) {
    case QEvent::FontChange:
      // A new font for the label becomes the link font; ours comes back here.
      if (label_->font() != linkFont_) takeFont();
      break;
    case QEvent::PaletteChange:
      if (label_->palette().color(QPalette::WindowText) != LinkColour(visited_)) paintColour();
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) open();
      break;
    default:
      break;
  }
  return PassOn(event);
}

bool AttachHyperlink(QLabel* label, const std::string& url) {
  if (!label) return true;
  if (HyperlinkLabel* link = FindHyperlink(label)) {
    link->setUrl(QString::fromStdString(url));
    return true;
  }
  Links()[label] = std::make_unique<HyperlinkLabel>(label, QString::fromStdString(url));
  QObject::connect(label, &QObject::destroyed, [label] { Links().erase(label); });
  return true;
}

HyperlinkLabel* FindHyperlink(const QLabel* label) {
  const auto found = Links().find(label);
  return found == Links().end() ? nullptr : found->second.get();
}

void SetLinkOpener(LinkOpener opener) { Opener() = std::move(opener); }

}  // namespace mascot
