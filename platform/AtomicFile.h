// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Every file this program writes goes first under a temporary name beside its final one, which
// begins with this prefix: what a crash leaves behind is recognised by it and never taken for a
// user's file (it is also hidden, so no folder listing of the program shows it).
inline constexpr const char* PartialFilePrefix = ".vantrel-partial-";

// A pattern for mkstemp: the temporary name of a file about to be written under path.
std::string PartialFilePattern(const std::string& path);

// True for a name (the last component of a path) that PartialFilePattern made.
bool IsPartialFileName(const std::string& name);

// Removes what a write that never finished (a crash, a kill) left in the folder: files and links
// under the temporary names PartialFilePattern makes. Every writer calls it before it writes into
// a folder, so the next run into that folder clears an interrupted one's debris. Nothing else is
// touched.
void RemovePartialFiles(const std::string& folder);

// Replaces a file's whole contents so that a crash, a full disk or a failed write never leaves a
// truncated file under its name: the new contents go to a temporary file beside it, are flushed
// to the disk, and only then take the old file's place by a rename. The file keeps the
// permissions of the one it replaces. A file this process may not write is not replaced, even
// where its folder would allow it; a symbolic link is written through to the file it points to
// and stays a link. On failure the old file is untouched, the temporary file
// is gone, and reason holds the path and the system's explanation.
bool ReplaceFileAtomically(const std::string& path, const std::string& contents,
                           std::string& reason);

// Reads a whole file. False when it cannot be opened or read; a missing file sets missing.
bool ReadWholeFile(const std::string& path, std::string& contents, bool& missing);
