#pragma once

#include <QString>
#include <QtGlobal>

// The system's viewer for compiled HTML help files: whether it is there, its version,
// showing a topic and closing every viewer window the program opened.
namespace HelpControl {

struct Version
{
    quint16 major = 0;
    quint16 minor = 0;
    quint16 build = 0;
    quint16 subBuild = 0;
};

// Whether the viewer's control library could be loaded.
bool isLoaded();
// The control library's file version; all zero when it cannot be read.
Version version();

// Shows topic `context` of `helpFile`; returns false when no viewer could be asked.
bool showContext(const QString &helpFile, const QString &windowDefinition, quint32 context);
void closeAll();

} // namespace HelpControl
