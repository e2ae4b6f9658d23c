#include "editor/editor_dialog.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include <memory>
#include <vector>

#include "commands/path_dialogs.h"
#include "dialogs/creator_info_dialog.h"
#include "dialogs/dialog_run.h"
#include "dialogs/edit_text.h"
#include "dialogs/help_requests.h"
#include "dialogs/hyperlink_label.h"
#include "dialogs/maker_texts.h"
#include "dialogs/message_box.h"
#include "dialogs/program_pictures.h"
#include "dialogs/progress_window.h"
#include "dialogs/wait_cursor.h"
#include "editing/editor_state.h"
#include "editing/sound_path_dialog.h"
#include "editor/frame_list_headings.h"
#include "editor/preview_window.h"
#include "sound/sound_player.h"
#include "ui_editor_dialog.h"

namespace mascot {
namespace {

constexpr unsigned long kHelpContextEditor = 501;

QDialog* currentEditor = nullptr;

class EditorDialog final : public QDialog,
                           private EditorDialogView,
                           private FrameListControl,
                           private EditorServices {
 public:
  EditorDialog(MascotDocument& document, const EditorEnvironment& environment);
  ~EditorDialog() override;

  // Initialises, runs modally, tears down; true for OK.
  bool run();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void connectCommands();
  void connectFields();
  NumberSpinBox* spin(EditorSpin spin) const;
  NumberSpinBox* spinOfField(EditorField field) const;

  // -- EditorDialogView --
  std::string fieldText(EditorField field) override;
  void setFieldText(EditorField field, const std::string& text) override;
  void setNameLimit(int characters) override { ui_.mascotName_1000->setMaxLength(characters); }
  bool isChecked(EditorCheck check) override;
  void setChecked(EditorCheck check, bool checked) override;
  std::optional<int> spinPosition(EditorSpin which) override { return spin(which)->value(); }
  void setSpinPosition(EditorSpin spin, int position) override;
  void setSpinRange(EditorSpin spin, int lowest, int highest) override;
  void enable(EditorControl control, bool enabled) override;
  void setUndoLabel(const std::string& label) override { ui_.undo_1072->setText(QString::fromStdString(label)); }
  void setSoundInfo(const std::string& text) override { ui_.soundInfo_1103->setText(QString::fromStdString(text)); }
  void focusField(EditorField field) override;
  int dialogWidth() override { return frameGeometry().width(); }
  void bringToTop() override { raise(); }

  // -- FrameListControl --
  std::int32_t addFrame() override { return ui_.frameList_1024->addFrame(); }
  std::int32_t removeFrame() override { return ui_.frameList_1024->removeFrame(); }
  void setFrames(const std::vector<FrameRecord>& frames) override { ui_.frameList_1024->setFrames(frames); }
  void getFrames(std::vector<FrameRecord>& frames) override { ui_.frameList_1024->getFrames(frames); }
  std::int32_t count() override { return ui_.frameList_1024->count(); }
  std::int32_t selection() override { return ui_.frameList_1024->selection(); }
  void showCurrent(std::int32_t frame) override { ui_.frameList_1024->showCurrent(frame); }
  void showClicked(std::int32_t frame) override { ui_.frameList_1024->showClicked(frame); }
  void setClickRange(std::int32_t first, std::int32_t last) override {
    ui_.frameList_1024->setClickRange(first, last);
  }
  void undo() override { ui_.frameList_1024->undo(); }
  void resetUndo() override { ui_.frameList_1024->resetUndo(); }

  // -- EditorServices --
  int showMessage(const std::string& text, const std::string& caption, unsigned flags) override {
    return ShowMessageBox(this, MessageText(text), caption, flags);
  }
  void setProgressTitle(const std::string& title) override { SetProgressTitle(title); }
  void setProgressDetail(const std::string& detail) override { SetProgressDetail(detail); }
  void closeProgress() override { CloseProgress(); }
  void beginWait() override { waits_.push_back(std::make_unique<WaitCursor>()); }
  void endWait() override {
    if (!waits_.empty()) waits_.pop_back();
  }
  std::string askSoundPath(const std::string& currentPath) override {
    return AskSoundPath(*pathDialogs_, currentPath);
  }
  bool editCreatorInfo(CreatorFields& fields) override { return EditCreatorInfo(this, &fields) == kIdOk; }
  void showEditorHelp() override { ShowHelp(kHelpContext, kHelpContextEditor); }
  void playSoundSync(const SoundBytes& sound) override {
    if (soundPlayer_) soundPlayer_->playSync(sound);
  }
  void playSoundFileSync(const std::string& path) override {
    if (soundPlayer_) soundPlayer_->playFileSync(path);
  }

  Ui::EditorDialog ui_;
  PathDialogs* pathDialogs_;
  SoundPlayer* soundPlayer_;
  std::vector<std::unique_ptr<WaitCursor>> waits_;
  std::unique_ptr<PreviewWindow> preview_;
  std::unique_ptr<EditorState> state_;
};

EditorDialog::EditorDialog(MascotDocument& document, const EditorEnvironment& environment)
    : QDialog(nullptr, PlainDialogFlags() | Qt::WindowMinimizeButtonHint),
      pathDialogs_(&PathDialogsOrNone(environment.pathDialogs)),
      soundPlayer_(environment.soundPlayer) {
  ui_.setupUi(this);
  setWindowIcon(ProgramIcon(kIconEditorSmall));
  ui_.clickFirst_1099->setEmptyAtMinimum(true);
  ui_.clickFirst_1099->setWrapping(true);
  ui_.clickLast_1100->setEmptyAtMinimum(true);

  const QPixmap logo = ProgramBitmap(kBitmapEditorLogo);
  if (!logo.isNull()) ui_.makerPicture_1088->setPixmap(logo);
  ui_.makerLink_1086->setText(QString::fromUtf8(kMakerWebAddress));
  ui_.makerLink_1086->setFont(font());
  AttachHyperlink(ui_.makerLink_1086, kMakerWebAddress);
  AttachHyperlink(ui_.makerPicture_1088, kMakerWebAddress);

  preview_ = std::make_unique<PreviewWindow>(
      this, soundPlayer_, environment.hideIfTargetAtTop,
      PreviewWindow::Notifications{[this](std::int32_t frame) { if (state_) state_->previewShowedFrame(frame); },
                                   [this](std::int32_t frame) { if (state_) state_->previewClicked(frame); }});
  EditorDialogView& view = *this;
  FrameListControl& frameList = *this;
  EditorServices& services = *this;
  state_ = std::make_unique<EditorState>(document, view, frameList, *preview_, services, *pathDialogs_);
  ui_.frameList_1024->setCurrentFrameQuery([this] { return state_ ? state_->currentFrame() : -1; });
  connectCommands();
  connectFields();
  EnableContextHelp(this);
}

EditorDialog::~EditorDialog() {
  if (state_) state_->tearDown();
  state_.reset();
  preview_.reset();
}

bool EditorDialog::run() {
  currentEditor = this;
  // Modal from its first showing: the rules fill it (and place the preview
  // on it) before its own loop runs, and a dialog shown before exec() would
  // otherwise stay modeless.
  setWindowModality(Qt::ApplicationModal);
  show();
  state_->initialise();
  const bool confirmed = exec() == kIdOk;
  state_->tearDown();
  currentEditor = nullptr;
  return confirmed;
}

void EditorDialog::connectCommands() {
  EditorState& s = *state_;
  const std::pair<QAbstractButton*, void (EditorState::*)()> commands[] = {
      {ui_.clickActive_1005, &EditorState::clickActiveToggled},
      {ui_.soundBrowse_1019, &EditorState::browseSound},
      {ui_.addFrame_1020, &EditorState::addFrame},
      {ui_.removeFrame_1021, &EditorState::removeFrame},
      {ui_.undo_1072, &EditorState::undoRedo},
      {ui_.testSound_1023, &EditorState::testSound},
      {ui_.publish_1045, &EditorState::publish},
      {ui_.save_1046, &EditorState::save},
      {ui_.creatorInfo_1047, &EditorState::editCreatorInfo},
      {ui_.saveAs_1048, &EditorState::saveAs},
      {ui_.load_1049, &EditorState::load},
      {ui_.xIsPercent_1068, &EditorState::percentToggled},
      {ui_.helpButton_1069, &EditorState::showHelp},
      {ui_.xFromRightEdge_1077, &EditorState::relativeToggled},
      {ui_.stop_1083, &EditorState::stopPreview},
      {ui_.start_1084, &EditorState::startPreview},
      {ui_.step_1085, &EditorState::stepPreview},
  };
  for (const auto& [button, action] : commands)
    connect(button, &QAbstractButton::clicked, this, [&s, action = action] { (s.*action)(); });
  connect(ui_.okButton_1, &QPushButton::clicked, this, [this] {
    state_->confirm();
    done(kIdOk);
  });
  connect(ui_.cancelButton_2, &QPushButton::clicked, this, [this] { done(kIdCancel); });
}

void EditorDialog::connectFields() {
  EditorState& s = *state_;
  for (NumberSpinBox* offset : {ui_.xOffset_1001, ui_.yOffset_1002}) {
    connect(offset->edit(), &QLineEdit::textEdited, this, [&s] {
      if (!s.isFilling()) s.offsetEdited();
    });
    connect(offset, &QAbstractSpinBox::editingFinished, this, [&s] { s.offsetEdited(); });
  }
  ui_.xOffset_1001->setStepHandler([this] { state_->xSpinMoved(ui_.xOffset_1001->value()); });
  ui_.yOffset_1002->setStepHandler([this] { state_->ySpinMoved(ui_.yOffset_1002->value()); });
  ui_.clickFirst_1099->setStepHandler([&s] { s.clickFirstSpinMoved(); });
  ui_.clickLast_1100->setStepHandler([&s] { s.clickLastSpinMoved(); });
  connect(ui_.clickFirst_1099, &QAbstractSpinBox::editingFinished, this, [&s] { s.clickFirstEditDone(); });
  connect(ui_.clickLast_1100, &QAbstractSpinBox::editingFinished, this, [&s] { s.clickLastEditDone(); });
  connect(ui_.soundPath_1022, &QLineEdit::editingFinished, this, [&s] { s.soundPathEditDone(); });

  FrameListView* list = ui_.frameList_1024;
  connect(list, &FrameListView::selectionChanged, this, [&s](std::int32_t index) { s.selectionChanged(index); });
  connect(list, &FrameListView::frameChanged, this,
          [&s](std::int32_t index, const FrameRecord* record) { s.frameChanged(index, record); });
}

void EditorDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The list's columns follow its width, once the layouts inside it have
  // given its rows their new width.
  QMetaObject::invokeMethod(
      this, [this] { PlaceFrameListHeadings(ui_.frameHeadings, *ui_.frameList_1024); }, Qt::QueuedConnection);
}

// A press on the dialog's own surface, not on one of its controls.
void EditorDialog::mousePressEvent(QMouseEvent* event) {
  QDialog::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr) state_->surfaceClicked();
}

NumberSpinBox* EditorDialog::spin(EditorSpin which) const {
  switch (which) {
    case EditorSpin::kXOffset: return ui_.xOffset_1001;
    case EditorSpin::kYOffset: return ui_.yOffset_1002;
    case EditorSpin::kClickFirst: return ui_.clickFirst_1099;
    case EditorSpin::kClickLast: return ui_.clickLast_1100;
  }
  return ui_.xOffset_1001;
}

NumberSpinBox* EditorDialog::spinOfField(EditorField field) const {
  switch (field) {
    case EditorField::kXOffset: return ui_.xOffset_1001;
    case EditorField::kYOffset: return ui_.yOffset_1002;
    case EditorField::kClickFirst: return ui_.clickFirst_1099;
    case EditorField::kClickLast: return ui_.clickLast_1100;
    default: return nullptr;
  }
}

std::string EditorDialog::fieldText(EditorField field) {
  if (NumberSpinBox* box = spinOfField(field)) return box->typedText().toStdString();
  if (field == EditorField::kName) return FromEditText(ui_.mascotName_1000->text());
  return ui_.soundPath_1022->text().toStdString();
}

void EditorDialog::setFieldText(EditorField field, const std::string& text) {
  if (NumberSpinBox* box = spinOfField(field)) {
    // Code sets fields without notifying, as the rules expect.
    const QSignalBlocker quiet(box);
    box->setValue(text.empty() ? box->minimum() : QString::fromStdString(text).toInt());
    return;
  }
  QLineEdit* edit = field == EditorField::kName ? ui_.mascotName_1000 : ui_.soundPath_1022;
  const QSignalBlocker quiet(edit);
  edit->setText(field == EditorField::kName ? ToEditText(text) : QString::fromStdString(text));
}

bool EditorDialog::isChecked(EditorCheck check) {
  switch (check) {
    case EditorCheck::kClickActive: return ui_.clickActive_1005->isChecked();
    case EditorCheck::kXIsPercent: return ui_.xIsPercent_1068->isChecked();
    case EditorCheck::kRelativeToRightEdge: return ui_.xFromRightEdge_1077->isChecked();
  }
  return false;
}

void EditorDialog::setChecked(EditorCheck check, bool checked) {
  QCheckBox* box = check == EditorCheck::kClickActive  ? ui_.clickActive_1005
                   : check == EditorCheck::kXIsPercent ? ui_.xIsPercent_1068
                                                       : ui_.xFromRightEdge_1077;
  const QSignalBlocker quiet(box);
  box->setChecked(checked);
}

void EditorDialog::setSpinPosition(EditorSpin which, int position) {
  NumberSpinBox* box = spin(which);
  const QSignalBlocker quiet(box);
  box->setValue(position);
}

void EditorDialog::setSpinRange(EditorSpin which, int lowest, int highest) {
  NumberSpinBox* box = spin(which);
  const QSignalBlocker quiet(box);
  box->setRange(lowest, highest);
}

void EditorDialog::enable(EditorControl control, bool enabled) {
  switch (control) {
    case EditorControl::kRemoveFrame: ui_.removeFrame_1021->setEnabled(enabled); break;
    case EditorControl::kUndo: ui_.undo_1072->setEnabled(enabled); break;
    case EditorControl::kStop: ui_.stop_1083->setEnabled(enabled); break;
    case EditorControl::kStart: ui_.start_1084->setEnabled(enabled); break;
    case EditorControl::kStep: ui_.step_1085->setEnabled(enabled); break;
    case EditorControl::kPublish: ui_.publish_1045->setEnabled(enabled); break;
    case EditorControl::kSave: ui_.save_1046->setEnabled(enabled); break;
    case EditorControl::kClickOptions:
      for (QWidget* option : std::initializer_list<QWidget*>{
               ui_.clickFirst_1099, ui_.clickLast_1100, ui_.fromCaption_1031, ui_.toCaption_1032,
               ui_.soundCaption_1043, ui_.soundPath_1022, ui_.soundBrowse_1019, ui_.testSound_1023})
        option->setEnabled(enabled);
      break;
  }
}

void EditorDialog::focusField(EditorField field) {
  if (NumberSpinBox* box = spinOfField(field)) {
    box->setFocus();
  } else if (field == EditorField::kName) {
    ui_.mascotName_1000->setFocus();
  } else {
    ui_.soundPath_1022->setFocus();
  }
}

}  // namespace

bool RunEditor(MascotDocument& document, const EditorEnvironment& environment) {
  EditorDialog dialog(document, environment);
  return dialog.run();
}

QDialog* CurrentEditorDialog() { return currentEditor; }

}  // namespace mascot
