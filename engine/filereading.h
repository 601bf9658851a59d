// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// The whole content of a regular file, read at once into a buffer of the
// file's size. Anything else (a folder, a pipe, a device) is refused before
// a byte is read. Throws EFOpenError naming APath.
std::string ReadWholeFile(const std::string& APath);
// The same, but nothing when there is no file of that name (a settings file
// that was never written).
std::optional<std::string> ReadFileIfExists(const std::string& APath);
