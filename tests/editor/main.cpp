#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Also when run by hand or listed for discovery, not only under ctest.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
