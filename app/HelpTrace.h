#pragma once

#include <QString>
#include <QStringList>

// The help binding's diagnostic trace: one line per step, after the time of day, in
// "HHDebug.txt" in the program's folder, or, when that is not writable, in a folder of the
// user's own (fallbackFolder). On when a file "debug.debug" lies in the program's folder or
// the program is started with "/debug" or "-debug" (any letter case).
class HelpTrace
{
public:
    static constexpr char kTraceFile[] = "HHDebug.txt";
    static constexpr char kProbeFile[] = "$_Temp_$.$$$";
    static constexpr char kSwitchFile[] = "debug.debug";

    // Runs at every start: probes the program's folder for writing, deletes an old trace
    // there and in the fallback folder whether tracing or not, and when tracing writes the
    // header.
    static void start(const QString &programFolder, const QStringList &arguments, const QString &fallbackFolder);
    // The user's own state folder (platform/StateFolder.h).
    static QString fallbackFolder();
    static bool isOn();
    // Where the trace goes (also when it is off).
    static QString filePath();
    static void line(const QString &step);
};
