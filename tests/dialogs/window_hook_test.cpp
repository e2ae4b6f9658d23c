#include "dialogs/window_hook.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <memory>
#include <string>

namespace mascot {
namespace {

const auto kProbe = static_cast<QEvent::Type>(QEvent::registerEventType());

// The hooks and the window write their letters here as a probe event passes.
std::string trail;

std::string Probe(QObject* window) {
  trail.clear();
  QEvent event(kProbe);
  QCoreApplication::sendEvent(window, &event);
  return trail;
}

class Window final : public QWidget {
  bool event(QEvent* event) override {
    if (event->type() == kProbe) trail += 'w';
    return QWidget::event(event);
  }
};

class Hook final : public WindowHook {
 public:
  explicit Hook(char letter) : letter_(letter) {}
  bool stops = false;

 protected:
  bool WindowProc(QEvent* event) override {
    if (event->type() != kProbe) return PassOn(event);
    trail += letter_;
    return stops || PassOn(event);
  }

 private:
  char letter_;
};

TEST(WindowHook, NewestFirstUntilOneStopsAndDetachingAnyKeepsTheRest) {
  Window window;
  Hook a('a'), b('b'), c('c');
  for (Hook* hook : {&a, &b, &c}) hook->Attach(&window);
  EXPECT_EQ(Probe(&window), "cbaw");
  b.stops = true;
  EXPECT_EQ(Probe(&window), "cb");

  b.Attach(nullptr);  // from the middle
  EXPECT_EQ(b.window(), nullptr);
  EXPECT_EQ(Probe(&window), "caw");
  c.Attach(nullptr);  // the newest
  EXPECT_EQ(Probe(&window), "aw");
  {
    Hook d('d');  // goes away while attached
    d.Attach(&window);
    EXPECT_EQ(Probe(&window), "daw");
  }
  a.Attach(nullptr);  // the last
  EXPECT_EQ(Probe(&window), "w");
}

TEST(WindowHook, MovesBetweenWindowsAndOutlivesThem) {
  auto first = std::make_unique<Window>();
  Window second;
  Hook a('a'), b('b');
  auto c = std::make_unique<Hook>('c');
  for (Hook* hook : {&a, &b, c.get()}) hook->Attach(first.get());
  a.Attach(&second);
  EXPECT_EQ(Probe(first.get()), "cbw");
  EXPECT_EQ(Probe(&second), "aw");

  first.reset();
  EXPECT_EQ(b.window(), nullptr);
  EXPECT_EQ(c->window(), nullptr);
  c.reset();  // after its window: nothing may be touched
  b.Attach(&second);
  EXPECT_EQ(Probe(&second), "baw");
}

}  // namespace
}  // namespace mascot
