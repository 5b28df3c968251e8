#include "common/HelpRequest.h"

namespace HelpRequest {

namespace {
Handler &installed()
{
    static Handler h;
    return h;
}
} // namespace

Handler handler()
{
    return installed();
}

void setHandler(Handler h)
{
    installed() = std::move(h);
}

bool request(quint32 command, quintptr data)
{
    // A copy: the handler may replace itself while it runs.
    const Handler h = installed();
    if (!h) return false;
    bool callHelp = false;
    return h(command, data, callHelp);
}

bool showTopic(quint32 context)
{
    return request(HELP_CONTEXT, context);
}

} // namespace HelpRequest
