#include "host/help_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QWhatsThis>

#include <fstream>
#include <memory>
#include <vector>

#include "dialogs/help_requests.h"
#include "host/context_help.h"
#include "host/help_services.h"
#include "scratch_folder.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

constexpr char kHelpText[] =
    "TOVRA MASCOT HELP 1\n"
    "@topic contents Start Page\n"
    "Read about [[502]] or [[files]].\n"
    "@topic 502 Preference Page\n"
    "Choose.\n"
    "@topic files Files Page\n"
    "Kinds.\n"
    "@popup 141 1056\n"
    "The installed mascots.\n";

// Points the program folder at a scratch folder, with or without a help file.
class HelpFolder {
 public:
  explicit HelpFolder(bool withFile) {
    const auto folder = testing::ScratchFolder();
    if (withFile) std::ofstream(folder / kHelpFileName) << kHelpText;
    SetProgramFolderForTesting(folder.string());
  }
  ~HelpFolder() { SetProgramFolderForTesting({}); }
};

QString Page(const HelpViewer& viewer) { return viewer.browser()->toPlainText(); }

TEST(HelpViewer, OpensAtContentsOrContextFollowsLinksGoesBackAndQuits) {
  HelpFolder folder(true);
  auto owner = std::make_unique<QWidget>();
  HelpViewer viewer(owner.get());
  ContextHelp contextHelp;
  RegisterHelpServices(viewer, contextHelp);

  ShowHelp(kHelpFinder, 501);
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_TRUE(viewer.window()->isVisible());
  EXPECT_EQ(viewer.window()->windowTitle(), "Tovra Mascot Help");
  EXPECT_EQ(viewer.window()->parentWidget(), owner.get());
  EXPECT_EQ(viewer.currentTopic(), "contents");
  EXPECT_TRUE(Page(viewer).contains("Start Page"));
  auto* backButton = viewer.window()->findChild<QPushButton*>("backButton");
  EXPECT_FALSE(backButton->isEnabled());

  ShowHelp(kHelpContext, 502);
  EXPECT_EQ(viewer.currentTopic(), "502");
  EXPECT_TRUE(Page(viewer).contains("Preference Page"));
  emit viewer.browser()->anchorClicked(QUrl("topic:files"));
  EXPECT_EQ(viewer.currentTopic(), "files");
  EXPECT_TRUE(backButton->isEnabled());
  backButton->click();
  EXPECT_EQ(viewer.currentTopic(), "502");
  viewer.window()->findChild<QPushButton*>("contentsButton")->click();
  EXPECT_EQ(viewer.currentTopic(), "contents");

  ShowHelp(kHelpContext, 4002);  // a number the file does not know
  EXPECT_TRUE(viewer.currentTopic().empty());
  EXPECT_TRUE(Page(viewer).contains("no topic for \"4002\""));

  QPointer<QWidget> window = viewer.window();
  ShowHelp(kHelpQuit, 0);
  EXPECT_EQ(viewer.window(), nullptr);
  EXPECT_TRUE(!window || !window->isVisible());

  // Owned by the main window: it goes when the main window goes.
  ShowHelp(kHelpFinder, 0);
  window = viewer.window();
  ASSERT_NE(window, nullptr);
  owner.reset();
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(viewer.window(), nullptr);
  UnregisterHelpServices();
}

TEST(HelpViewer, SaysWhyWhenTheFileCannotBeRead) {
  HelpFolder folder(false);
  QWidget owner;
  HelpViewer viewer(&owner);
  viewer.showHelp(kHelpContext, 502);
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_TRUE(Page(viewer).contains("The help file could not be read"));
  EXPECT_TRUE(Page(viewer).contains("No such file or directory"));
  EXPECT_TRUE(viewer.currentTopic().empty());
}

TEST(ContextHelp, RightClickAsksOnceAndThePopupComesFromTheNearestNumberedControl) {
  HelpFolder folder(true);
  QWidget dialog;
  dialog.setObjectName("preferencesDialog_141");
  auto* list = new QListWidget(&dialog);
  list->setObjectName("installedList_1056");
  auto* ok = new QPushButton("OK", &dialog);
  ok->setObjectName("okButton_1");
  dialog.show();

  struct Request {
    QWidget* dialog;
    QWidget* control;
    QPoint point;
  };
  std::vector<Request> requests;
  SetHelpServices({{}, [&](QWidget* d, QWidget* c, QPoint p) { requests.push_back({d, c, p}); }});
  EnableContextHelp(&dialog);
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(203, 304));
  QApplication::sendEvent(ok, &click);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].dialog, &dialog);
  EXPECT_EQ(requests[0].control, ok);
  EXPECT_EQ(requests[0].point, QPoint(203, 304));
  SetHelpServices({});

  ContextHelp help;
  ASSERT_TRUE(help.initialise(kHelpFileName, 1));
  EXPECT_EQ(help.textFor(&dialog, list->viewport()), "The installed mascots.");
  EXPECT_EQ(help.textFor(&dialog, ok), std::nullopt);
  EXPECT_EQ(help.textFor(&dialog, &dialog), std::nullopt);

  auto popups = [] {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible() && QByteArray(widget->metaObject()->className()) == "QWhatsThat") ++shown;
    return shown;
  };
  help.request(&dialog, ok, QPoint(10, 10));
  EXPECT_EQ(popups(), 0);
  help.request(&dialog, list->viewport(), QPoint(10, 10));
  EXPECT_EQ(popups(), 1);
  QWhatsThis::hideText();
}

}  // namespace
}  // namespace mascot
