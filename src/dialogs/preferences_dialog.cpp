#include "dialogs/preferences_dialog.h"

#include <QPushButton>

#include "dialogs/dialog_run.h"
#include "dialogs/help_requests.h"
#include "editing/preferences_form.h"
#include "editing/preferences_lists.h"
#include "ui_preferences_dialog.h"

namespace mascot {
namespace {

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void ShowNames(QListWidget* list, const std::vector<std::string>& names) {
  list->clear();
  for (const std::string& name : names) list->addItem(QString::fromStdString(name));
}

std::vector<int> SelectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  return rows;
}

// The dialog's controls over the rules of editing/: the lists are the
// core's, the widgets only show them.
class PreferencesControls {
 public:
  PreferencesControls(QDialog& dialog, MascotPreferences& preferences)
      : dialog_(dialog), preferences_(preferences), lists_(preferences) {
    ui_.setupUi(&dialog);
    fillControls();
    connectControls();
  }

 private:
  void fillControls() {
    const bool periodically = ShownChangeMode(preferences_.ChangeMode) == kChangePeriodically;
    (periodically ? ui_.changePeriodically_1062 : ui_.changeOnStart_1061)->setChecked(true);
    modeButton(lists_.shownMode())->setChecked(true);
    ui_.minutes_1063->setValue(static_cast<int>(preferences_.ChangePeriod));
    ui_.hideAtTop_1026->setChecked(preferences_.HideIfTargetAtTop != 0);
    ui_.startAtLogin_1027->setChecked(preferences_.startAtLogin);
    showLists();
    applyEnabling();
  }

  void connectControls() {
    for (std::uint32_t mode : {kSelectRandom, kSelectInOrder, kSelectEachDayOfWeek}) {
      QObject::connect(modeButton(mode), &QRadioButton::toggled, &dialog_, [this, mode](bool checked) {
        if (!checked) return;
        lists_.showMode(mode);
        showLists();
        applyEnabling();
      });
    }
    QObject::connect(ui_.changePeriodically_1062, &QRadioButton::toggled, &dialog_, [this] { applyEnabling(); });

    const auto moveRight = [this] { refuseOrShow(lists_.moveRight(SelectedRows(ui_.installedList_1056))); };
    const auto moveLeft = [this] {
      lists_.moveLeft(SelectedRows(ui_.chosenList_1057));
      showLists();
    };
    QObject::connect(ui_.addButton_1019, &QPushButton::clicked, &dialog_, moveRight);
    QObject::connect(ui_.installedList_1056, &QListWidget::itemDoubleClicked, &dialog_, moveRight);
    QObject::connect(ui_.removeButton_1020, &QPushButton::clicked, &dialog_, moveLeft);
    QObject::connect(ui_.chosenList_1057, &QListWidget::itemDoubleClicked, &dialog_, moveLeft);
    QObject::connect(ui_.addAllButton_1021, &QPushButton::clicked, &dialog_,
                     [this] { refuseOrShow(lists_.moveAllRight()); });
    QObject::connect(ui_.removeAllButton_1022, &QPushButton::clicked, &dialog_, [this] {
      lists_.moveAllLeft();
      showLists();
    });

    QObject::connect(ui_.helpButton_1069, &QPushButton::clicked, &dialog_,
                     [] { ShowHelp(kHelpContext, kHelpContextPreferences); });
    QObject::connect(ui_.okButton_1, &QPushButton::clicked, &dialog_, [this] { accept(); });
    QObject::connect(ui_.cancelButton_2, &QPushButton::clicked, &dialog_, [this] { dialog_.done(kIdCancel); });
  }

  QRadioButton* modeButton(std::uint32_t mode) const {
    if (mode == kSelectInOrder) return ui_.inOrder_1059;
    if (mode == kSelectEachDayOfWeek) return ui_.eachDayOfWeek_1060;
    return ui_.random_1058;
  }

  std::uint32_t changeMode() const {
    return ui_.changePeriodically_1062->isChecked() ? kChangePeriodically : kChangeOnStart;
  }

  void showLists() {
    ShowNames(ui_.installedList_1056, lists_.left());
    ShowNames(ui_.chosenList_1057, lists_.right());
    ui_.chosenLabel_1070->setText(FromView(RightListTitle(lists_.shownMode())));
  }

  void applyEnabling() {
    const PreferencesEnabling enabling = EnablingFor(lists_.shownMode(), changeMode());
    ui_.changeOnStart_1061->setEnabled(enabling.changeModes);
    ui_.changePeriodically_1062->setEnabled(enabling.changeModes);
    ui_.minutesLabel_1066->setEnabled(enabling.minutes);
    ui_.minutes_1063->setEnabled(enabling.minutes);
  }

  void refuseOrShow(bool moved) {
    if (moved) {
      showLists();
      return;
    }
    ShowMessageBox(&dialog_, MessageText(std::string(kDayOfWeekLimitText)), std::string(kDayOfWeekLimitCaption),
                   kDayOfWeekLimitFlags);
  }

  void accept() {
    // The arrows' position follows the text only once it is read.
    ui_.minutes_1063->interpretText();
    PreferencesChoice choice;
    choice.selectionMode = lists_.shownMode();
    choice.changeMode = changeMode();
    choice.minutes = static_cast<std::uint32_t>(ui_.minutes_1063->value());
    choice.hideIfTargetAtTop = ui_.hideAtTop_1026->isChecked();
    choice.startAtLogin = ui_.startAtLogin_1027->isChecked();
    ApplyPreferencesChoice(choice, preferences_);
    lists_.store();
    dialog_.done(kIdOk);
  }

  QDialog& dialog_;
  MascotPreferences& preferences_;
  PreferencesLists lists_;
  Ui::PreferencesDialog ui_;
};

}  // namespace

int RunPreferencesDialog(QWidget* owner, MascotPreferences* preferences) {
  if (!preferences) return kIdCancel;
  QDialog dialog(owner ? owner->window() : nullptr, PlainDialogFlags());
  PreferencesControls controls(dialog, *preferences);
  EnableContextHelp(&dialog);
  return RunDialog(dialog);
}

}  // namespace mascot
