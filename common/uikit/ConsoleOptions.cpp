#include "ConsoleOptions.h"

#include "ConsoleOutput.h"
#include "ExitCodes.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "Profile.h"

#include <QCoreApplication>

namespace uikit {

ConsoleOptions::ConsoleOptions(const QString& description, const QString& files,
                               const QString& filesHelp)
    : convert_("convert", "Convert without opening the window; nothing waits for input."),
      overwrite_("overwrite", "Replace output files that exist already (they are kept and the "
                              "video skipped otherwise)."),
      help_(QStringList{"h", "help"}, "Show this help."),
      version_(QStringList{"v", "version"}, "Show the program's version.") {
    parser_.setApplicationDescription(description);
    parser_.addOption(convert_);
    parser_.addOption(overwrite_);
    parser_.addOption(help_);
    parser_.addOption(version_);
    parser_.addPositionalArgument(files, filesHelp, files);
}

std::optional<int> ConsoleOptions::Parse(const QStringList& arguments) {
    if (!parser_.parse(arguments)) {
        return UsageError(parser_.errorText());
    }
    if (parser_.isSet(help_)) {
        std::fputs(parser_.helpText().toUtf8().constData(), stdout);
        return kExitConverted;
    }
    if (parser_.isSet(version_)) {
        PrintLine(stdout, ApplicationName() + ' ' + QCoreApplication::applicationVersion());
        return kExitConverted;
    }
    if (!parser_.isSet(convert_)) {
        return UsageError(parser_.helpText());
    }
    return std::nullopt;
}

int UsageError(const QString& reason) {
    PrintLine(stderr, ApplicationName() + ": " + reason);
    PrintLine(stderr, Language().GetMessageText(res::kMsgConsoleTryHelp).arg(ApplicationName()));
    return kExitUsage;
}

} // namespace uikit
