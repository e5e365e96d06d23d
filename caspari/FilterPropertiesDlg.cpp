#include "FilterPropertiesDlg.h"

#include "CaspariDialogs.h"
#include "EncoderProperties.h"
#include "EncoderSettingsDlg.h"
#include "FilterGraph.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QShowEvent>
#include <QTreeWidget>
#include <algorithm>
#include <string>
#include <vector>

namespace caspari {

namespace {

// What a line shows for an element whose name cannot be read.
constexpr auto kUnreadableName = "<ERROR>";

// The values the user changed; the rest are left alone so an element is not
// asked to take again what it already has.
media::EncoderState ChangedValues(const std::vector<media::PropertySpec>& shown,
                                  const media::EncoderState& confirmed) {
    media::EncoderState changed;
    for (const auto& [name, value] : confirmed) {
        const auto spec = std::find_if(shown.begin(), shown.end(),
                                       [&name](const auto& entry) { return entry.name == name; });
        if (spec == shown.end() || spec->value != value) {
            changed.emplace_back(name, value);
        }
    }
    return changed;
}

} // namespace

CFilterPropertiesDlg::CFilterPropertiesDlg(QWidget* parent) : QDialog(parent) {
    uikit::BuildDialog(*this, res::CaspariFilterPropertiesDialog());
    // The template's report list serves as a plain list box: one column, no
    // header, no tree lines, lines kept in the order they are added.
    auto* list = Control<QTreeWidget>(kFilterListId);
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list, &QTreeWidget::itemSelectionChanged, this,
            &CFilterPropertiesDlg::OnSelectionChanged);
    connect(Control<QAbstractButton>(kSettingsId), &QAbstractButton::clicked, this,
            &CFilterPropertiesDlg::OnSettings);
    connect(Control<QAbstractButton>(kContinueId), &QAbstractButton::clicked, this,
            &QDialog::reject);
}

void CFilterPropertiesDlg::showEvent(QShowEvent* event) {
    // Filled when the program shows the dialog, not when the desktop restores it.
    if (!event->spontaneous()) {
        FillList();
    }
    QDialog::showEvent(event);
}

void CFilterPropertiesDlg::FillList() {
    auto* list = Control<QTreeWidget>(kFilterListId);
    list->clear();
    if (graph_ != nullptr) {
        for (const media::Element& element : graph_->EnumFilters()) {
            const std::string name = element.Name();
            auto* line = new QTreeWidgetItem(list);
            line->setText(0,
                          name.empty() ? QString(kUnreadableName) : QString::fromStdString(name));
        }
    }
    if (list->topLevelItemCount() > 0) {
        list->setCurrentItem(list->topLevelItem(0));
    }
    OnSelectionChanged();
}

media::Element CFilterPropertiesDlg::FindFilterByListName(const QString& name) const {
    return graph_ != nullptr ? graph_->FindFilterByName(name.toStdString()) : media::Element();
}

media::Element CFilterPropertiesDlg::SelectedElement() const {
    const QList<QTreeWidgetItem*> selected = Control<QTreeWidget>(kFilterListId)->selectedItems();
    return selected.isEmpty() ? media::Element() : FindFilterByListName(selected.first()->text(0));
}

void CFilterPropertiesDlg::OnSelectionChanged() {
    const media::Element element = SelectedElement();
    if (!element) {
        return;
    }
    Control(kSettingsId)->setEnabled(!media::DescribeElementProperties(element).empty());
}

void CFilterPropertiesDlg::OnSettings() {
    const media::Element element = SelectedElement();
    if (!element) {
        return;
    }
    const std::vector<media::PropertySpec> specs = media::DescribeElementProperties(element);
    if (specs.empty()) {
        return; // nothing the element lets the user change now
    }
    const std::string name = element.Name();
    settings::CEncoderSettingsDlg settingsDialog(QString::fromStdString(name), specs, this);
    if (settingsDialog.exec() != QDialog::Accepted) {
        return;
    }
    // A value the element refuses leaves its setting as it was.
    for (const std::string& refused :
         media::ApplyEncoderState(element, ChangedValues(specs, settingsDialog.State()))) {
        qWarning("%s: the setting %s was not taken", name.c_str(), refused.c_str());
    }
}

} // namespace caspari
