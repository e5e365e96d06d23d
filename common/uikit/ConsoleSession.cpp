#include "ConsoleSession.h"

#include "AboutBox.h"
#include "Profile.h"
#include "ProgramLanguage.h"

#include <QCoreApplication>

namespace uikit {

namespace {

// The version and the language come before the options, whose help and
// refusals use them.
const ConsoleProgram& Started(const ConsoleProgram& program) {
    QCoreApplication::setApplicationVersion(VersionOf(program.about, program.versionLabelId));
    StartProgramLanguage(program.builtInStrings, program.keyTable);
    return program;
}

} // namespace

ConsoleSession::ConsoleSession(const ConsoleProgram& program)
    : scoped_(prompts_), options_(Started(program).description, program.files, program.filesHelp) {}

ConsoleSession::~ConsoleSession() {
    Profile::CloseApplicationStore();
}

} // namespace uikit
