#include "app/HtmlHelp.h"

#include "app/HelpTrace.h"
#include "common/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HtmlHelp {

namespace {
HelpControl *g_control = nullptr;
Status g_status;
QString g_programFolder;

QString forViewer(QString text)
{
    return text.replace(QLatin1String("%20"), QLatin1String(" ")).trimmed();
}
} // namespace

void startUp(const QStringList &arguments)
{
    HelpTrace::start(programFolder(), arguments, HelpTrace::fallbackFolder());
    LoadHtmlHelp();
    detectVersion();
}

QString programFolder()
{
    if (!g_programFolder.isEmpty()) return g_programFolder;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

void setProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

HelpControl &control()
{
    return g_control ? *g_control : HelpControl::system();
}

void setControl(HelpControl *c)
{
    g_control = c;
}

void LoadHtmlHelp()
{
    control().load();
    HelpTrace::line(QStringLiteral("LoadHtmlHelp: control %1, entry point %2")
                        .arg(control().isLoaded() ? QStringLiteral("loaded") : QStringLiteral("not loaded"),
                             control().hasEntryPoint() ? QStringLiteral("found") : QStringLiteral("missing")));
}

void UnloadHtmlHelp()
{
    control().unload();
    HelpTrace::line(QStringLiteral("UnloadHtmlHelp"));
}

bool isLoaded()
{
    return control().isLoaded();
}

void detectVersion()
{
    g_status.controlPath = QString::fromStdString(control().controlPath());
    g_status.version = control().fileVersion(g_status.controlPath.toStdString());
    const HelpControl::Version &v = g_status.version;
    const bool readable = v.major || v.minor || v.build || v.subBuild;
    g_status.versionText = readable ? QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.build).arg(v.subBuild)
                                    : QString();
    g_status.installed = !g_status.versionText.isEmpty();
    HelpTrace::line(QStringLiteral("Version: control path \"%1\", version \"%2\", installed %3")
                        .arg(g_status.controlPath, g_status.versionText,
                             g_status.installed ? QStringLiteral("yes") : QStringLiteral("no")));
}

const Status &status()
{
    return g_status;
}

QString viewerPath(const QString &helpFile, const QString &windowDefinition)
{
    // A folder may really be called "a%20b": then the file is where the path says.
    const QString path = QFileInfo(helpFile).isFile() ? helpFile : forViewer(helpFile);
    const QString definition = forViewer(windowDefinition);
    return definition.isEmpty() ? path : definition + QLatin1Char('>') + path;
}

int HtmlHelpContext(const QString &helpFile, quint32 context, const QString &windowDefinition, quint8 hostKind)
{
    const QString path = viewerPath(helpFile, windowDefinition);
    HelpTrace::line(QStringLiteral("HtmlHelpContext: file \"%1\", context %2, window \"%3\", host kind %4")
                        .arg(helpFile)
                        .arg(context)
                        .arg(windowDefinition)
                        .arg(hostKind));
    // A control whose file has a version but whose entry point is missing cannot be
    // called: that counts as not installed.
    if (!g_status.installed || !control().hasEntryPoint()) {
        HelpTrace::line(QStringLiteral("  viewer not called, error 1"));
        return 1;
    }
    const std::uintptr_t window = control().showContext(path.toStdString(), context);
    HelpTrace::line(QStringLiteral("  viewer called with \"%1\", HH_HELP_CONTEXT, %2: window %3, error 0")
                        .arg(path)
                        .arg(context)
                        .arg(window ? QStringLiteral("returned") : QStringLiteral("none")));
    if (window) control().bringToFront(window);
    return 0;
}

void HtmlHelpShowError(int code)
{
    HelpTrace::line(QStringLiteral("HtmlHelpShowError: %1").arg(code));
    if (code == 1) Messages::show(nullptr, Messages::Kind::Warning, QStringLiteral("MS Html Help is not installed on this PC."));
}

void HtmlHelpCloseAll()
{
    HelpTrace::line(QStringLiteral("HtmlHelpCloseAll"));
    if (control().isLoaded()) control().closeAll();
}

} // namespace HtmlHelp
