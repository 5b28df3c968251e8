#pragma once

#include <QString>

// A folder of the user's own where the program may keep a file when its own folder is not
// writable (an installed copy): never a shared folder, where another user could plant the
// name or read the file. It need not exist yet.
namespace StateFolder {

// Windows: "%LOCALAPPDATA%\lumaKvex" (the user's local application data). Elsewhere:
// "$XDG_STATE_HOME/lumakvex" when that variable holds an absolute path, else
// "$HOME/.local/state/lumakvex".
QString path();

} // namespace StateFolder
