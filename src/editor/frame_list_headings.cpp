#include "editor/frame_list_headings.h"

#include <QWidget>

#include "dialogs/control_ids.h"
#include "editor/frame_list_view.h"

namespace mascot {
namespace {

struct Heading {
  int id;
  int firstControl;  // the row controls it stands over
  int lastControl;
  int line;  // 0: the group line, 1: the column line
};

constexpr Heading kHeadings[] = {
    {1034, 1025, 1019, 0},  // Frame: number, file name and its browse button
    {1106, 1013, 1009, 0},  // Delay
    {1035, 1097, 1015, 0},  // Block Loop
    {1036, 1025, 1025, 1},  // No.
    {1037, 1008, 1008, 1},  // Filename:
    {1038, 1013, 1013, 1},  // Min.
    {1039, 1009, 1009, 1},  // Max.
    {1040, 1097, 1097, 1},  // Next
    {1041, 1017, 1017, 1},  // Min.
    {1042, 1015, 1015, 1},  // Max.
};

}  // namespace

void PlaceFrameListHeadings(QWidget* headings, const FrameListView& list) {
  if (!headings || !list.window()) return;
  const int shift = list.mapTo(list.window(), QPoint(0, 0)).x() - headings->mapTo(list.window(), QPoint(0, 0)).x();
  const int lineHeight = headings->height() / 2;
  for (const Heading& heading : kHeadings) {
    QWidget* label = FindControl(headings, heading.id);
    const int left = list.columnSpan(heading.firstControl).first;
    const int right = list.columnSpan(heading.lastControl).second;
    if (!label || right <= left) continue;
    label->setGeometry(shift + left, heading.line * lineHeight, right - left, lineHeight);
  }
}

}  // namespace mascot
