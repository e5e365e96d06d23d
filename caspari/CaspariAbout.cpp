#include "CaspariAbout.h"

#include "AboutBox.h"
#include "CaspariDialogs.h"
#include "WindowIds.h"

#include <QString>

namespace caspari {

namespace {
constexpr int kIconPicture = 1050; // not in the key table: a language never gives it a text
} // namespace

void RunAboutBox(QWidget* owner) {
    uikit::RunAboutBox(owner, res::CaspariAboutDialog(), kIconPicture,
                       QString(":/caspari/caspari-icon%1.png").arg(kMainIcon));
}

} // namespace caspari
