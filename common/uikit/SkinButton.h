#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QPushButton>
#include <QString>

class QFont;
class QPixmap;

namespace uikit {

struct HoverSound;

// A push button that paints itself: a flat face that shows a raised edge while
// the mouse is over it, an icon beside, above or under its caption, a hand
// cursor, a sound when the mouse arrives and a tooltip wrapped to a fixed width.
class SkinButton : public QPushButton {
    Q_OBJECT

public:
    // Where the icon sits relative to the caption.
    enum IconAlignment {
        kIconLeft = 0,
        kIconAbove = 1,
        kIconRight = 2,
        kIconOverlap = 3,
    };
    static constexpr int kInvalidAlignment = 4; // SetIconAlignment's answer to a value > 3
    static constexpr int kCursorNotLoaded = 1;  // SetHandCursor's answer to a missing picture
    static constexpr int kTooltipMaxWidth = 400;

    // The three looks whose colours the button keeps.
    enum ColourState { kHoverOrPressed = 0, kFocused = 1, kNormal = 2 };

    SkinButton(const QString& text, bool isDefault, QWidget* parent = nullptr);

    // The icon is drawn at its natural size (its first available size).
    void SetButtonIcon(const QIcon& icon);
    // Borrowed; nullptr for silence. Played once each time the mouse arrives.
    void SetHoverSound(HoverSound* sound);
    // The window's own background shows through; the face is never filled.
    void SetTransparent(bool redraw);
    // Shown over the button, with its hot spot at `hotSpot`. Returns 0, or
    // kCursorNotLoaded (keeping the current cursor) for a null picture.
    int SetHandCursor(const QPixmap& picture, const QPoint& hotSpot, bool redraw);
    // Lines longer than kTooltipMaxWidth pixels are wrapped; `activate` false
    // keeps the text but shows no tip.
    void SetTooltip(const QString& text, bool activate);
    // One of IconAlignment; kInvalidAlignment (and no change) for a value > 3.
    int SetIconAlignment(int alignment, bool redraw);
    void SetFlat(bool flat, bool redraw);
    void SetDrawBorder(bool drawBorder, bool redraw);
    void SetFlatFocus(bool flatFocus, bool redraw);

    bool mouseOnButton() const { return mouseOnButton_; }
    int iconAlignment() const { return alignment_; }
    bool transparent() const { return transparent_; }
    bool flat() const { return flat_; }
    const QIcon& buttonIcon() const { return icon_; }
    QSize buttonIconSize() const { return iconSize_; }
    QPoint imageOrigin() const { return imageOrigin_; }
    bool hasHandCursor() const { return hasHandCursor_; }
    const QString& tooltipText() const { return tooltip_; }
    // Where the icon is drawn now: it moves with the pressed offset.
    QRect IconRect() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The icon's and the caption's rectangles before the pressed offset.
    void Layout(QRect& iconRect, QRect& captionRect) const;
    void PaintFace(QPainter& painter, QRect& face, int state) const;
    void PaintIcon(QPainter& painter, const QRect& iconRect) const;
    void PaintCaption(QPainter& painter, const QRect& captionRect, int state) const;
    void ClearHover();
    void Redraw(bool redraw);

    bool flat_ = true;
    bool drawBorder_ = true;
    bool flatFocus_ = false;
    bool mouseOnButton_ = false;
    bool pressedHere_ = false;
    bool isDefault_ = false;
    bool transparent_ = false;
    bool hasHandCursor_ = false;
    int alignment_ = kIconLeft;
    QPoint imageOrigin_{3, 3};
    QPoint pressedOffset_{1, 1};
    QIcon icon_;
    QSize iconSize_;
    QColor background_[3];
    QColor foreground_[3];
    HoverSound* hoverSound_ = nullptr;
    QString tooltip_;
};

// `text` with line breaks put between words so that no line is wider than
// `maxWidth` pixels in `font` (a single longer word keeps a line of its own).
QString WrapTooltipText(const QString& text, const QFont& font, int maxWidth);

} // namespace uikit
