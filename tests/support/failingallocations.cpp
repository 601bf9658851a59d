// SPDX-License-Identifier: GPL-3.0-or-later
#include "failingallocations.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t Never = std::numeric_limits<std::size_t>::max();

std::atomic<bool> Armed{false};
std::atomic<std::size_t> Counted{0};
std::atomic<std::size_t> FailFrom{Never};
std::atomic<std::size_t> FailAtLeast{Never};
std::atomic<bool> Refused{false};

bool MustFail(std::size_t ASize)
{
    if (!Armed.load(std::memory_order_relaxed))
        return false;
    const std::size_t Number = Counted.fetch_add(1) + 1;
    const bool Fail = Number >= FailFrom.load() || ASize >= FailAtLeast.load();
    if (Fail)
        Refused = true;
    return Fail;
}

void Arm(std::size_t AFrom, std::size_t AAtLeast)
{
    Counted = 0;
    Refused = false;
    FailFrom = AFrom;
    FailAtLeast = AAtLeast;
    Armed = true;
}

} // namespace

TFailingAllocations::TFailingAllocations(TFromNth AWhen)
{
    Arm(AWhen.N, Never);
}

TFailingAllocations::TFailingAllocations(TOfAtLeast AWhen)
{
    Arm(Never, AWhen.Bytes);
}

TFailingAllocations::~TFailingAllocations()
{
    Armed = false;
}

std::size_t TFailingAllocations::Count() const
{
    return Counted;
}

bool TFailingAllocations::Failed() const
{
    return Refused;
}

// Replaced together, every form on std::malloc and std::free, so that a
// sanitizer's own operator delete never meets a block from these, nor ours
// one from the sanitizer's (it replaces the array and nothrow forms too).
void* operator new(std::size_t ASize)
{
    if (MustFail(ASize))
        throw std::bad_alloc();
    if (void* Block = std::malloc(ASize == 0 ? 1 : ASize))
        return Block;
    throw std::bad_alloc();
}

void operator delete(void* ABlock) noexcept
{
    std::free(ABlock);
}

void operator delete(void* ABlock, std::size_t) noexcept
{
    std::free(ABlock);
}

void* operator new(std::size_t ASize, const std::nothrow_t&) noexcept
{
    try {
        return ::operator new(ASize);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t ASize)
{
    return ::operator new(ASize);
}

void* operator new[](std::size_t ASize, const std::nothrow_t& ATag) noexcept
{
    return ::operator new(ASize, ATag);
}

void operator delete(void* ABlock, const std::nothrow_t&) noexcept
{
    std::free(ABlock);
}

void operator delete[](void* ABlock) noexcept
{
    std::free(ABlock);
}

void operator delete[](void* ABlock, std::size_t) noexcept
{
    std::free(ABlock);
}

void operator delete[](void* ABlock, const std::nothrow_t&) noexcept
{
    std::free(ABlock);
}
