#pragma once

class QWidget;

namespace veltrano {

// Shows veltrano's About box (template 100) modally over `owner`, in the
// current language, with live links to the product's page and its support page.
void RunAboutBox(QWidget* owner);

} // namespace veltrano
