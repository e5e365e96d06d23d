#pragma once

#include "DialogTemplate.h"

namespace res {

// Template 129: caspari's output options dialog.
const DialogTemplate& CaspariOptionsDialog();

} // namespace res
