#pragma once

// Lets the user change the settings of any element of a conversion graph after
// it is built and before it runs (template 133). Continue, or closing the
// dialog, always lets the conversion go on.

#include "DialogBuilder.h"
#include "Element.h"

#include <QDialog>
#include <QString>

class QShowEvent;

namespace media {
class FilterGraph;
}

namespace caspari {

class CFilterPropertiesDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kFilterListId = 1054;
    static constexpr int kSettingsId = 1055;
    static constexpr int kContinueId = 2;

    explicit CFilterPropertiesDlg(QWidget* parent = nullptr);

    // The graph whose elements are listed; the caller keeps it alive while the
    // dialog is shown. Set it before the dialog is shown.
    void SetGraph(media::FilterGraph& graph) { graph_ = &graph; }

    // The first element of the graph, in its own order, named exactly `name`;
    // an empty Element when none is.
    media::Element FindFilterByListName(const QString& name) const;

    // The control with `id` when it is a `T`, else nullptr.
    template <typename T = QWidget>
    T* Control(int id) const {
        return uikit::FindControl<T>(*this, id);
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Lists the graph's elements afresh and selects the first.
    void FillList();
    void OnSelectionChanged();
    void OnSettings();
    // The element of the selected line, or an empty Element.
    media::Element SelectedElement() const;

    media::FilterGraph* graph_ = nullptr; // not owned
};

} // namespace caspari
