// SPDX-License-Identifier: GPL-3.0-or-later
#include "hugepages.h"

#include <cstdint>
#include <sys/mman.h>

namespace {

constexpr std::uintptr_t HugePageSize = std::uintptr_t{2} << 20;

} // namespace

void AdviseHugePages(const void* AData, std::size_t ASize)
{
    const auto Start = reinterpret_cast<std::uintptr_t>(AData);
    const std::uintptr_t Begin = (Start + HugePageSize - 1) & ~(HugePageSize - 1);
    const std::uintptr_t End = (Start + ASize) & ~(HugePageSize - 1);
    if (End > Begin)
        ::madvise(reinterpret_cast<void*>(Begin), End - Begin, MADV_HUGEPAGE);
}
