#include "host/mascot_tool_tip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include "dialogs/program_pictures.h"
#include "host/tip_layout.h"
#include "host/x11_window_class.h"

namespace mascot {

namespace {

constexpr char kFontFamily[] = "Arial";
constexpr int kInitialX = 10;
constexpr int kInitialY = 100;
constexpr int kInitialWidth = 150;
constexpr int kInitialHeight = 50;

TipPoint ToTip(QPoint point) { return {point.x(), point.y()}; }

Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

// A popup that never takes the focus, with a 1-pixel border; the tip draws
// it and handles its pointer. A tooltip window is left alone by the window
// manager, which neither frames nor hides it (as some do with utility
// windows of programs that are not active).
class MascotToolTip::TipWindow final : public QWidget {
 public:
  explicit TipWindow(MascotToolTip& tip)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
        tip_(tip) {
    setObjectName(QString::fromLatin1(kWindowClass));
    setWindowRole(QString::fromLatin1(kWindowClass));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setCursor(tip.arrowCursor_);
    setGeometry(kInitialX, kInitialY, kInitialWidth, kInitialHeight);
  }

  QRect client() const { return rect().adjusted(1, 1, -1, -1); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QPalette palette = QToolTip::palette();
    painter.fillRect(rect(), palette.color(QPalette::ToolTipBase));
    painter.setPen(palette.color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    tip_.paintTip(painter, client());
  }
  void mouseMoveEvent(QMouseEvent* event) override { tip_.pointerOverTip(toClient(event)); }
  void mousePressEvent(QMouseEvent* event) override {
    // The second press of a double click is no click on the link.
    if (event->button() == Qt::LeftButton && !(event->flags() & Qt::MouseEventCreatedDoubleClick))
      tip_.pressOnTip(toClient(event));
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }

 private:
  QPoint toClient(const QMouseEvent* event) const { return event->position().toPoint() - client().topLeft(); }

  MascotToolTip& tip_;
};

MascotToolTip::MascotToolTip(std::unique_ptr<TipDesktop> desktop)
    : desktop_(desktop ? std::move(desktop) : std::make_unique<TipDesktop>()) {
  QObject::connect(&restTimer_, &QTimer::timeout, [this] { restTimerElapsed(); });
  QObject::connect(&leaveTimer_, &QTimer::timeout, [this] { leaveTimerElapsed(); });
}

MascotToolTip::~MascotToolTip() {
  // No event of the mascot window may reach a tip that is half gone.
  Attach(nullptr);
  restTimer_.stop();
  leaveTimer_.stop();
}

QWidget* MascotToolTip::tipWindow() const { return tipWindow_.get(); }

bool MascotToolTip::SetMascotTip(QWidget* mascotWindow, const std::string& name, const std::string& creatorInfo) {
  if (!tipWindow_ && !createTipWindow(mascotWindow)) return false;
  // A mascot window made anew (or gone) is hooked again.
  if (mascotWindow != nullptr && window() != mascotWindow) hook(mascotWindow);
  lines_ = BuildTipLines(name, creatorInfo);
  layOut();
  return true;
}

bool MascotToolTip::createTipWindow(QWidget* mascotWindow) {
  if (mascotWindow == nullptr) return false;
  regularFont_ = QApplication::font("QStatusBar");
  regularFont_.setFamily(QString::fromLatin1(kFontFamily));
  underlineFont_ = regularFont_;
  underlineFont_.setUnderline(true);
  italicFont_ = regularFont_;
  italicFont_.setItalic(true);
  linkCursor_ = ProgramCursor(kCursorPointingHand);

  tipWindow_ = std::make_unique<TipWindow>(*this);
  SetX11WindowClass(tipWindow_.get(), kWindowClass);
  // Owned by the mascot window: the window manager keeps the tip with it.
  tipWindow_->winId();
  if (QWindow* owner = mascotWindow->windowHandle(); owner && tipWindow_->windowHandle())
    tipWindow_->windowHandle()->setTransientParent(owner);
  hook(mascotWindow);
  return true;
}

void MascotToolTip::hook(QWidget* mascotWindow) {
  Attach(mascotWindow);
  // Moves without a button held must reach the hook.
  mascotWindow->setMouseTracking(true);
}

const QFont& MascotToolTip::measuringFont(const TipLine& line) const {
  return line.italic ? italicFont_ : regularFont_;
}

void MascotToolTip::layOut() {
  std::vector<TipLineMetrics> metrics;
  metrics.reserve(lines_.size());
  for (const TipLine& line : lines_) {
    const QString text = QString::fromStdString(line.text);
    const QFontMetrics measure(measuringFont(line), tipWindow_.get());
    const QFontMetrics box(line.url.empty() ? regularFont_ : underlineFont_, tipWindow_.get());
    metrics.push_back({measure.size(Qt::TextSingleLine, text).width(), measure.height(), box.lineSpacing()});
  }
  const TipSize size = TipWindowSize(LayOutTipLines(lines_, metrics));
  tipWindow_->resize(size.width, size.height);
  tipWindow_->update();
}

bool MascotToolTip::WindowProc(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (tipWindow_ && tipWindow_->isVisible()) {
        hideTip();
      } else if (!(desktop_->pointerButtons() & (Qt::LeftButton | Qt::RightButton))) {
        startRest(mouse->globalPosition().toPoint());
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton))
        startRest(mouse->globalPosition().toPoint());
      break;
    }
    default:
      break;
  }
  return PassOn(event);
}

void MascotToolTip::startRest(QPoint globalPosition) {
  rest_ = globalPosition;
  restTimer_.start(kRestTimerMs);
}

void MascotToolTip::restTimerElapsed() {
  if (!tipWindow_) return;
  const QPoint now = desktop_->pointerPosition();
  if (!IsPointerAtRest(ToTip(rest_), ToTip(now))) return;
  const TipSize size{tipWindow_->width(), tipWindow_->height()};
  const TipPoint at = PlaceTip(ToTip(now), size, ToRect(desktop_->workAreaAt(now)));
  shownAt_ = QPoint(at.x, at.y);
  tipWindow_->move(shownAt_);
  tipWindow_->show();
  leaveTimer_.start(kLeaveTimerMs);
}

void MascotToolTip::leaveTimerElapsed() {
  if (!tipWindow_) return;
  // Where the tip was put, not where the toolkit believes it is: that belief
  // can be stale for a frameless window the window manager just mapped.
  if (QRect(shownAt_, tipWindow_->size()).contains(desktop_->pointerPosition())) {
    leaveTimer_.start(kLeaveTimerMs);
    return;
  }
  hideTip();
  leaveTimer_.stop();
}

void MascotToolTip::hideTip() {
  if (tipWindow_) tipWindow_->hide();
}

void MascotToolTip::paintTip(QPainter& painter, const QRect& client) {
  const QColor text = QToolTip::palette().color(QPalette::ToolTipText);
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  int y = client.top();
  for (const TipLine& line : lines_) {
    const bool link = !line.url.empty();
    const QFont& font = link ? underlineFont_ : (line.italic ? italicFont_ : regularFont_);
    const QColor colour = !link ? text : line.visited ? QColor(255, 0, 0) : QColor(0, 0, 255);
    const int height = QFontMetrics(font, tipWindow_.get()).lineSpacing();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(client.left(), y, client.width(), height),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(line.text));
    y += height;
  }
  painter.restore();
}

void MascotToolTip::pointerOverTip(QPoint client) {
  const bool overLink = FirstLinkAt(lines_, client.x(), client.y()) >= 0;
  tipWindow_->setCursor(overLink ? linkCursor_ : arrowCursor_);
}

void MascotToolTip::pressOnTip(QPoint client) {
  const int index = FirstLinkAt(lines_, client.x(), client.y());
  if (index < 0) return;
  if (desktop_->openUrl(QString::fromStdString(lines_[static_cast<std::size_t>(index)].url))) {
    hideTip();
  } else {
    QApplication::beep();
  }
}

}  // namespace mascot
