#pragma once

#include "DialogTemplate.h"

namespace res {

// Template 102: veltrano's main window.
const DialogTemplate& VeltranoMainDialog();

// Template 129: veltrano's output options dialog.
const DialogTemplate& VeltranoOptionsDialog();

// Template 100: veltrano's About box.
const DialogTemplate& VeltranoAboutDialog();

} // namespace res
