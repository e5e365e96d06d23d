#include "SkinButton.h"

#include "HoverSound.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <qdrawutil.h>

namespace uikit {

HoverSound::~HoverSound() = default;

namespace {

constexpr int kFocusInset = 3;

QSize NaturalSize(const QIcon& icon) {
    const QList<QSize> sizes = icon.availableSizes();
    return sizes.isEmpty() ? icon.actualSize(QSize(32, 32)) : sizes.first();
}

// A one-pixel edge around `r`: `topLeft` on the top and left sides,
// `bottomRight` on the others, which also take the two corners they share.
void DrawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
}

} // namespace

SkinButton::SkinButton(const QString& text, bool isDefault, QWidget* parent)
    : QPushButton(text, parent), isDefault_(isDefault) {
    // Hover needs every move, not just those with a button held.
    setMouseTracking(true);
    const QPalette& colours = palette();
    for (int state = 0; state < 3; ++state) {
        background_[state] = colours.color(QPalette::Button);
        foreground_[state] = colours.color(QPalette::ButtonText);
    }
}

void SkinButton::SetButtonIcon(const QIcon& icon) {
    icon_ = icon;
    iconSize_ = icon.isNull() ? QSize() : NaturalSize(icon);
    update();
}

void SkinButton::SetHoverSound(HoverSound* sound) {
    hoverSound_ = sound;
}

void SkinButton::SetTransparent(bool redraw) {
    // Qt paints the parent beneath a widget that does not fill itself.
    transparent_ = true;
    Redraw(redraw);
}

int SkinButton::SetHandCursor(const QPixmap& picture, const QPoint& hotSpot, bool redraw) {
    if (picture.isNull()) {
        return kCursorNotLoaded;
    }
    setCursor(QCursor(picture, hotSpot.x(), hotSpot.y()));
    hasHandCursor_ = true;
    Redraw(redraw);
    return 0;
}

void SkinButton::SetTooltip(const QString& text, bool activate) {
    tooltip_ = text;
    setToolTip(activate ? WrapTooltipText(text, QToolTip::font(), kTooltipMaxWidth) : QString());
}

int SkinButton::SetIconAlignment(int alignment, bool redraw) {
    if (alignment < kIconLeft || alignment > kIconOverlap) {
        return kInvalidAlignment;
    }
    alignment_ = alignment;
    Redraw(redraw);
    return 0;
}

void SkinButton::SetFlat(bool flat, bool redraw) {
    flat_ = flat;
    Redraw(redraw);
}

void SkinButton::SetDrawBorder(bool drawBorder, bool redraw) {
    drawBorder_ = drawBorder;
    Redraw(redraw);
}

void SkinButton::SetFlatFocus(bool flatFocus, bool redraw) {
    flatFocus_ = flatFocus;
    Redraw(redraw);
}

void SkinButton::Redraw(bool redraw) {
    if (redraw) {
        update();
    }
}

void SkinButton::Layout(QRect& iconRect, QRect& captionRect) const {
    const QRect client = rect();
    captionRect = client;
    iconRect = QRect();
    if (icon_.isNull()) {
        return;
    }
    const int w = iconSize_.width();
    const int h = iconSize_.height();
    const QPoint centred((client.width() - w) / 2, (client.height() - h) / 2);
    if (text().isEmpty()) {
        iconRect = QRect(centred, iconSize_);
        return;
    }
    switch (alignment_) {
    case kIconAbove:
        iconRect = QRect(centred.x(), imageOrigin_.y(), w, h);
        captionRect.setTop(iconRect.bottom() + 1);
        break;
    case kIconRight:
        iconRect = QRect(client.width() - imageOrigin_.x() - w, centred.y(), w, h);
        captionRect.setRight(iconRect.left() - 1);
        break;
    case kIconOverlap:
        iconRect = QRect(centred, iconSize_);
        break;
    default:
        iconRect = QRect(imageOrigin_.x(), centred.y(), w, h);
        captionRect.setLeft(iconRect.right() + 1);
        break;
    }
}

QRect SkinButton::IconRect() const {
    QRect iconRect;
    QRect captionRect;
    Layout(iconRect, captionRect);
    return isDown() && iconRect.isValid() ? iconRect.translated(pressedOffset_) : iconRect;
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int state = (mouseOnButton_ || isDown()) ? kHoverOrPressed
                      : hasFocus()                 ? kFocused
                                                   : kNormal;
    QRect face = rect();
    PaintFace(painter, face, state);

    QRect iconRect;
    QRect captionRect;
    Layout(iconRect, captionRect);
    if (isDown()) {
        iconRect.translate(pressedOffset_);
        captionRect.translate(pressedOffset_);
    }
    PaintIcon(painter, iconRect);
    PaintCaption(painter, captionRect, state);

    if (hasFocus() && (!flat_ || flatFocus_)) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void SkinButton::PaintFace(QPainter& painter, QRect& face, int state) const {
    const QPalette& colours = palette();
    const bool pressed = isDown();
    if (!flat_ && (hasFocus() || isDefault_)) {
        painter.setPen(Qt::black);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    if (!transparent_) {
        painter.fillRect(face, background_[state]);
    }
    const QColor highlight = colours.color(QPalette::Light);
    const QColor shadow = colours.color(QPalette::Dark);
    if (flat_) {
        if (pressed && drawBorder_) {
            DrawEdge(painter, face, shadow, highlight);
        } else if (!pressed && mouseOnButton_ && drawBorder_ && isEnabled()) {
            DrawEdge(painter, face, highlight, shadow);
        }
    } else if (pressed) {
        DrawEdge(painter, face, shadow, shadow);
    } else {
        qDrawWinButton(&painter, face, colours, false, nullptr);
    }
}

void SkinButton::PaintIcon(QPainter& painter, const QRect& iconRect) const {
    if (!iconRect.isValid()) {
        return;
    }
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    painter.drawPixmap(iconRect.topLeft(), icon_.pixmap(iconSize_, devicePixelRatio(), mode));
}

void SkinButton::PaintCaption(QPainter& painter, const QRect& captionRect, int state) const {
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    QStyleOption option;
    option.initFrom(this);
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) != 0;
    const int flags = Qt::AlignCenter | Qt::TextWordWrap |
                      (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    painter.setFont(font());
    if (!isEnabled()) {
        // Embossed: a highlight copy one pixel down-right under the shadow-coloured text.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(captionRect.translated(1, 1), flags, caption);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(captionRect, flags, caption);
        return;
    }
    painter.setPen(foreground_[state]);
    painter.drawText(captionRect, flags, caption);
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    // The button tracks every move over it; none passes on to the window.
    event->accept();
    if (!rect().contains(event->position().toPoint())) {
        ClearHover(); // dragged off while the button holds the mouse
        return;
    }
    if (mouseOnButton_ || !flat_ || !isEnabled()) {
        return;
    }
    // A drag that began elsewhere does not light the button up.
    if ((event->buttons() & Qt::LeftButton) != 0 && !pressedHere_) {
        return;
    }
    mouseOnButton_ = true;
    update();
    if (hoverSound_ != nullptr) {
        hoverSound_->Play();
    }
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedHere_ = true;
        setFocus(Qt::MouseFocusReason);
    }
    QPushButton::mousePressEvent(event);
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedHere_ = false;
    }
    QPushButton::mouseReleaseEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
    ClearHover();
    QPushButton::leaveEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
    ClearHover();
    QPushButton::focusOutEvent(event);
}

bool SkinButton::event(QEvent* event) {
    // Children hear of their window's deactivation through this event only.
    if (event->type() == QEvent::WindowDeactivate) {
        ClearHover();
    }
    return QPushButton::event(event);
}

void SkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        ClearHover();
    }
    QPushButton::changeEvent(event);
}

void SkinButton::ClearHover() {
    if (mouseOnButton_) {
        mouseOnButton_ = false;
        update();
    }
}

QString WrapTooltipText(const QString& text, const QFont& font, int maxWidth) {
    const QFontMetrics metrics(font);
    QStringList lines;
    for (const QString& paragraph : text.split('\n')) {
        if (metrics.horizontalAdvance(paragraph) <= maxWidth) {
            lines << paragraph;
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + ' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > maxWidth) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines.join('\n');
}

} // namespace uikit
