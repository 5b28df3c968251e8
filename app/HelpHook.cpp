#include "app/HelpHook.h"

#include "platform/HelpControl.h"

namespace {
THelpHook *g_current = nullptr;
}

THelpHook::THelpHook(const QString &helpFile, const QString &windowDefinition, HostKind hostKind)
    : m_previous(g_current), m_helpFile(helpFile), m_windowDefinition(windowDefinition), m_hostKind(hostKind)
{
    g_current = this;
}

THelpHook::~THelpHook()
{
    // Hand help handling back to whatever was there before.
    if (g_current == this) g_current = m_previous;
}

THelpHook *THelpHook::current()
{
    return g_current;
}

void THelpHook::requestContext(quint32 context)
{
    if (THelpHook *hook = g_current)
        HelpControl::showContext(hook->m_helpFile, hook->m_windowDefinition, context);
}
