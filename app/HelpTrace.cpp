#include "app/HelpTrace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTime>

namespace {
bool g_on = false;
QString g_file;

bool folderIsWritable(const QString &folder)
{
    QFile probe(QDir(folder).filePath(QString::fromLatin1(HelpTrace::kProbeFile)));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
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
    QFile file(g_file);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) file.write(text.toUtf8());
}
} // namespace

void HelpTrace::start(const QString &programFolder, const QStringList &arguments, const QString &tempFolder)
{
    const bool writable = folderIsWritable(programFolder);
    const QString folder = writable ? programFolder : tempFolder;
    g_file = QDir(folder).filePath(QString::fromLatin1(kTraceFile));
    QFile::remove(g_file);
    g_on = asksForTrace(programFolder, arguments);
    if (!g_on) return;

    append(QStringLiteral("Help trace of %1\n").arg(QCoreApplication::applicationName()));
    append(QStringLiteral("  program:   %1\n").arg(arguments.value(0)));
    append(QStringLiteral("  arguments: %1\n").arg(arguments.mid(1).join(QLatin1Char(' '))));
    append(QStringLiteral("  folder:    %1 (%2)\n").arg(programFolder, writable ? QStringLiteral("writable")
                                                                                 : QStringLiteral("not writable")));
    append(QStringLiteral("  trace:     %1\n").arg(g_file));
    append(QStringLiteral("  system:    %1, %2\n").arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture()));
    append(QStringLiteral("  Qt:        %1\n\n").arg(QString::fromLatin1(qVersion())));
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
