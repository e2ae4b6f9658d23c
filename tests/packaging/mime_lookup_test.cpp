// The MIME package as a desktop sees it: the shared-mime-info database that
// update-mime-database built from it, read by Qt. install_checks.sh builds
// that database in a scratch data folder and names the files to look up.
#include <gtest/gtest.h>

#include <QMimeDatabase>

#include <cstdlib>

namespace {

QString FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? QString::fromLocal8Bit(value) : QString();
}

struct Lookup {
  const char* what;
  const char* fileVariable;  // names the file to look at
  QMimeDatabase::MatchMode mode;
  const char* expected;
};

TEST(MimeLookup, PackageTypesAnswer) {
  const Lookup lookups[] = {
      // A published mascot is known by its header even under another name.
      {"mascot renamed to x.bin, by content", "MIME_TEST_RENAMED_MASCOT", QMimeDatabase::MatchContent,
       "application/x-tovra-mascot"},
      {"mascot renamed to x.bin, default lookup", "MIME_TEST_RENAMED_MASCOT", QMimeDatabase::MatchDefault,
       "application/x-tovra-mascot"},
      {"published mascot by name", "MIME_TEST_MASCOT", QMimeDatabase::MatchDefault, "application/x-tovra-mascot"},
      {"work file", "MIME_TEST_WORK_FILE", QMimeDatabase::MatchDefault, "text/x-tovra-wmascot"},
      // Another binary file keeps its own type: the magic is not too broad.
      {"a bitmap renamed to x.bin", "MIME_TEST_OTHER_BINARY", QMimeDatabase::MatchContent, "image/bmp"},
  };
  QMimeDatabase database;
  for (const Lookup& lookup : lookups) {
    const QString file = FromEnvironment(lookup.fileVariable);
    ASSERT_FALSE(file.isEmpty()) << lookup.fileVariable << " is not set";
    EXPECT_EQ(database.mimeTypeForFile(file, lookup.mode).name().toStdString(), lookup.expected) << lookup.what;
  }
}

TEST(MimeLookup, WorkFileIsTextForEditors) {
  const QMimeType type = QMimeDatabase().mimeTypeForName(QStringLiteral("text/x-tovra-wmascot"));
  ASSERT_TRUE(type.isValid());
  EXPECT_TRUE(type.inherits(QStringLiteral("text/plain")));
  EXPECT_EQ(type.iconName().toStdString(), "text-x-tovra-wmascot");
}

}  // namespace
