// A right click on a dialog's control asks for its pop-up help; text fields
// keep their edit menu, which ends in the same help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "dialogs/control_ids.h"
#include "dialogs/help_requests.h"

namespace mascot {
namespace {

struct Asked {
  int dialog, control;
  bool operator==(const Asked&) const = default;
};

void RightClick(QWidget* control) {
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), control->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(control, &click);
}

TEST(ContextHelp, TextFieldsKeepTheirEditMenuWithTheHelpLast) {
  QDialog dialog;
  dialog.setObjectName("testDialog_140");
  auto* name = new QLineEdit(&dialog);
  name->setObjectName("name_1007");
  auto* notes = new QPlainTextEdit(&dialog);
  notes->setObjectName("notes_1008");
  auto* button = new QPushButton("OK", &dialog);
  button->setObjectName("ok_1");
  std::vector<Asked> asked;
  SetHelpServices({{}, [&asked](QWidget* d, QWidget* c, QPoint) { asked.push_back({ControlId(d), ControlId(c)}); }});
  EnableContextHelp(&dialog);

  RightClick(button);
  EXPECT_EQ(asked, (std::vector<Asked>{{140, 1}})) << "a button has no menu of its own";

  for (QWidget* field : {static_cast<QWidget*>(name), notes->viewport()}) {
    asked.clear();
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return ADD_FAILURE() << "no menu";
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) shown << action->text().remove('&').section('\t', 0, 0);
      menu->actions().last()->trigger();
      menu->close();
    });
    RightClick(field);
    EXPECT_TRUE(shown.contains("Copy") && shown.contains("Paste") && shown.contains("Select All")) << shown.join(",").toStdString();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.last(), "What's This?");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].dialog, 140);
    EXPECT_EQ(asked[0].control, field == name ? 1007 : 1008);
  }
  SetHelpServices({});
}

}  // namespace
}  // namespace mascot
