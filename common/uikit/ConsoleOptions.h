#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace uikit {

// The part of the command line both programs share: --convert, --overwrite,
// --help and --version. A program adds its own options to parser() before
// Parse.
class ConsoleOptions {
public:
    // `description` heads the help text; `files` names the positional
    // arguments in it ("FILE..."), `filesHelp` says what they are.
    ConsoleOptions(const QString& description, const QString& files, const QString& filesHelp);

    QCommandLineParser& parser() { return parser_; }
    // Reads `arguments`. Nothing when the run goes on; otherwise the exit code
    // once the help or version text is out or a usage error was told.
    std::optional<int> Parse(const QStringList& arguments);
    bool Overwrite() const { return parser_.isSet(overwrite_); }

private:
    QCommandLineParser parser_;
    QCommandLineOption convert_;
    QCommandLineOption overwrite_;
    QCommandLineOption help_;
    QCommandLineOption version_;
};

// Tells a refused command line on standard error: `reason`, then where the
// options are described. Returns the usage error's exit code.
int UsageError(const QString& reason);

} // namespace uikit
