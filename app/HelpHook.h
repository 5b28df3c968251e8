#pragma once

#include <QString>
#include <QtGlobal>

// Takes over the application's help requests and turns each request for a topic into
// one call of the help viewer. The main window creates it and frees it at the end.
class THelpHook
{
public:
    enum HostKind : quint8 { HostHtmlHelpApi = 0 };

    THelpHook(const QString &helpFile, const QString &windowDefinition, HostKind hostKind);
    ~THelpHook();
    THelpHook(const THelpHook &) = delete;
    THelpHook &operator=(const THelpHook &) = delete;

    // The hook that receives the application's help requests, if one exists.
    static THelpHook *current();

    QString helpFile() const { return m_helpFile; }
    QString windowDefinition() const { return m_windowDefinition; }
    HostKind hostKind() const { return m_hostKind; }

    // An application-wide request for a help topic (context number).
    static void requestContext(quint32 context);

private:
    THelpHook *m_previous;
    QString m_helpFile;
    QString m_windowDefinition;
    HostKind m_hostKind;
};
