// Opening a video the desktop's way: named on the command line, as a file
// manager's "Open with" does, or dropped onto the main window. Either opens it
// exactly as Open Video does.
#include "FileOpening.h"
#include "ConversionFixture.h"
#include "ConverterApp.h"

#include <QUrl>

namespace {

using namespace convtest;
using namespace veltrano;

QString WriteTextFile(const QString& path) {
    QFile text(path);
    EXPECT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a video\n");
    return path;
}

TEST_F(ConversionTest, OnlyTheFirstExistingFileOfTheCommandLineCounts) {
    const QString notes = WriteTextFile(OutputPath("notes.txt"));
    const QString other = WriteTextFile(OutputPath("other.txt"));
    EXPECT_FALSE(uikit::FileFromArguments({"veltrano"}));
    EXPECT_FALSE(uikit::FileFromArguments({"veltrano", "--fullscreen", OutputPath("gone.mkv"),
                                           outputDir_.path(), "https://example.org/a.mkv"}));
    EXPECT_EQ(uikit::FileFromArguments({"veltrano", "-x", notes, other}), notes);
    EXPECT_EQ(uikit::FileFromArguments({"veltrano", QUrl::fromLocalFile(other).toString()}), other);
    // The program's own name is never taken for a file.
    EXPECT_FALSE(uikit::FileFromArguments({notes}));
}

TEST_F(ConversionTest, AVideoOnTheCommandLineIsOpenedWhenTheWindowShows) {
    const std::string clip = testmedia::Mkv640x480();
    ASSERT_FALSE(clip.empty());
    bool seen = false;
    // The window's own event loop runs the open; this watch looks in between.
    QElapsedTimer waited;
    waited.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CConverterDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        const bool opened = dialog->outputSettings().sourceCount == 1 && !dialog->busy();
        if (!opened && waited.elapsed() < 60000) {
            return;
        }
        EXPECT_TRUE(opened);
        EXPECT_EQ(Text(*dialog, idc::kEndMark), "00:00:10");
        EXPECT_EQ(Text(*dialog, idc::kStatus),
                  "Output file: " + dialog->outputSettings().outputPath +
                      "     Resolution: 640*480");
        EXPECT_TRUE(dialog->Control(idc::kConvert)->isEnabled());
        seen = true;
        watch.stop();
        dialog->close();
    });
    watch.start(50);
    CConverterApp app;
    app.InitInstance({"veltrano", "--ignored", QString::fromStdString(clip)});
    EXPECT_TRUE(seen);
    // No file dialog was needed.
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(ConversionTest, ADroppedFileOpensAsOpenVideoOpensIt) {
    const QString notes = WriteTextFile(OutputPath("notes.mkv"));
    CConverterDlg dialog;
    // A file that is no video: the same messages as through Open Video.
    Open(dialog, notes.toStdString());
    const auto opened = prompts_.Messages();
    ASSERT_EQ(opened.size(), 2u);
    prompts_.Clear();
    ASSERT_TRUE(testenv::DropFilesThroughWindow(*dialog.Control(idc::kStatus), {notes}));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.busy(); }, 60000));
    const auto dropped = prompts_.Messages();
    ASSERT_EQ(dropped.size(), opened.size());
    for (std::size_t i = 0; i < dropped.size(); ++i) {
        EXPECT_EQ(dropped[i].text, opened[i].text);
        EXPECT_EQ(dropped[i].caption, opened[i].caption);
    }
    EXPECT_EQ(dialog.outputSettings().sourceCount, 0);

    // A video dropped on a button opens, with no file dialog.
    prompts_.Clear();
    const std::string clip = testmedia::Mkv640x480();
    ASSERT_TRUE(testenv::DropFilesThroughWindow(*dialog.Control(idc::kOptions),
                                                {QString::fromStdString(clip)}));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.busy(); }, 60000));
    EXPECT_TRUE(prompts_.records().empty());
    EXPECT_EQ(dialog.outputSettings().sourceCount, 1);
    EXPECT_EQ(Text(dialog, idc::kEndMark), "00:00:10");

    // Something that is not a file is refused at the window's edge.
    EXPECT_FALSE(
        testenv::DropFilesThroughWindow(*dialog.Control(idc::kStatus), {outputDir_.path()}));
}

} // namespace
