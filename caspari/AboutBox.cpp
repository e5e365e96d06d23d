#include "AboutBox.h"

#include "CaspariDialogs.h"
#include "DialogBuilder.h"
#include "LanguagePack.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QDialog>
#include <QIcon>
#include <QLabel>

namespace caspari {

namespace {
constexpr int kIconPicture = 1050;
constexpr int kOk = 1;
} // namespace

void RunAboutBox(QWidget* owner) {
    QDialog about(owner);
    const res::DialogTemplate& aboutTemplate = res::CaspariAboutDialog();
    uikit::BuildDialog(about, aboutTemplate);
    auto* picture = uikit::FindControl<QLabel>(about, kIconPicture);
    const QIcon icon(QString(":/caspari/caspari-icon%1.png").arg(kMainIcon));
    picture->setPixmap(icon.pixmap(picture->size()));
    QObject::connect(uikit::FindControl<QAbstractButton>(about, kOk), &QAbstractButton::clicked,
                     &about, &QDialog::accept);
    uikit::Language().ApplyToDialog(about, aboutTemplate.id);
    about.exec();
}

} // namespace caspari
