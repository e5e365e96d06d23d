#pragma once

#include "DialogTemplate.h"

namespace res {

// Template 102: caspari's main window.
const DialogTemplate& CaspariMainDialog();

// Template 100: caspari's About box.
const DialogTemplate& CaspariAboutDialog();

// Template 129: caspari's output options dialog.
const DialogTemplate& CaspariOptionsDialog();

// Template 133: the dialog that lists the elements of a conversion graph and
// opens the settings of the one picked.
const DialogTemplate& CaspariFilterPropertiesDialog();

} // namespace res
