// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The whole content of a regular file, read at once into a buffer of the
// file's size. Anything else (a folder, a pipe, a device) is refused before
// a byte is read. Throws EFOpenError naming APath.
std::string ReadWholeFile(const std::string& APath);
