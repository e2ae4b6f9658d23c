#include <memory>

#include "model/mascot_document.h"
#include "model/mascot_view.h"

// The two-step shape change: a frame change grows the window to the union of
// the old and the new shape, the paint then shrinks it to the new one, so
// that no part of either picture is cut off in between.
namespace mascot {

void MascotDocument::applyFrameRegion(MascotView* window, bool force) {
  if (!frameInRange(currentFrame)) return;
  std::int32_t imageIndex = frameAt(currentFrame).imageIndex;
  if (!imageInRange(imageIndex)) return;
  const SharedHandle<Region>& shape = images[static_cast<std::size_t>(imageIndex)].region;
  if (!shape) return;
  if (!force && shape == currentRegion) return;

  auto grown = std::make_shared<Region>(*shape);
  if (currentRegion && !grown->unite(*currentRegion)) return;
  if (window == nullptr || !window->setShape(std::move(grown))) return;
  previousRegion = currentRegion;
  currentRegion = shape;
}

void MascotDocument::finishFrameRegion(MascotView* window) {
  if (window == nullptr || !currentRegion || !previousRegion) return;
  window->setShape(std::make_shared<Region>(*currentRegion));
  previousRegion.reset();
}

}  // namespace mascot
