#pragma once

#include "DialogTemplate.h"

class QDialog;
class QWidget;

namespace uikit {

// Fills `dialog` with the controls of `dialogTemplate`: caption, font, client
// size and one widget per control at its converted rectangle, in template order
// (which is also the tab order). Each control carries its numeric ID. Group
// frames lie beneath the other controls and let mouse clicks through to them.
void BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

// The control with `id` among the dialog's descendants, or nullptr.
QWidget* FindControl(const QWidget& dialog, int id);

// The numeric ID a built control carries; res::kNoControlId for none.
int ControlId(const QWidget& control);

} // namespace uikit
