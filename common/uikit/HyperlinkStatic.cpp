#include "HyperlinkStatic.h"

#include "Profile.h"
#include "Prompts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QUrl>

namespace uikit {

namespace {

// The outermost window above `widget`: message boxes of a link belong to the
// program's main window, not to the box the link sits in.
QWidget* MainWindowOf(QWidget& widget) {
    QWidget* window = widget.window();
    while (window->parentWidget() != nullptr) {
        window = window->parentWidget()->window();
    }
    return window;
}

} // namespace

QString HyperlinkErrorText(int code) {
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied\naccess to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred. ";
    case 27:
        return "The filename association is\nincomplete or invalid.";
    case 28:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not\nbe completed because other DDE "
               "transactions\nwere being processed.";
    case 31:
        return "There is no application associated\nwith the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default:
        return QString("Unknown Error (%1) occurred.").arg(code);
    }
}

HyperlinkStatic::HyperlinkStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void HyperlinkStatic::Attach() {
    if (underlineMode_ != kUnderlineHover) {
        SetUnderlineMode(kUnderlineHover);
    }
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    if (address_.isEmpty()) {
        address_ = text();
    }
    normalFont_ = font();
    underlineFont_ = normalFont_;
    underlineFont_.setUnderline(true);
    attached_ = true;
    // Move events without a button pressed start the hover look.
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(address_);
    if (text().isEmpty()) {
        ShowText(address_);
    } else {
        AdjustToFit();
    }
    UpdateColour();
}

void HyperlinkStatic::SetAddress(const QString& address) {
    address_ = address;
    if (!attached_) {
        return;
    }
    setToolTip(address_);
    if (text().isEmpty()) {
        ShowText(address_);
    }
}

void HyperlinkStatic::SetUnderlineMode(int mode) {
    if (mode != underlineMode_ && attached_) {
        setFont(mode == kUnderlineAlways ? underlineFont_ : normalFont_);
        AdjustToFit();
    }
    underlineMode_ = mode;
}

void HyperlinkStatic::SetColours(const QColor& link, const QColor& visited, const QColor& hover) {
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover;
    UpdateColour();
}

void HyperlinkStatic::SetVisited(bool visited) {
    visited_ = visited;
    UpdateColour();
}

void HyperlinkStatic::SetAdjustToFit(bool adjust) {
    adjustToFit_ = adjust;
    AdjustToFit();
}

QColor HyperlinkStatic::CurrentColour() const {
    if (overControl_) {
        return hoverColour_;
    }
    return visited_ ? visitedColour_ : linkColour_;
}

bool HyperlinkStatic::Open() {
    overControl_ = false;
    UpdateColour();
    const bool opened = CurrentPrompts().OpenUrl(window(), QUrl(address_));
    if (!opened) {
        ReportFailure(kNoAssociation);
    }
    SetVisited(opened);
    return opened;
}

void HyperlinkStatic::mouseMoveEvent(QMouseEvent* event) {
    if (attached_ && !overControl_) {
        overControl_ = true;
        if (underlineMode_ == kUnderlineHover) {
            setFont(underlineFont_);
        }
        UpdateColour();
    }
    QLabel::mouseMoveEvent(event);
}

void HyperlinkStatic::mousePressEvent(QMouseEvent* event) {
    pressed_ = attached_ && event->button() == Qt::LeftButton;
    event->accept();
}

void HyperlinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        Open();
    }
}

void HyperlinkStatic::ShowText(const QString& text) {
    setText(text);
    AdjustToFit();
}

void HyperlinkStatic::AdjustToFit() {
    if (!attached_ || !adjustToFit_) {
        return;
    }
    // Measured in the underline font so the text never grows out of the link
    // when it is underlined.
    const QFontMetrics metrics(underlineFont_);
    const QSize textSize =
        metrics
            .boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), Qt::TextExpandTabs, text())
            .size();
    const QMargins margins = contentsMargins();
    const int width = textSize.width() + margins.left() + margins.right() + 2 * margin();
    const int height = textSize.height() + margins.top() + margins.bottom() + 2 * margin();
    const QRect old = geometry();
    int left = old.left();
    if ((alignment() & Qt::AlignHCenter) != 0) {
        left += (old.width() - width) / 2;
    } else if ((alignment() & Qt::AlignRight) != 0) {
        left = old.left() + old.width() - width;
    }
    setGeometry(left, old.top(), width, height);
}

void HyperlinkStatic::UpdateColour() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, CurrentColour());
    setPalette(colours);
    update();
}

void HyperlinkStatic::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (!overControl_) {
        return;
    }
    overControl_ = false;
    if (underlineMode_ != kUnderlineAlways) {
        setFont(normalFont_);
    }
    UpdateColour();
}

void HyperlinkStatic::ReportFailure(int code) {
    QApplication::beep();
    CurrentPrompts().ShowMessage(MainWindowOf(*this),
                                 "Unable to open hyperlink:\n\n" + HyperlinkErrorText(code),
                                 ApplicationName(), PromptIcon::Warning);
}

} // namespace uikit
