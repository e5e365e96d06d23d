#include "OutputReplacement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using settings::ClassifyOutputPath;
using settings::OutputTarget;

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

TEST(OutputReplacement, OnlyAFileOrANewNameIsWritable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("old.avi");
    ASSERT_TRUE(WriteFile(file, "old"));
    const QString folder = dir.filePath("clips.avi");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pipe = dir.filePath("pipe.avi");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling.avi")));

    const struct {
        QString path;
        OutputTarget expected;
    } cases[] = {
        {dir.filePath("new.avi"), OutputTarget::Writable},
        {dir.filePath("missing/folders/new.avi"), OutputTarget::Writable},
        {file, OutputTarget::Writable},
        {dir.filePath("dangling.avi"), OutputTarget::Writable},
        {folder, OutputTarget::Folder},
        {folder + "/", OutputTarget::Folder},
        {pipe, OutputTarget::NotAFile},
        {"/dev/null", OutputTarget::NotAFile},
        {file + "/new.avi", OutputTarget::InsideAFile},
        {file + "/missing/new.avi", OutputTarget::InsideAFile},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyOutputPath(c.path), c.expected) << c.path.toStdString();
    }
    EXPECT_EQ(settings::RefusalMessageFor(OutputTarget::Writable), 0);
    EXPECT_EQ(settings::RefusalMessageFor(OutputTarget::InsideAFile), 0);
    EXPECT_NE(settings::RefusalMessageFor(OutputTarget::Folder), 0);
    EXPECT_NE(settings::RefusalMessageFor(OutputTarget::NotAFile),
              settings::RefusalMessageFor(OutputTarget::Folder));
}

TEST(OutputReplacement, MovesOnlyAFileAsideAndPutsItBackUnlessCommitted) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("clips.avi");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteFile(folder + "/inside.txt", "kept"));
    {
        settings::OutputReplacement replacement(folder);
        replacement.MoveAside();
        EXPECT_FALSE(QFile::exists(folder + ".replaced"));
        replacement.Commit();
    }
    EXPECT_EQ(Contents(folder + "/inside.txt"), "kept");

    const QString file = dir.filePath("old.avi");
    ASSERT_TRUE(WriteFile(file, "old"));
    {
        settings::OutputReplacement replacement(file);
        replacement.MoveAside();
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_EQ(Contents(file + ".replaced"), "old");
        ASSERT_TRUE(WriteFile(file, "failed start"));
    }
    EXPECT_EQ(Contents(file), "old");
    EXPECT_FALSE(QFile::exists(file + ".replaced"));
    {
        settings::OutputReplacement replacement(file);
        replacement.MoveAside();
        ASSERT_TRUE(WriteFile(file, "new"));
        replacement.Commit();
    }
    EXPECT_EQ(Contents(file), "new");
    EXPECT_FALSE(QFile::exists(file + ".replaced"));
}

} // namespace
