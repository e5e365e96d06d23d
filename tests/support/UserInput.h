#pragma once

// Mouse input the way a user gives it: through the top-level window at a
// point, so Qt itself decides which widget gets it. A widget lying on top of a
// control takes its clicks here just as it does on the screen.

#include <QStringList>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QMenu;
class QPoint;
class QWidget;

namespace testenv {

// Clicks `control` with the left button at its centre through its top-level
// window, showing the window first and scrolling the control into view. False,
// with a test failure recorded, when the control is hidden or another widget
// took the press (the click is still given).
bool ClickThroughWindow(QWidget& control);

// Where presses at the controls of a window landed.
struct PressReach {
    std::vector<std::string> pressed; // every control pressed, by name
    std::vector<std::string> missed;  // "<control> taken by <widget>" for each press it lost
};

// Presses every visible, enabled control of `window` through the window at its
// centre and notes which widget Qt hands the press; a child of the control
// counts as the control. Controls are the named widgets (template controls are
// "control<id>") and buttons. The presses and releases are kept from the
// widgets, so no control acts: no dialog opens and OK or Cancel leave the
// window shown.
PressReach PressEveryControl(QWidget& window);

// Drags `files` from outside and drops them on `control`'s centre through its
// top-level window, so Qt picks the widget that takes the drop as it does on the
// screen. True when the drop was accepted.
bool DropFilesThroughWindow(QWidget& control, const QStringList& files);

// Moves the mouse pointer, no button held, to `at` (in `control`'s coordinates,
// inside or outside it) after showing its top-level window, so the window gets
// the enter, leave and move events a user's pointer causes.
void MoveMouseThroughWindow(QWidget& control, const QPoint& at);

// Right-clicks `window` at its centre through its window and hands the popup
// menu that opens to `use`, inside the menu's own event loop; `use` should
// close it (it is closed anyway, with a test failure). False, with a failure
// recorded, when no menu opened.
bool WithPopupMenu(QWidget& window, const std::function<void(QMenu&)>& use);

// The names PressReach gives the template controls with these IDs.
std::vector<std::string> ControlNames(std::initializer_list<int> ids);

} // namespace testenv
