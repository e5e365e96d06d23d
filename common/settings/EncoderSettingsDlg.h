#pragma once

#include "EncoderProperties.h"

#include <QDialog>

class QFormLayout;
#include <functional>
#include <vector>

namespace settings {

// A dialog made from an encoder's own settings: numbers as spin boxes within
// their ranges, enumerations as lists, flags as check lists, switches as check
// boxes and text as edits, each explained by its tooltip.
class CEncoderSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CEncoderSettingsDlg(const QString& title, std::vector<media::PropertySpec> specs,
                        QWidget* parent);

    // Every setting as shown, in the encoder's form; meaningful after OK.
    media::EncoderState State() const;
    // The editor of the setting `name`, or nullptr.
    QWidget* Editor(const QString& name) const;

private:
    struct Row {
        media::PropertySpec spec;
        QWidget* editor;
        std::function<std::string()> read;
    };
    void AddRow(const media::PropertySpec& spec, QFormLayout& form);

    std::vector<Row> rows_;
};

} // namespace settings
