#pragma once
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "editing/frame_row.h"

class QLineEdit;
class QPushButton;

namespace Ui {
class FrameRowForm;
}

namespace mascot {

// One row window of the frame list (dialog 136). It shows whichever row
// the list gives it and applies the rules that stay within the row (the
// min/max pairs, the next-frame reading); the list owns the row records.
class FrameRowDialog final : public QWidget {
  Q_OBJECT

 public:
  explicit FrameRowDialog(QWidget* parent = nullptr);
  ~FrameRowDialog() override;

  void showRow(const FrameRow& row, std::int32_t frameCount);
  std::int32_t rowIndex() const { return rowIndex_; }
  // The number fields as the list reads them back into the row.
  RowFieldValues fieldValues() const;

  void setColour(RowColour colour);
  void setNumberChecked(bool checked);
  void setShownFileName(const std::string& path);
  QLineEdit* fileNameEdit() const;
  QPushButton* numberButton() const;
  // The gap between the number button and the file name edit, for the
  // current-frame marker.
  QRect markerGap() const;

 signals:
  void numberToggled(bool checked);
  void fileNameEdited();
  void browseClicked();
  // A number field was stepped or left; the rules already ran.
  void fieldsEdited();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void connectPair(class FrameRowSpinBox* minimum, FrameRowSpinBox* maximum);
  void connectNextFrame();

  std::unique_ptr<Ui::FrameRowForm> ui_;
  std::int32_t rowIndex_ = -1;
  RowColour colour_ = kButtonFaceColour;
};

}  // namespace mascot
