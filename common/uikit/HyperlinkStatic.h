#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

namespace uikit {

// The message shown for a launch failure `code` (the shell's error numbers);
// an unknown code is named by its number.
QString HyperlinkErrorText(int code);

// A text label that acts as a web link: link colour, visited colour once
// opened, hover colour and underline while the cursor is over it, a pointing
// hand and the address as its tooltip. A click opens the address through the
// prompts in force.
class HyperlinkStatic : public QLabel {
    Q_OBJECT

public:
    // Underline modes.
    static constexpr int kUnderlineHover = -1; // only while the cursor is over the link
    static constexpr int kUnderlineNever = 0;
    static constexpr int kUnderlineAlways = 1;

    // Launch failure code when no program takes the address.
    static constexpr int kNoAssociation = 31;

    explicit HyperlinkStatic(const QString& text = QString(), QWidget* parent = nullptr);

    // Turns the label into a live link with its current text, font and place:
    // an empty address is taken from the text, an empty text shows the address.
    void Attach();
    bool attached() const { return attached_; }

    void SetAddress(const QString& address);
    const QString& address() const { return address_; }
    void SetUnderlineMode(int mode);
    int underlineMode() const { return underlineMode_; }
    void SetColours(const QColor& link, const QColor& visited, const QColor& hover);
    void SetVisited(bool visited);
    bool visited() const { return visited_; }
    bool overControl() const { return overControl_; }
    // Whether the link shrinks or grows to its text (on by default).
    void SetAdjustToFit(bool adjust);
    // The colour the text is drawn in now.
    QColor CurrentColour() const;

    // Opens the address as a click does; true when it opened.
    bool Open();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The pointer left: the hover look ends.
    void leaveEvent(QEvent* event) override;

private:
    void ShowText(const QString& text);
    void AdjustToFit();
    void UpdateColour();
    void ReportFailure(int code);

    QString address_;
    QColor linkColour_{0, 0, 238};
    QColor visitedColour_{85, 26, 139};
    QColor hoverColour_{255, 0, 0};
    bool overControl_ = false;
    bool visited_ = false;
    int underlineMode_ = kUnderlineHover;
    bool adjustToFit_ = true;
    bool attached_ = false;
    bool pressed_ = false;
    QFont normalFont_;
    QFont underlineFont_;
};

} // namespace uikit
