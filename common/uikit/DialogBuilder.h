#pragma once

#include "DialogTemplate.h"

#include <QString>
#include <QWidget>

class QDialog;

namespace uikit {

// Fills `dialog` with the controls of `dialogTemplate`: caption, font, client
// size and one widget per control at its converted rectangle, in template order
// (which is also the tab order). Each control carries its numeric ID. Group
// frames lie beneath the other controls and let mouse clicks through to them.
void BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

// The object name a built control carries: "control<id>".
QString ControlName(int id);

// The control with `id` among the dialog's descendants when it is a `T`;
// nullptr for an unknown ID or a control of another kind.
template <typename T = QWidget>
T* FindControl(const QWidget& dialog, int id) {
    return dialog.findChild<T*>(ControlName(id));
}

// The numeric ID a built control carries; res::kNoControlId for none.
int ControlId(const QWidget& control);

} // namespace uikit
