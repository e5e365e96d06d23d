#pragma once

#include "DialogTemplate.h"

namespace res {

// Template 102: veltrano's main window.
const DialogTemplate& VeltranoMainDialog();

} // namespace res
