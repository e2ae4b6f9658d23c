#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "dialogs/message_box_layout.h"

namespace mascot {

// What one message box shows, already measured and laid out.
struct MessageBoxContent {
  QString caption;
  QStringList lines;
  MessageBoxIcon icon = MessageBoxIcon::None;
  std::vector<int> buttons;
  int defaultButton = -1;
  bool foreground = false;
  MessageBoxLayout layout;
};

// The message box window: places its parts where the layout says and ends
// with the code of the button pressed. Escape and Close count as Cancel and
// are refused when the box has neither OK nor Cancel.
class MessageBoxDialog : public QDialog {
 public:
  MessageBoxDialog(QWidget* owner, const MessageBoxContent& content,
                   std::function<void(QWidget*)> showHelp);

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void addIcon(MessageBoxIcon icon, const QRect& place);
  void press(int code);

  bool closable_;
  bool foreground_;
  std::function<void(QWidget*)> showHelp_;
};

}  // namespace mascot
