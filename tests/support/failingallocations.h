// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Makes operator new throw std::bad_alloc, as running out of memory does,
// while an object lives: from the Nth allocation on, or for every request
// of at least a given size. One object at a time. Linking
// failingallocations.cpp into a test program replaces operator new there.
class TFailingAllocations
{
public:
    struct TFromNth
    {
        std::size_t N;
    };
    struct TOfAtLeast
    {
        std::size_t Bytes;
    };

    explicit TFailingAllocations(TFromNth AWhen);
    explicit TFailingAllocations(TOfAtLeast AWhen);
    ~TFailingAllocations();
    TFailingAllocations(const TFailingAllocations&) = delete;
    TFailingAllocations& operator=(const TFailingAllocations&) = delete;

    // Allocations asked for since the object was made, failed ones included.
    std::size_t Count() const;
    // Whether any allocation was refused.
    bool Failed() const;
};
