#include "AboutBox.h"

#include "DialogBuilder.h"
#include "LanguagePack.h"

#include <QAbstractButton>
#include <QDialog>
#include <QIcon>
#include <QLabel>

namespace uikit {

namespace {
constexpr int kOk = 1;
}

void RunAboutBox(QWidget* owner, const res::DialogTemplate& aboutTemplate, int iconPictureId,
                 const QString& iconPath, const std::function<void(QDialog&)>& prepare) {
    QDialog about(owner);
    BuildDialog(about, aboutTemplate);
    auto* picture = FindControl<QLabel>(about, iconPictureId);
    picture->setPixmap(QIcon(iconPath).pixmap(picture->size()));
    QObject::connect(FindControl<QAbstractButton>(about, kOk), &QAbstractButton::clicked, &about,
                     &QDialog::accept);
    if (prepare) {
        prepare(about);
    }
    Language().ApplyToDialog(about, aboutTemplate.id);
    about.exec();
}

QString VersionOf(const res::DialogTemplate& aboutTemplate, int versionLabelId) {
    for (const res::ControlTemplate& control : aboutTemplate.controls) {
        if (control.id == versionLabelId) {
            QString text = QString::fromUtf8(control.text);
            return text.remove(QLatin1String("Version")).trimmed();
        }
    }
    return {};
}

} // namespace uikit
