#include "dialogs/message_box_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "dialogs/message_box.h"

namespace mascot {
namespace {

QStyle::StandardPixmap StandardIcon(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Stop: return QStyle::SP_MessageBoxCritical;
    case MessageBoxIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageBoxIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

Qt::WindowFlags BoxFlags(bool closable) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowStaysOnTopHint;
  if (closable) flags |= Qt::WindowCloseButtonHint;
  return flags;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* owner, const MessageBoxContent& content,
                                   std::function<void(QWidget*)> showHelp)
    : QDialog(owner ? owner->window() : nullptr),
      closable_(MessageBoxClosable(content.buttons)),
      foreground_(content.foreground),
      showHelp_(std::move(showHelp)) {
  setWindowFlags(BoxFlags(closable_));
  setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
  setWindowTitle(content.caption);
  setFixedSize(content.layout.box);

  if (content.icon != MessageBoxIcon::None) addIcon(content.icon, content.layout.icon);

  auto* text = new QLabel(this);
  text->setObjectName(QStringLiteral("text"));
  text->setTextFormat(Qt::PlainText);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setText(content.lines.join(u'\n'));
  text->setGeometry(content.layout.text);

  QPushButton* defaultButton = nullptr;
  for (std::size_t i = 0; i < content.buttons.size(); ++i) {
    const int code = content.buttons[i];
    auto* button = new QPushButton(MessageBoxButtonLabel(code), this);
    button->setGeometry(content.layout.buttons[i]);
    connect(button, &QPushButton::clicked, this, [this, code] { press(code); });
    if (static_cast<int>(i) == content.defaultButton) defaultButton = button;
  }
  if (defaultButton) {
    defaultButton->setDefault(true);
    defaultButton->setFocus();
  }
}

void MessageBoxDialog::addIcon(MessageBoxIcon icon, const QRect& place) {
  auto* label = new QLabel(this);
  label->setObjectName(QStringLiteral("icon"));
  label->setPixmap(style()->standardIcon(StandardIcon(icon), nullptr, this).pixmap(place.size()));
  label->setGeometry(place);
}

void MessageBoxDialog::press(int code) {
  if (code == kIdHelp) {
    if (showHelp_) showHelp_(this);
    return;
  }
  if (auto result = MessageBoxResult(code, closable_)) done(*result);
}

// Escape, and Close through QDialog::closeEvent, arrive here.
void MessageBoxDialog::reject() { press(kIdCancel); }

void MessageBoxDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (foreground_) {
    raise();
    activateWindow();
  }
}

}  // namespace mascot
