#include "app/HelpHook.h"

#include "app/HelpTrace.h"
#include "app/HtmlHelp.h"

namespace {
QString commandName(quint32 command)
{
    switch (command) {
    case HelpRequest::HELP_CONTEXT:
        return QStringLiteral("HELP_CONTEXT");
    case HelpRequest::HELP_CONTEXTPOPUP:
        return QStringLiteral("HELP_CONTEXTPOPUP");
    case HelpRequest::HELP_SETPOPUP_POS:
        return QStringLiteral("HELP_SETPOPUP_POS");
    default:
        return QStringLiteral("other");
    }
}
} // namespace

THelpHook::THelpHook(const QString &helpFile, const QString &windowDefinition, HostKind hostKind)
    : m_previous(HelpRequest::handler()), m_helpFile(helpFile), m_windowDefinition(windowDefinition),
      m_hostKind(hostKind)
{
    HelpRequest::setHandler([this](quint32 command, quintptr data, bool &callHelp) {
        return HelpHook(command, data, callHelp);
    });
    HelpTrace::line(QStringLiteral("THelpHook created: file \"%1\", window \"%2\", host kind %3")
                        .arg(m_helpFile, m_windowDefinition)
                        .arg(m_hostKind));
}

THelpHook::~THelpHook()
{
    if (m_hostKind == HostHtmlHelpApi) HtmlHelp::HtmlHelpCloseAll();
    HelpRequest::setHandler(m_previous);
    HelpTrace::line(QStringLiteral("THelpHook destroyed"));
}

bool THelpHook::HelpHook(quint32 command, quintptr data, bool &CallHelp)
{
    HelpTrace::line(QStringLiteral("HelpHook: %1 (%2), data %3").arg(commandName(command)).arg(command).arg(data));
    CallHelp = false;
    switch (command) {
    case HelpRequest::HELP_CONTEXT:
    case HelpRequest::HELP_CONTEXTPOPUP:
        HtmlHelp::HtmlHelpShowError(
            HtmlHelp::HtmlHelpContext(m_helpFile, quint32(data), m_windowDefinition, m_hostKind));
        break;
    case HelpRequest::HELP_SETPOPUP_POS:
        break;
    default:
        CallHelp = true;
        break;
    }
    return true;
}
