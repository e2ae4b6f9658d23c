#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  // Also when run by hand or listed for discovery, not only under ctest.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("SDL_AUDIODRIVER", "dummy");
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
