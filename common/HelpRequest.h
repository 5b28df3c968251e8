#pragma once

#include <QtGlobal>

#include <functional>

// The application's help requests. Qt has no application-wide help request by context
// number, so this is it: the windows' menu items ask for a topic here and know nothing
// else; whoever binds a help viewer installs itself as the handler.
namespace HelpRequest {

// Command numbers of the Windows help protocol.
enum Command : quint32 {
    HELP_CONTEXT = 1,
    HELP_CONTEXTPOPUP = 8,
    HELP_SETPOPUP_POS = 13,
};

// Answers a request; returns whether it was handled and sets `callHelp` when the
// application's built-in help handling should run afterwards.
using Handler = std::function<bool(quint32 command, quintptr data, bool &callHelp)>;

Handler handler();
void setHandler(Handler handler);

// Passes a request to the handler. The application has no built-in help handling of its
// own, so a request that no handler takes does nothing. Returns the handler's answer.
bool request(quint32 command, quintptr data);

// Asks for help topic `context` (HELP_CONTEXT).
bool showTopic(quint32 context);

} // namespace HelpRequest
