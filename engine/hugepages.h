// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Asks for huge pages behind a buffer of many megabytes that is about to be
// filled: each 4 KiB page of a fresh buffer otherwise costs a fault when it
// is first written, and for a large document the faults take longer than
// the filling. Only a hint; where the system has no huge pages nothing
// changes.
void AdviseHugePages(const void* AData, std::size_t ASize);
