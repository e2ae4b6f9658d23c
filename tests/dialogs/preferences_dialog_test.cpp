#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "dialogs/help_requests.h"
#include "dialogs/preferences_dialog.h"
#include "modal_dialog_driver.h"
#include "preferences/mascot_preferences.h"

namespace mascot {
namespace {

using testing::Find;
using testing::WhenModalShows;
using Names = std::vector<std::string>;

QStringList Shown(QDialog* dialog, int id) {
  QStringList names;
  const auto* list = Find<QListWidget>(dialog, id);
  for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
  return names;
}

void Select(QDialog* dialog, int id, std::initializer_list<int> rows) {
  auto* list = Find<QListWidget>(dialog, id);
  list->clearSelection();
  for (int row : rows) list->item(row)->setSelected(true);
}

void Press(QDialog* dialog, int id) { QTest::mouseClick(Find<QPushButton>(dialog, id), Qt::LeftButton); }
bool Enabled(QDialog* dialog, int id) { return FindControl(dialog, id)->isEnabled(); }

MascotPreferences ThreeInstalled() {
  MascotPreferences preferences;
  preferences.installed = {"Pip.mascot", "Bolt.mascot", "Moss.mascot"};
  return preferences;
}

TEST(PreferencesDialog, ShowsTheRecordAndFollowsTheModes) {
  MascotPreferences preferences = ThreeInstalled();
  preferences.SelectionMode = kSelectEachDayOfWeek;
  preferences.ChangeMode = kChangePeriodically;
  preferences.ChangePeriod = 25;
  preferences.DayOfWeekList = {"Pip.mascot"};
  preferences.SelectedList = {"Moss.mascot"};
  unsigned long helpContext = 0;
  SetHelpServices({[&](unsigned, unsigned long data) { helpContext = data; }, {}});

  WhenModalShows([](QDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Tovra Mascot Preferences");
    EXPECT_TRUE(Find<QRadioButton>(dialog, 1060)->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(dialog, 1062)->isChecked());
    EXPECT_EQ(Find<QSpinBox>(dialog, 1063)->value(), 25);
    EXPECT_EQ(Find<QLabel>(dialog, 1070)->text(), "Daily Mascots (first is Sunday)");
    EXPECT_EQ(Shown(dialog, 1056), (QStringList{"Bolt.mascot", "Moss.mascot"}));
    EXPECT_EQ(Shown(dialog, 1057), QStringList{"Pip.mascot"});
    for (int id : {1061, 1062, 1066, 1063}) EXPECT_FALSE(Enabled(dialog, id)) << id;

    Find<QRadioButton>(dialog, 1059)->click();
    EXPECT_EQ(Find<QLabel>(dialog, 1070)->text(), "Selected Mascots");
    EXPECT_EQ(Shown(dialog, 1057), QStringList{"Moss.mascot"});
    for (int id : {1061, 1062, 1066, 1063}) EXPECT_TRUE(Enabled(dialog, id)) << id;
    Find<QRadioButton>(dialog, 1061)->click();
    EXPECT_FALSE(Enabled(dialog, 1063));
    EXPECT_TRUE(Enabled(dialog, 1062));

    Press(dialog, 1069);
    Press(dialog, 2);
  });
  EXPECT_EQ(RunPreferencesDialog(nullptr, &preferences), 2);
  EXPECT_EQ(helpContext, kHelpContextPreferences);
  SetHelpServices({});
  EXPECT_EQ(RunPreferencesDialog(nullptr, nullptr), 2);
}

TEST(PreferencesDialog, OkReturnsWhatTheControlsHold) {
  MascotPreferences preferences = ThreeInstalled();
  preferences.SelectedList = {"Moss.mascot"};
  preferences.DayOfWeekList = {"Bolt.mascot"};
  preferences.startAtLogin = true;

  WhenModalShows([](QDialog* dialog) {
    Find<QRadioButton>(dialog, 1059)->click();
    Find<QRadioButton>(dialog, 1062)->click();
    // Typed, not stepped: read into the range when OK takes it.
    auto* minutes = Find<QSpinBox>(dialog, 1063);
    minutes->setFocus();
    minutes->selectAll();
    QTest::keyClicks(minutes, "20000");
    Find<QCheckBox>(dialog, 1026)->click();
    EXPECT_TRUE(Find<QCheckBox>(dialog, 1027)->isChecked()) << "the entry exists";
    Find<QCheckBox>(dialog, 1027)->click();

    Select(dialog, 1056, {1, 0});  // Bolt, Pip
    Press(dialog, 1019);
    EXPECT_EQ(Shown(dialog, 1057), (QStringList{"Moss.mascot", "Bolt.mascot", "Pip.mascot"}));
    EXPECT_TRUE(Shown(dialog, 1056).isEmpty());
    Select(dialog, 1057, {0});
    Press(dialog, 1020);
    EXPECT_EQ(Shown(dialog, 1056), QStringList{"Moss.mascot"});
    Press(dialog, 1);
  });
  ASSERT_EQ(RunPreferencesDialog(nullptr, &preferences), 1);
  EXPECT_EQ(preferences.SelectionMode, kSelectInOrder);
  EXPECT_EQ(preferences.ChangeMode, kChangePeriodically);
  EXPECT_EQ(preferences.ChangePeriod, 10000u);
  EXPECT_EQ(preferences.HideIfTargetAtTop, 1);
  EXPECT_FALSE(preferences.startAtLogin);
  EXPECT_EQ(preferences.SelectedList, (Names{"Bolt.mascot", "Pip.mascot"}));
  EXPECT_EQ(preferences.DayOfWeekList, Names{"Bolt.mascot"});
}

}  // namespace
}  // namespace mascot
