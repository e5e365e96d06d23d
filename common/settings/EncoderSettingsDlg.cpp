#include "EncoderSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace settings {

namespace {

bool FitsSpinBox(const media::PropertySpec& spec) {
    return spec.integerMinimum >= std::numeric_limits<int>::min() &&
           spec.integerMaximum <= std::numeric_limits<int>::max();
}

std::string Text(const QString& text) {
    return text.toStdString();
}

} // namespace

CEncoderSettingsDlg::CEncoderSettingsDlg(const QString& title,
                                         std::vector<media::PropertySpec> specs, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* page = new QWidget(scroll);
    auto* form = new QFormLayout(page);
    for (const media::PropertySpec& spec : specs) {
        AddRow(spec, *form);
    }
    scroll->setWidget(page);
    layout->addWidget(scroll);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 480);
}

void CEncoderSettingsDlg::AddRow(const media::PropertySpec& spec, QFormLayout& form) {
    QWidget* editor = nullptr;
    std::function<std::string()> read;
    const QString value = QString::fromStdString(spec.value);
    switch (spec.kind) {
    case media::PropertyKind::Integer:
        if (FitsSpinBox(spec)) {
            auto* spin = new QSpinBox();
            spin->setRange(static_cast<int>(spec.integerMinimum),
                           static_cast<int>(spec.integerMaximum));
            spin->setValue(value.toInt());
            read = [spin] { return std::to_string(spin->value()); };
            editor = spin;
        } else {
            // Beyond a spin box: an edit that takes only whole numbers.
            auto* edit = new QLineEdit(value);
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression("-?[0-9]{1,19}"), edit));
            const std::string fallback = spec.value;
            const std::int64_t minimum = spec.integerMinimum;
            const std::int64_t maximum = spec.integerMaximum;
            read = [edit, fallback, minimum, maximum] {
                bool ok = false;
                const qlonglong typed = edit->text().toLongLong(&ok);
                return ok && typed >= minimum && typed <= maximum ? std::to_string(typed)
                                                                  : fallback;
            };
            editor = edit;
        }
        break;
    case media::PropertyKind::Real: {
        auto* spin = new QDoubleSpinBox();
        spin->setDecimals(3);
        spin->setRange(spec.realMinimum, spec.realMaximum);
        spin->setValue(value.toDouble());
        read = [spin] { return Text(QString::number(spin->value(), 'g', 17)); };
        editor = spin;
        break;
    }
    case media::PropertyKind::Boolean: {
        auto* check = new QCheckBox();
        check->setChecked(value == "true");
        read = [check] { return std::string(check->isChecked() ? "true" : "false"); };
        editor = check;
        break;
    }
    case media::PropertyKind::Text: {
        auto* edit = new QLineEdit(value);
        read = [edit] { return Text(edit->text()); };
        editor = edit;
        break;
    }
    case media::PropertyKind::Choice: {
        auto* list = new QComboBox();
        for (const media::PropertyChoice& choice : spec.choices) {
            list->addItem(QString::fromStdString(choice.name), QString::fromStdString(choice.nick));
            if (choice.nick == spec.value) {
                list->setCurrentIndex(list->count() - 1);
            }
        }
        read = [list] { return Text(list->currentData().toString()); };
        editor = list;
        break;
    }
    case media::PropertyKind::Flags: {
        auto* list = new QListWidget();
        const QStringList set = value.split('+', Qt::SkipEmptyParts);
        for (const media::PropertyChoice& choice : spec.choices) {
            auto* item = new QListWidgetItem(QString::fromStdString(choice.name), list);
            item->setData(Qt::UserRole, QString::fromStdString(choice.nick));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const bool on = set.contains(QString::fromStdString(choice.nick)) ||
                            set.contains(QString::fromStdString(choice.name));
            item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        }
        list->setMaximumHeight(96);
        read = [list] {
            QStringList on;
            for (int i = 0; i < list->count(); ++i) {
                if (list->item(i)->checkState() == Qt::Checked) {
                    on << list->item(i)->data(Qt::UserRole).toString();
                }
            }
            // No flag at all is written as the number 0.
            return on.isEmpty() ? std::string("0") : Text(on.join('+'));
        };
        editor = list;
        break;
    }
    }
    editor->setObjectName(QString::fromStdString(spec.name));
    editor->setToolTip(QString::fromStdString(spec.blurb));
    auto* label = new QLabel(QString::fromStdString(spec.nick));
    label->setToolTip(QString::fromStdString(spec.blurb));
    form.addRow(label, editor);
    rows_.push_back({spec, editor, std::move(read)});
}

media::EncoderState CEncoderSettingsDlg::State() const {
    media::EncoderState state;
    for (const Row& row : rows_) {
        state.emplace_back(row.spec.name, row.read());
    }
    return state;
}

QWidget* CEncoderSettingsDlg::Editor(const QString& name) const {
    for (const Row& row : rows_) {
        if (row.editor->objectName() == name) {
            return row.editor;
        }
    }
    return nullptr;
}

} // namespace settings
