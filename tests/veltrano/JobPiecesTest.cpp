#include "ConverterDlg.h"
#include "DivxFeedback.h"
#include "TestEnvironment.h"
#include "TransitionTable.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

using namespace veltrano;

QVariant CodecValue() {
    return QSettings("DivXNetworks", "DivX4Windows").value("Disable feedback");
}

TEST(DivxFeedback, SetsTheFirstByteOfAnExistingValueOnly) {
    testenv::ScopedSettingsFolder folder;
    settings::WriteDivxFeedbackSwitch();
    EXPECT_FALSE(QSettings("DivXNetworks", "DivX4Windows").contains("Disable feedback"));

    QSettings("DivXNetworks", "DivX4Windows").setValue("Disable feedback", 0);
    settings::WriteDivxFeedbackSwitch();
    EXPECT_EQ(CodecValue().toLongLong(), 1);

    QSettings("DivXNetworks", "DivX4Windows").setValue("Disable feedback", 0x1200);
    settings::WriteDivxFeedbackSwitch();
    EXPECT_EQ(CodecValue().toLongLong(), 0x1201);

    QSettings("DivXNetworks", "DivX4Windows").setValue("Disable feedback", "abc");
    settings::WriteDivxFeedbackSwitch();
    EXPECT_EQ(CodecValue().toString(), QString("\x01"
                                               "bc"));
    // Nothing else of the codec's settings is touched.
    EXPECT_EQ(QSettings("DivXNetworks", "DivX4Windows").allKeys().size(), 1);
}

TEST(TransitionTable, NumbersNameTheirClassAndPattern) {
    EXPECT_STREQ(Transition(0).name, "None");
    EXPECT_STREQ(Transition(0).classId, "");
    EXPECT_STREQ(Transition(3).name, "Fade");
    EXPECT_STREQ(Transition(3).classId, "{16B280C5-EE70-11D1-9066-00C04FD9189D}");
    EXPECT_EQ(Transition(3).maskNum, 0);
    EXPECT_STREQ(Transition(17).name, "Horizontal");
    EXPECT_STREQ(Transition(17).classId, kSmpteWipeClass);
    EXPECT_EQ(Transition(17).maskNum, 1);
    EXPECT_EQ(Transition(36).maskNum, 119);
    EXPECT_STREQ(Transition(36).name, "Circle");
    EXPECT_EQ(Transition(46).maskNum, 301);
    for (int outside : {-1, 47, 100}) {
        EXPECT_STREQ(Transition(outside).name, "Horizontal");
        EXPECT_STREQ(Transition(outside).classId, kSmpteWipeClass);
        EXPECT_EQ(Transition(outside).maskNum, 0);
    }
}

TEST(ChooseTransition, FollowsTheStoredMode) {
    ConverterState state;
    state.clipTransition = 9;
    state.fixedTransition = 36;
    state.transitionMode = 1;
    EXPECT_EQ(ChooseTransition(state, 0), 0);
    EXPECT_EQ(ChooseTransition(state, 3), 3);
    state.transitionMode = 2;
    EXPECT_EQ(ChooseTransition(state, 3), 36);
    state.transitionMode = 7;
    EXPECT_EQ(ChooseTransition(state, 3), 9);
    state.transitionMode = 0;
    for (int i = 0; i < 200; ++i) {
        const int number = ChooseTransition(state, 0);
        ASSERT_GE(number, 0);
        ASSERT_LT(number, kTransitionCount);
    }
}

} // namespace
