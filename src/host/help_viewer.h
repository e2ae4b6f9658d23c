#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

#include "help/help_file.h"

class QPushButton;
class QTextBrowser;
class QUrl;

namespace mascot {

// The help window: "Mascot.hlp" from the program's folder, opened at its
// contents or at a context number, with links between topics, Back and
// Contents. The window belongs to the owner (the main window), so it goes
// when the owner goes; the file is read again each time the window opens.
class HelpViewer final : public QObject {
 public:
  static constexpr char kWindowTitle[] = "Tovra Mascot Help";

  explicit HelpViewer(QWidget* owner);
  ~HelpViewer() override;

  // kHelpFinder: the contents; kHelpContext: the topic of that number;
  // kHelpQuit: closes the window. Other commands do nothing.
  void showHelp(unsigned command, unsigned long data);

  // What a followed link does: the page shown goes on the Back list.
  void showTopic(const std::string& key);
  void back();

  QWidget* window() const { return window_; }
  QTextBrowser* browser() const { return browser_; }
  // The key of the topic shown; empty on the viewer's own pages.
  std::string currentTopic() const;

 private:
  void openWindow();
  void followModalDialog();
  void quit();
  void go(std::string page);
  void display(const std::string& page);
  void linkClicked(const QUrl& url);

  QPointer<QWidget> owner_;
  QPointer<QWidget> window_;
  QTextBrowser* browser_ = nullptr;
  QPushButton* backButton_ = nullptr;
  HelpFile file_;
  std::string fileError_;  // empty when the file was read
  std::string page_;
  std::vector<std::string> history_;
};

}  // namespace mascot
