#pragma once

#include <string>

// The few files the program writes of its own accord (the folder probe, the help trace).
// A name that exists already may be another's file or a link planted in a shared folder:
// it is never opened for writing through a link, never truncated, and removed only when
// it is a plain file of the user's own. Paths are in the system's 8-bit file-name
// encoding. No Qt, so the Windows side can be
// checked without it.
namespace OwnFiles {

// Whether files can be created in `folder`. The probe file `probeName` is created
// exclusively and removed at once; where that name is taken, it is left alone and the
// folder's permissions decide.
bool folderIsWritable(const std::string &folder, const std::string &probeName);

// Removes `path` when it is a plain file (not a link) of the user's own. True when
// nothing of that name is left or there was none.
bool removeOwnFile(const std::string &path);

// Appends to `path`, creating it for the user alone; refuses a link or anything but a
// plain file.
bool append(const std::string &path, const std::string &bytes);

// Creates `folder` and any missing parent for the user alone (mode 0700). True when it
// is a folder afterwards.
bool makePrivateFolder(const std::string &folder);

} // namespace OwnFiles
