#include "host/help_viewer.h"

#include <QApplication>
#include <QWindow>

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "dialogs/help_requests.h"
#include "errors/error_text.h"
#include "help/help_html.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

// Pages that are not topics of the file.
constexpr char kUnreadablePage[] = "!unreadable";
constexpr char kMissingContextPrefix[] = "!context:";

constexpr int kWindowWidth = 620;
constexpr int kWindowHeight = 520;

}  // namespace

HelpViewer::HelpViewer(QWidget* owner) : owner_(owner) {}

HelpViewer::~HelpViewer() { delete window_.data(); }

void HelpViewer::showHelp(unsigned command, unsigned long data) {
  if (command == kHelpQuit) {
    quit();
    return;
  }
  if (command != kHelpFinder && command != kHelpContext) return;
  openWindow();
  std::string page = kHelpContentsKey;
  if (command == kHelpContext) {
    page = file_.contextTopic(data) ? std::to_string(data) : kMissingContextPrefix + std::to_string(data);
  }
  go(fileError_.empty() ? page : kUnreadablePage);
  followModalDialog();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

// A modal dialog blocks every window but its own and those that stand for
// it (its transient children): help asked for from inside one becomes one of
// those, so that it can be read, followed and closed while the dialog runs,
// in front of it. Otherwise it belongs to the owner again.
void HelpViewer::followModalDialog() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == window_) modal = nullptr;
  QWidget* standsFor = modal ? modal : (owner_ ? owner_->window() : nullptr);
  window_->winId();  // the native window, which carries the relation
  QWindow* parent = standsFor ? standsFor->windowHandle() : nullptr;
  QWindow* handle = window_->windowHandle();
  if (!handle || handle->transientParent() == parent) return;
  // The toolkit decides whether a window is blocked when it is shown.
  const bool shown = window_->isVisible();
  if (shown) window_->hide();
  handle->setTransientParent(parent);
  if (shown) window_->show();
}

void HelpViewer::showTopic(const std::string& key) {
  if (!window_) return;
  go(fileError_.empty() ? key : kUnreadablePage);
}

void HelpViewer::back() {
  if (!window_ || history_.empty()) return;
  page_ = history_.back();
  history_.pop_back();
  display(page_);
}

std::string HelpViewer::currentTopic() const {
  return window_ && !page_.empty() && page_.front() != '!' ? page_ : std::string();
}

void HelpViewer::openWindow() {
  if (window_ && window_->isVisible()) return;
  if (!file_.read(ProgramFilePath(kHelpFileName))) {
    fileError_ = GetLastErrorText();
    if (fileError_.empty()) fileError_ = "The file could not be read.";
  } else {
    fileError_.clear();
  }
  history_.clear();
  page_.clear();
  if (window_) return;

  window_ = new QWidget(owner_, Qt::Window);
  window_->setObjectName("helpWindow");
  window_->setWindowTitle(kWindowTitle);
  window_->resize(kWindowWidth, kWindowHeight);

  backButton_ = new QPushButton("&Back", window_);
  backButton_->setObjectName("backButton");
  auto* contentsButton = new QPushButton("&Contents", window_);
  contentsButton->setObjectName("contentsButton");
  browser_ = new QTextBrowser(window_);
  browser_->setObjectName("helpBrowser");
  browser_->setOpenLinks(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(backButton_);
  buttons->addWidget(contentsButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(window_);
  layout->addLayout(buttons);
  layout->addWidget(browser_);

  connect(backButton_, &QPushButton::clicked, this, [this] { back(); });
  connect(contentsButton, &QPushButton::clicked, this, [this] { showTopic(kHelpContentsKey); });
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { linkClicked(url); });
}

void HelpViewer::quit() {
  if (!window_) return;
  // Deleted later, as the request may come from inside the window's own events.
  QWidget* window = window_;
  window_ = nullptr;
  browser_ = nullptr;
  backButton_ = nullptr;
  window->hide();
  window->deleteLater();
  history_.clear();
  page_.clear();
}

void HelpViewer::go(std::string page) {
  if (page == page_) return;
  if (!page_.empty()) history_.push_back(page_);
  page_ = std::move(page);
  display(page_);
}

void HelpViewer::display(const std::string& page) {
  std::string html;
  if (page == kUnreadablePage) {
    html = NoticeHtml("The help file could not be read",
                      {"The help file could not be read: " + fileError_,
                       "It belongs beside the program as \"" + ProgramFilePath(kHelpFileName) + "\"."},
                      false);
  } else if (const HelpTopic* topic = file_.findTopic(page)) {
    html = TopicHtml(file_, *topic);
  } else {
    const std::string number = page.rfind(kMissingContextPrefix, 0) == 0
                                   ? page.substr(std::string_view(kMissingContextPrefix).size())
                                   : page;
    html = NoticeHtml("No such topic", {"The help file has no topic for \"" + number + "\"."}, true);
  }
  browser_->setHtml(QString::fromStdString(html));
  backButton_->setEnabled(!history_.empty());
}

void HelpViewer::linkClicked(const QUrl& url) {
  // The pages link to topics only: everything else in them is text.
  const QString text = url.toString();
  const QString prefix = QString::fromLatin1(kTopicLinkPrefix);
  if (text.startsWith(prefix)) showTopic(text.sliced(prefix.size()).toStdString());
}

}  // namespace mascot
