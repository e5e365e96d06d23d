// Putting the loaded language's texts and font on dialogs and menus.
#include "LanguagePack.h"

#include "DialogBuilder.h"
#include "MenuBuilder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <cstdint>

namespace uikit {

namespace {

// IDs below this are message strings (the OK and Cancel buttons' range).
constexpr int kFirstDialogTextId = 100;

// Edit boxes, list views and spin buttons hold the user's data, not captions.
bool KeepsItsText(const QWidget& control) {
    return qobject_cast<const QLineEdit*>(&control) != nullptr ||
           qobject_cast<const QTextEdit*>(&control) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&control) != nullptr ||
           qobject_cast<const QAbstractItemView*>(&control) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&control) != nullptr;
}

void SetControlText(QWidget& control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        // A translation is shown as written, never interpreted as markup.
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(&control)) {
        frame->setTitle(text);
    } else {
        control.setProperty("text", text);
    }
}

void ReplaceItems(QComboBox& list, const QString& text) {
    list.clear();
    // Every line is an item, also the (possibly empty) text after the last line feed.
    list.addItems(text.split(QChar(u'\n')));
}

} // namespace

bool LanguagePack::ApplyToDialog(QWidget& dialog, int dialogId) const {
    if (languageNames_.isEmpty()) {
        return false;
    }
    // Without a dialog font the controls get the default one, as a null font
    // handle leaves them in the system font.
    const QFont font = dialogFont_.value_or(QFont());
    const QString caption = FindDialogText(dialogId);
    if (!caption.isEmpty()) {
        // The font goes to the dialog window alone: controls that are not
        // translated keep the font they have instead of inheriting this one.
        for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                QFont own = child->font();
                own.setResolveMask(QFont::AllPropertiesResolved);
                child->setFont(own);
            }
        }
        dialog.setFont(font);
        dialog.setWindowTitle(caption);
    }

    std::vector<QWidget*> pending;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        pending.push_back(child);
    }
    for (std::size_t next = 0; next < pending.size(); ++next) {
        QWidget& control = *pending[next];
        // Another window parented to this one (an open dialog) is not part of it.
        if (control.isWindow() || KeepsItsText(control)) {
            continue;
        }
        auto* const list = qobject_cast<QComboBox*>(&control);
        if (list == nullptr) {
            // Controls grouped inside a plain container still belong to the dialog.
            for (QWidget* child : control.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                pending.push_back(child);
            }
        }
        const int id = static_cast<std::int16_t>(ControlId(control));
        if (id <= 0) {
            continue;
        }
        const QString text = id >= kFirstDialogTextId ? FindDialogText(id) : GetMessageText(id);
        if (text.isEmpty()) {
            continue;
        }
        if (list != nullptr) {
            ReplaceItems(*list, text);
            continue;
        }
        SetControlText(control, text);
        control.setFont(font);
    }
    return true;
}

namespace {

// Numbers submenus in pre-order from the menu's ID × 65536 and gives each item
// its translation, if any.
class MenuTranslator {
public:
    MenuTranslator(const LanguagePack& pack, int menuId)
        : pack_(pack), submenuId_(static_cast<std::uint32_t>(menuId) * 65536u) {}

    void TranslateTopLevel(const QMenu& menu) {
        for (QAction* item : menu.actions()) {
            if (QMenu* submenu = QMenu::menuInAction(item)) {
                TranslateNested(*submenu);
            }
        }
    }

private:
    void TranslateNested(const QMenu& menu) {
        for (QAction* item : menu.actions()) {
            if (QMenu* submenu = QMenu::menuInAction(item)) {
                SetIfTranslated(*item, pack_.FindMenuText(static_cast<int>(submenuId_++)));
                TranslateNested(*submenu);
            } else if (CommandId(*item) != 0) {
                SetIfTranslated(*item, pack_.FindMenuText(CommandId(*item)));
            }
        }
    }

    static void SetIfTranslated(QAction& item, const QString& text) {
        if (!text.isEmpty()) {
            item.setText(text);
        }
    }

    const LanguagePack& pack_;
    std::uint32_t submenuId_;
};

} // namespace

bool LanguagePack::ApplyToMenu(QMenu& menu, int menuId) const {
    if (languageNames_.isEmpty()) {
        return false;
    }
    MenuTranslator(*this, menuId).TranslateTopLevel(menu);
    return true;
}

} // namespace uikit
