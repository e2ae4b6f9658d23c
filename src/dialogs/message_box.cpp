#include "dialogs/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QScreen>
#include <QStyle>

#include "dialogs/message_box_dialog.h"
#include "dialogs/message_box_layout.h"
#include "dialogs/message_text_wrap.h"

namespace mascot {
namespace {

constexpr int kStringIdLimit = 0x10000;
constexpr int kMaxStringLength = 255;

MessageBoxServices& Services() {
  static MessageBoxServices services;
  return services;
}

QString ResolveText(const MessageText& text) {
  if (!text.isStringId()) return QString::fromStdString(text.text());
  if (text.stringId() >= kStringIdLimit || !Services().loadString) return {};
  QString loaded = QString::fromStdString(Services().loadString(text.stringId()));
  if (loaded.size() > kMaxStringLength) {
    loaded.truncate(kMaxStringLength);
    if (loaded.back().isHighSurrogate()) loaded.chop(1);
  }
  return loaded;
}

QRect OwnerRect(QWidget* owner, QScreen* screen) {
  if (!owner) return screen->geometry();
  return QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
}

}  // namespace

void SetMessageBoxServices(MessageBoxServices services) { Services() = std::move(services); }

int ShowMessageBox(QWidget* owner, const MessageText& text, const char* caption, unsigned flags) {
  // Without an application and a screen there is nothing to measure with.
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  QScreen* screen = app ? QGuiApplication::primaryScreen() : nullptr;
  if (!screen) return 0;

  const QFontMetrics metrics(QApplication::font());
  const auto block = MeasureMessageText(
      ResolveText(text), screen->geometry().width(),
      [&metrics](const QString& run) { return metrics.horizontalAdvance(run); },
      FontLines{metrics.height(), metrics.lineSpacing()});

  MessageBoxContent content;
  content.caption = caption ? QString::fromUtf8(caption) : QStringLiteral("Error");
  content.lines = block.lines;
  content.icon = MessageBoxIconOf(flags);
  content.buttons = MessageBoxButtons(flags);
  content.defaultButton = MessageBoxDefaultButton(flags, static_cast<int>(content.buttons.size()));
  content.foreground = (flags & kMbSetForeground) != 0;

  QStyle* style = QApplication::style();
  const int iconSide = style->pixelMetric(QStyle::PM_MessageBoxIconSize);
  const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const QSize iconSize =
      content.icon == MessageBoxIcon::None ? QSize() : QSize(iconSide, iconSide);
  content.layout = LayoutMessageBox(iconSize, block.size, static_cast<int>(content.buttons.size()),
                                    QSize(frame, frame));

  QPointer<MessageBoxDialog> box = new MessageBoxDialog(owner, content, Services().showHelp);
  box->move(CentreMessageBox(OwnerRect(owner, screen), content.layout.box));
  const int result = box->exec();
  // The owner may have gone, and taken the box with it, while the box ran.
  if (box) delete box.data();
  return result;
}

int ShowMessageBox(QWidget* owner, const MessageText& text, const std::string& caption,
                   unsigned flags) {
  return ShowMessageBox(owner, text, caption.c_str(), flags);
}

}  // namespace mascot
