#pragma once

class QWidget;

namespace caspari {

// Shows caspari's About box (template 100) modally over `owner`, in the
// current language.
void RunAboutBox(QWidget* owner);

} // namespace caspari
