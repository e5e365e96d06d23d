#include "DialogBuilder.h"

#include "DialogUnits.h"
#include "HyperlinkStatic.h"
#include "SkinButton.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace uikit {

namespace {

constexpr auto kControlIdProperty = "controlId";

QWidget* CreateControl(const res::ControlTemplate& control, QDialog& dialog) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case res::ControlKind::Button:
    case res::ControlKind::SkinButton: {
        const bool isDefault = (control.style & res::StyleDefaultButton) != 0;
        auto* button = control.kind == res::ControlKind::SkinButton
                           ? new SkinButton(text, isDefault, &dialog)
                           : new QPushButton(text, &dialog);
        button->setAutoDefault(isDefault);
        button->setDefault(isDefault);
        return button;
    }
    case res::ControlKind::Label: {
        auto* label = new QLabel(text, &dialog);
        label->setWordWrap(true);
        const Qt::Alignment horizontal =
            (control.style & res::StyleCentred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignTop);
        if ((control.style & res::StyleSunken) != 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(horizontal | Qt::AlignVCenter);
            label->setWordWrap(false);
        }
        return label;
    }
    case res::ControlKind::GroupFrame: {
        // A frame only outlines its group: clicks fall through to the controls it surrounds.
        auto* frame = new QGroupBox(text, &dialog);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        return frame;
    }
    case res::ControlKind::Edit:
        return new QLineEdit(text, &dialog);
    case res::ControlKind::DropDownList: {
        auto* list = new QComboBox(&dialog);
        if (!text.isEmpty()) {
            list->addItems(text.split('\n'));
        }
        return list;
    }
    case res::ControlKind::ReportList:
        return new QTreeWidget(&dialog);
    case res::ControlKind::Trackbar:
        return new QSlider(Qt::Horizontal, &dialog);
    case res::ControlKind::ProgressBar:
        return new QProgressBar(&dialog);
    case res::ControlKind::Hyperlink: {
        auto* link = new HyperlinkStatic(text, &dialog);
        if ((control.style & res::StyleCentred) != 0) {
            link->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
        return link;
    }
    }
    return new QWidget(&dialog);
}

} // namespace

void BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    dialog.setFont(QFont(QString::fromUtf8(dialogTemplate.fontFace), dialogTemplate.fontPointSize));
    dialog.setProperty(kControlIdProperty, dialogTemplate.id);
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.ToPixelsX(dialogTemplate.width),
                        units.ToPixelsY(dialogTemplate.height));

    for (const res::ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control, dialog);
        widget->setProperty(kControlIdProperty, control.id);
        if (control.kind == res::ControlKind::GroupFrame) {
            // Templates list a frame after its controls; it must still lie beneath them.
            widget->lower();
        }
        if (control.id != res::kNoControlId) {
            widget->setObjectName(ControlName(control.id));
        }
        widget->setGeometry(units.ToPixels(control.x, control.y, control.width, control.height));
        widget->setEnabled((control.style & res::StyleDisabled) == 0);
        // Hidden controls are never shown; the rest appear with the dialog.
        widget->setVisible((control.style & res::StyleHidden) == 0);
    }
}

QString ControlName(int id) {
    return QStringLiteral("control%1").arg(id);
}

int ControlId(const QWidget& control) {
    const QVariant value = control.property(kControlIdProperty);
    return value.isValid() ? value.toInt() : res::kNoControlId;
}

} // namespace uikit
