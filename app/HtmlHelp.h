#pragma once

#include "platform/HelpControl.h"

#include <QString>
#include <QStringList>

// The program's binding to the help viewer: loading the control at start-up and
// recording its version, showing a topic, reporting a failed call, closing everything.
namespace HtmlHelp {

struct Status
{
    QString controlPath;
    HelpControl::Version version;
    QString versionText; // "major.minor.build.subBuild", empty when unreadable
    bool installed = false;
};

// Start-up, before any window exists: trace, LoadHtmlHelp, version detection.
void startUp(const QStringList &arguments);

// The folder of the program's executable, with its trailing separator; the help file,
// the trace switch and the trace live there. Tests may move it.
QString programFolder();
void setProgramFolder(const QString &folder);

// The control in use: the system's, unless a test put another in its place (nullptr
// returns to the system's).
HelpControl &control();
void setControl(HelpControl *control);

void LoadHtmlHelp();
void UnloadHtmlHelp();
bool isLoaded();
void detectVersion();
const Status &status();

// What the viewer is given for a help file and a window definition.
QString viewerPath(const QString &helpFile, const QString &windowDefinition);
// Shows one topic; 0 when the viewer was asked, 1 when no viewer is installed.
int HtmlHelpContext(const QString &helpFile, quint32 context, const QString &windowDefinition, quint8 hostKind);
void HtmlHelpShowError(int code);
void HtmlHelpCloseAll();

} // namespace HtmlHelp
