#pragma once

#include "DialogTemplate.h"

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace uikit {

// Shows an About box built from `aboutTemplate` modally over `owner`: the
// picture label `iconPictureId` shows the program icon at `iconPath`, the OK
// button (ID 1) closes it, `prepare` readies the program's own controls, and
// the texts of the current language are applied last.
void RunAboutBox(QWidget* owner, const res::DialogTemplate& aboutTemplate, int iconPictureId,
                 const QString& iconPath, const std::function<void(QDialog&)>& prepare = {});

// The program's version as its About box states it: the label `versionLabelId`
// of `aboutTemplate` ("Version 2.0") without the word.
QString VersionOf(const res::DialogTemplate& aboutTemplate, int versionLabelId);

} // namespace uikit
