#include "AboutDlg.h"

#include "AboutBox.h"
#include "DialogBuilder.h"
#include "HyperlinkStatic.h"
#include "ProductAddresses.h"
#include "VeltranoDialogs.h"
#include "WindowIds.h"

#include <QDialog>

namespace veltrano {

namespace {
constexpr int kIconPicture = 1087; // not in the key table: a language never gives it a text
constexpr int kHomepageLink = 1049;
constexpr int kContactLink = 1050;

void BindLink(QDialog& about, int id, const char* address) {
    auto* link = uikit::FindControl<uikit::HyperlinkStatic>(about, id);
    link->Attach();
    link->SetAddress(QString::fromUtf8(address));
    link->SetUnderlineMode(uikit::HyperlinkStatic::kUnderlineAlways);
}
} // namespace

void RunAboutBox(QWidget* owner) {
    uikit::RunAboutBox(owner, res::VeltranoAboutDialog(), kIconPicture,
                       QString(":/veltrano/veltrano-icon%1.png").arg(kMainIcon),
                       [](QDialog& about) {
                           BindLink(about, kHomepageLink, uikit::kProductHomepage);
                           BindLink(about, kContactLink, uikit::kContactPage);
                       });
}

} // namespace veltrano
