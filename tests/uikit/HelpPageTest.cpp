#include "HelpLinks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// The pages are searched where the language files are: beside the programs'
// folder (build tree), under the installed data folder, else in the programs' folder.
TEST(HelpPageUrlTest, FindsThePagesWhereTheLanguageFilesAre) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.filePath("bin");
    QDir().mkpath(bin);

    EXPECT_EQ(uikit::HelpPageUrl("veltrano.html", bin),
              QUrl::fromLocalFile(bin + "/help/veltrano.html"));

    const QString installed = prefix.filePath("share/videoconverters/help/veltrano.html");
    Touch(installed);
    EXPECT_EQ(uikit::HelpPageUrl("veltrano.html", bin + "/"), QUrl::fromLocalFile(installed));

    const QString beside = prefix.filePath("help/veltrano.html");
    Touch(beside);
    const QUrl url = uikit::HelpPageUrl("veltrano.html", bin);
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url, QUrl::fromLocalFile(beside));
    // Each page is looked up on its own.
    EXPECT_EQ(uikit::HelpPageUrl("caspari.html", bin),
              QUrl::fromLocalFile(bin + "/help/caspari.html"));
}

} // namespace
