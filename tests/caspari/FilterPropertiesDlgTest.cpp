#include "FilterPropertiesDlg.h"
#include "EncoderProperties.h"
#include "EncoderSettingsDlg.h"
#include "FilterGraph.h"
#include "MediaInit.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

using caspari::CFilterPropertiesDlg;
using settings::CEncoderSettingsDlg;

// Every element's name with the values of the settings it offers now.
using GraphSnapshot = std::vector<std::pair<std::string, std::map<std::string, std::string>>>;

GraphSnapshot Snapshot(const media::FilterGraph& graph) {
    GraphSnapshot snapshot;
    for (const media::Element& element : graph.EnumFilters()) {
        std::map<std::string, std::string> values;
        for (const media::PropertySpec& spec : media::DescribeElementProperties(element)) {
            values[spec.name] = spec.value;
        }
        snapshot.emplace_back(element.Name(), std::move(values));
    }
    return snapshot;
}

// Runs `act` on the generic settings dialog once it is shown modally, inside
// its own event loop. The dialog must be ended by `act`.
class SettingsDialogWatch {
public:
    explicit SettingsDialogWatch(std::function<void(CEncoderSettingsDlg&)> act)
        : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<CEncoderSettingsDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            timer_.stop();
            title_ = dialog->windowTitle();
            shown_ = true;
            act_(*dialog);
            // A failed click must not leave the test waiting for the dialog forever.
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the settings dialog stayed open";
                dialog->reject();
            }
        });
        timer_.start(10);
    }
    bool shown() const { return shown_; }
    const QString& title() const { return title_; }

private:
    std::function<void(CEncoderSettingsDlg&)> act_;
    QTimer timer_;
    bool shown_ = false;
    QString title_;
};

// Flips the switch `name` and ends the dialog with OK or Cancel, as a user does.
std::function<void(CEncoderSettingsDlg&)> ToggleAndEnd(const QString& name, bool confirm) {
    return [name, confirm](CEncoderSettingsDlg& dialog) {
        auto* check = qobject_cast<QCheckBox*>(dialog.Editor(name));
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(check, nullptr);
        ASSERT_NE(buttons, nullptr);
        // The click gives the switch the focus (the box fills its row, so its
        // centre is off the indicator); the space bar flips it.
        const bool was = check->isChecked();
        testenv::ClickThroughWindow(*check);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Space);
        EXPECT_NE(check->isChecked(), was);
        testenv::ClickThroughWindow(
            *buttons->button(confirm ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel));
    };
}

class FilterPropertiesDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(media::Initialize(), media::S_OK);
        ASSERT_GE(media::FilterGraph::Create(graph_), 0);
        ASSERT_GE(graph_->RenderFile(testmedia::Mp4()), 0);
        dialog_.SetGraph(*graph_);
    }

    QTreeWidget& List() {
        return *dialog_.Control<QTreeWidget>(CFilterPropertiesDlg::kFilterListId);
    }
    QWidget& Settings() { return *dialog_.Control(CFilterPropertiesDlg::kSettingsId); }

    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < List().topLevelItemCount(); ++i) {
            lines << List().topLevelItem(i)->text(0);
        }
        return lines;
    }

    // Clicks the line of the first element made by `factory` through the window.
    media::Element ClickLineOf(const std::string& factory) {
        for (const media::Element& element : graph_->EnumFilters()) {
            if (element.FactoryName() != factory) {
                continue;
            }
            const auto found =
                List().findItems(QString::fromStdString(element.Name()), Qt::MatchExactly);
            if (found.size() != 1) {
                ADD_FAILURE() << "no single line for " << element.Name();
                return {};
            }
            const QRect line = List().visualItemRect(found.front());
            QTest::mouseClick(dialog_.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              List().viewport()->mapTo(&dialog_, line.center()));
            return element;
        }
        ADD_FAILURE() << "no " << factory << " in the graph";
        return {};
    }

    testenv::ScopedSettingsFolder folder_;
    std::shared_ptr<media::FilterGraph> graph_;
    CFilterPropertiesDlg dialog_;
};

TEST_F(FilterPropertiesDlgTest, ListsTheGraphAndEnablesSettingsForWhatCanChangeNow) {
    EXPECT_EQ(dialog_.windowTitle(), "Set Filter's Properties");
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));

    QStringList names;
    for (const media::Element& element : graph_->EnumFilters()) {
        names << QString::fromStdString(element.Name());
    }
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(Lines(), names);
    ASSERT_NE(List().currentItem(), nullptr);
    EXPECT_EQ(List().currentItem()->text(0), names.front());

    // The paused source takes a new location only when stopped; a null
    // renderer switches its messages at any time.
    ClickLineOf("fakesink");
    EXPECT_TRUE(Settings().isEnabled());
    ClickLineOf("filesrc");
    EXPECT_FALSE(Settings().isEnabled());
    QTest::keyClick(dialog_.windowHandle(), Qt::Key_End);
    EXPECT_EQ(List().currentItem()->text(0), names.back());
    EXPECT_TRUE(Settings().isEnabled()) << names.back().toStdString();

    EXPECT_EQ(dialog_.FindFilterByListName(names[1]).Name(), names[1].toStdString());
    EXPECT_FALSE(dialog_.FindFilterByListName(names[1].toUpper()));
    EXPECT_FALSE(dialog_.FindFilterByListName("no such element"));
}

TEST_F(FilterPropertiesDlgTest, SettingsChangeTheSelectedElementOnlyWhenConfirmed) {
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    const media::Element sink = ClickLineOf("fakesink");
    ASSERT_TRUE(sink);
    const std::string before = sink.GetProperty("silent");
    ASSERT_EQ(before, "true");

    {
        SettingsDialogWatch cancelled(ToggleAndEnd("silent", false));
        testenv::ClickThroughWindow(Settings());
        ASSERT_TRUE(cancelled.shown());
        EXPECT_EQ(cancelled.title().toStdString(), sink.Name());
        EXPECT_EQ(sink.GetProperty("silent"), before);
    }
    SettingsDialogWatch confirmed(ToggleAndEnd("silent", true));
    testenv::ClickThroughWindow(Settings());
    ASSERT_TRUE(confirmed.shown());
    EXPECT_EQ(sink.GetProperty("silent"), "false");
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(FilterPropertiesDlgTest, ContinueEndsTheDialogAndLeavesTheGraphAsItWas) {
    const GraphSnapshot before = Snapshot(*graph_);
    bool clicked = false;
    QTimer::singleShot(0, [this, &clicked] {
        if (!QTest::qWaitForWindowExposed(&dialog_)) {
            dialog_.reject();
            return;
        }
        ClickLineOf("fakesink");
        clicked = testenv::ClickThroughWindow(*dialog_.Control(CFilterPropertiesDlg::kContinueId));
        if (dialog_.isVisible()) {
            dialog_.reject(); // keeps a failed click from hanging the test
        }
    });
    dialog_.exec();
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(Snapshot(*graph_), before);
    media::GraphState state = media::GraphState::Stopped;
    ASSERT_GE(graph_->GetState(1000, state), 0);
    EXPECT_EQ(state, media::GraphState::Paused);
}

} // namespace
