#pragma once

#include "common/HelpRequest.h"

#include <QString>
#include <QtGlobal>

// Takes over the application's help requests and turns each request for a topic into
// one call of the help viewer. The main window creates it and frees it at the end.
class THelpHook
{
public:
    enum HostKind : quint8 { HostHtmlHelpApi = 0 };

    // Installs the hook as the application's help handler.
    THelpHook(const QString &helpFile, const QString &windowDefinition, HostKind hostKind);
    // Closes the viewer's windows, then hands help back to the handler from before.
    ~THelpHook();
    THelpHook(const THelpHook &) = delete;
    THelpHook &operator=(const THelpHook &) = delete;

    // One application help request. Returns whether it was handled; `CallHelp` says
    // whether the application's built-in help handling should run afterwards.
    bool HelpHook(quint32 command, quintptr data, bool &CallHelp);

    QString helpFile() const { return m_helpFile; }
    QString windowDefinition() const { return m_windowDefinition; }
    HostKind hostKind() const { return m_hostKind; }

private:
    HelpRequest::Handler m_previous;
    QString m_helpFile;
    QString m_windowDefinition;
    HostKind m_hostKind;
};
