#include "app/HelpTrace.h"

#include "platform/OwnFiles.h"
#include "platform/StateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTime>

namespace {
bool g_on = false;
QString g_file;

std::string local(const QString &path)
{
    return QFile::encodeName(QDir::cleanPath(path)).toStdString();
}

QString traceIn(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(HelpTrace::kTraceFile));
}

bool asksForTrace(const QString &programFolder, const QStringList &arguments)
{
    if (QFileInfo::exists(QDir(programFolder).filePath(QString::fromLatin1(HelpTrace::kSwitchFile)))) return true;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0 ||
            arguments[i].compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void append(const QString &text)
{
    OwnFiles::append(local(g_file), text.toStdString());
}
} // namespace

void HelpTrace::start(const QString &programFolder, const QStringList &arguments, const QString &fallbackFolder)
{
    const bool writable = OwnFiles::folderIsWritable(local(programFolder), kProbeFile);
    OwnFiles::removeOwnFile(local(traceIn(programFolder)));
    OwnFiles::removeOwnFile(local(traceIn(fallbackFolder)));
    g_file = traceIn(writable ? programFolder : fallbackFolder);
    g_on = asksForTrace(programFolder, arguments);
    if (!g_on) return;
    if (!writable) OwnFiles::makePrivateFolder(local(fallbackFolder));

    append(QStringLiteral("Help trace of %1\n").arg(QCoreApplication::applicationName()));
    append(QStringLiteral("  program:   %1\n").arg(arguments.value(0)));
    append(QStringLiteral("  arguments: %1\n").arg(arguments.mid(1).join(QLatin1Char(' '))));
    append(QStringLiteral("  folder:    %1 (%2)\n").arg(programFolder, writable ? QStringLiteral("writable")
                                                                                 : QStringLiteral("not writable")));
    append(QStringLiteral("  trace:     %1\n").arg(g_file));
    append(QStringLiteral("  system:    %1, %2\n").arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture()));
    append(QStringLiteral("  Qt:        %1\n\n").arg(QString::fromLatin1(qVersion())));
}

QString HelpTrace::fallbackFolder()
{
    return StateFolder::path();
}

bool HelpTrace::isOn()
{
    return g_on;
}

QString HelpTrace::filePath()
{
    return g_file;
}

void HelpTrace::line(const QString &step)
{
    if (g_on) append(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) + QLatin1String("  ") + step + QLatin1Char('\n'));
}
