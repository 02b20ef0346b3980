#pragma once
// Where new child windows of the main frame go: the first one fills the
// workspace (and keeps filling it while the main window is resized, until
// the user moves or resizes it); later ones cascade from the last one at a
// size that leaves room to reach the others.

#include <QRect>

class QMdiArea;
class QMdiSubWindow;

namespace ChildPlacement {

// The rectangle of a new window in the workspace `area`, given the rectangle
// of the last window shown there (none: the new one fills the area).
// Cascaded windows take two thirds of the area (at least 320 x 200, at most
// the area), each `step` pixels right of and below the last one, starting
// again at the top left when the next would reach past the area.
QRect cascadeRect(const QRect& area, const QRect* last, int step);

// Places frame, already added to mdi, in the workspace `area` (the area the
// workspace has, or is going to have when the main window is not shown yet).
void place(QMdiArea* mdi, QMdiSubWindow* frame, const QMdiSubWindow* last, const QRect& area);

}  // namespace ChildPlacement
