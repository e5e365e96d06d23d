// Test entry point: widget and event-driven tests need one QApplication for the
// whole process, created before any test runs.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Lives here because main() is the one object every test program links.
#include "SanitizerDefaults.inc"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Media made by the tests is shared between test programs and builds.
    if (qEnvironmentVariableIsEmpty("CONVERTERS_TEST_MEDIA_DIR")) {
        qputenv("CONVERTERS_TEST_MEDIA_DIR", CONVERTERS_TEST_MEDIA_DIR);
    }
    QApplication app(argc, argv);
    // The programs' message boxes and settings are keyed by the application name.
    QCoreApplication::setApplicationName("veltrano");
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
