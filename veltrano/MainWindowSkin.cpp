// The main window's skin: the icons, tooltips, cursor and sound of its skinned
// buttons and the tiled picture behind all controls.

#include "ConverterDlg.h"

#include "ButtonSound.h"
#include "LanguagePack.h"
#include "SkinButton.h"
#include "WindowIds.h"

#include <QPainter>
#include <QPixmap>

namespace veltrano {

namespace {

constexpr int kBackgroundBitmap = 139;
constexpr int kHandCursor = 141;
constexpr QPoint kHandHotSpot{12, 1}; // the finger tip

struct SkinnedButton {
    int id;
    int icon;
    int message;         // tooltip from the language's messages, or 0
    const char* tooltip; // fixed tooltip when `message` is 0
};

constexpr SkinnedButton kSkinnedButtons[] = {
    {idc::kOpenVideo, 140, 119, nullptr},
    {idc::kOptions, 146, 120, nullptr},
    {idc::kConvert, kMainIcon, 121, nullptr},
    {idc::kHelp, 148, 0, "Help"},
    {idc::kHomepage, 158, 0, "Homepage"},
    {idc::kAbout, 156, 0, "About"},
    {idc::kExit, 159, 0, "Exit"},
};

QString ResourcePath(const char* name, int number) {
    return QStringLiteral(":/veltrano/%1%2.png").arg(QLatin1String(name)).arg(number);
}

// The largest icon that leaves the caption a whole line below it: the short
// buttons at the bottom of the window take a smaller one than those at the top.
QIcon ButtonIcon(const uikit::SkinButton& button, int number) {
    const int room = button.height() - button.imageOrigin().y() - button.fontMetrics().height();
    const QString base = QStringLiteral(":/veltrano/button-icon%1").arg(number);
    if (room >= 32) {
        return QIcon(base + ".png");
    }
    return QIcon(base + (room >= 24 ? "-24.png" : "-16.png"));
}

} // namespace

void CConverterDlg::SetUpSkin() {
    buttonSound_ = std::make_unique<ButtonSound>();
    background_ = QPixmap(ResourcePath("background", kBackgroundBitmap));
    const QPixmap hand(ResourcePath("hand-cursor", kHandCursor));
    for (const SkinnedButton& entry : kSkinnedButtons) {
        auto* button = Control<uikit::SkinButton>(entry.id);
        if (button == nullptr) {
            continue;
        }
        button->SetButtonIcon(ButtonIcon(*button, entry.icon));
        button->SetHoverSound(buttonSound_.get());
        button->SetTransparent(false);
        button->SetHandCursor(hand, kHandHotSpot, true);
        button->SetIconAlignment(uikit::SkinButton::kIconAbove, true);
    }
    ApplySkinTooltips();
}

void CConverterDlg::ApplySkinTooltips() {
    for (const SkinnedButton& entry : kSkinnedButtons) {
        if (auto* button = Control<uikit::SkinButton>(entry.id)) {
            button->SetTooltip(entry.message != 0 ? uikit::Language().GetMessageText(entry.message)
                                                  : QString::fromLatin1(entry.tooltip),
                               true);
        }
    }
}

void CConverterDlg::paintEvent(QPaintEvent* event) {
    if (background_.isNull()) {
        QDialog::paintEvent(event);
        return;
    }
    // Tiles start at the client area's top-left corner; the last ones are clipped.
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), background_);
}

} // namespace veltrano
