#pragma once

class QWidget;

namespace mascot {

class FrameListView;

// Puts the editor's column headings (the numbered labels inside `headings`)
// over the frame list's columns: each heading over the row control it names,
// the group headings "Frame", "Delay" and "Block Loop" above their groups.
void PlaceFrameListHeadings(QWidget* headings, const FrameListView& list);

}  // namespace mascot
