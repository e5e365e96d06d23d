#pragma once

// What the conversion tests share: a main window driven through its controls,
// with recorded prompts and a folder for the outputs.

#include "CodecConfiguration.h"
#include "CompressorCatalogue.h"
#include "CompressorSlots.h"
#include "ConversionJob.h"
#include "ConverterDlg.h"
#include "EncoderSettingsDlg.h"
#include "LanguagePack.h"
#include "MediaInit.h"
#include "PreviewPlayer.h"
#include "ProcessLocale.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "TestMedia.h"
#include "UserInput.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <gtest/gtest.h>

namespace convtest {

using namespace veltrano;

constexpr std::int64_t kSecond = 10'000'000;

using testenv::ProcessEventsUntil;

// A short clip whose container states its frame rate.
inline std::string FixedRateAvi(int fps) {
    return testmedia::Ensure("mpeg4-mp3-160x120-" + std::to_string(fps) + "fps-1s.avi",
                             {"-f", "lavfi", "-i",
                              QString("testsrc2=size=160x120:rate=%1").arg(fps), "-f", "lavfi",
                              "-i", "sine=frequency=440:sample_rate=44100", "-t", "1", "-c:v",
                              "mpeg4", "-q:v", "5", "-c:a", "libmp3lame"});
}

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        EXPECT_GE(media::Initialize(), 0);
    }
    ~ConversionTest() override {
        settings::ReleaseCompressor(settings::CompressorCategory::Video);
        settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    }

    // Opens `path` through the Open Video command.
    void Open(CConverterDlg& dialog, const std::string& path) {
        prompts_.QueueFile(QString::fromStdString(path));
        Click(dialog, idc::kOpenVideo);
        // The preview reads the file in the background after the probe.
        EXPECT_TRUE(ProcessEventsUntil(
            [&] { return dialog.player() == nullptr || !dialog.player()->opening(); }, 60000));
    }
    // Presses the control and waits out the background work the command starts.
    void Click(CConverterDlg& dialog, int id) {
        testenv::ClickThroughWindow(*dialog.Control(id));
        EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.busy(); }, 60000));
    }
    QString Text(CConverterDlg& dialog, int id) { return dialog.Control<QLabel>(id)->text(); }
    // Starts the conversion and waits for its end; returns the first progress text.
    QString ConvertAndWait(CConverterDlg& dialog, int timeoutMs = 120000) {
        QString firstProgress;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const QString status = Text(dialog, idc::kStatus);
            if (firstProgress.isEmpty() && status.startsWith("Please wait")) {
                firstProgress = status;
            }
        });
        watch.start(20);
        Click(dialog, idc::kConvert);
        EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.state().converting == 0; }, timeoutMs));
        return firstProgress;
    }
    QString OutputPath(const char* name) { return outputDir_.filePath(name); }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QTemporaryDir outputDir_;
};

} // namespace convtest
