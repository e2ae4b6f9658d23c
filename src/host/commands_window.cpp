#include "host/commands_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mascot {
namespace {

constexpr char kTitle[] = "Tovra Mascot";
constexpr int kMargin = 10;
constexpr int kSpacing = 4;
constexpr int kButtonWidth = 200;

QFrame* Gap() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

CommandsWindow::CommandsWindow(CommandHandler handler)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      handler_(std::move(handler)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  setWindowRole(QString::fromLatin1(kRole));
  list_ = new QVBoxLayout(this);
  list_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  list_->setSpacing(kSpacing);
  // As large as the buttons need, no larger.
  list_->setSizeConstraint(QLayout::SetFixedSize);
}

CommandsWindow::~CommandsWindow() = default;

void CommandsWindow::showCommands(const std::vector<CommandEntry>& commands) {
  if (!sameCommands(commands)) build(commands);
  // One layout item per entry, in order.
  for (int i = 0; i < list_->count(); ++i) {
    if (auto* button = qobject_cast<QPushButton*>(list_->itemAt(i)->widget()))
      button->setEnabled(commands[static_cast<std::size_t>(i)].enabled);
  }
  // A minimised window stays so: new states of the commands are no reason to
  // come forward.
  if (!isVisible()) show();
}

void CommandsWindow::hideCommands() { hide(); }

void CommandsWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  showMinimized();
}

bool CommandsWindow::sameCommands(const std::vector<CommandEntry>& commands) const {
  return std::equal(built_.begin(), built_.end(), commands.begin(), commands.end(),
                    [](const CommandEntry& a, const CommandEntry& b) { return a.id == b.id && a.text == b.text; });
}

void CommandsWindow::build(const std::vector<CommandEntry>& commands) {
  while (QLayoutItem* item = list_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  for (const CommandEntry& entry : commands) {
    if (entry.id == 0) {
      list_->addWidget(Gap());
      continue;
    }
    auto* button = new QPushButton(QString::fromStdString(entry.text));
    button->setMinimumWidth(kButtonWidth);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id = entry.id] { handler_(id); });
    list_->addWidget(button);
  }
  built_ = commands;
}

}  // namespace mascot
