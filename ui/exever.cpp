// SPDX-License-Identifier: GPL-3.0-or-later
#include "exever.h"

#include <array>

namespace {

struct TFlagName
{
    std::uint32_t Flag;
    const char16_t* Name;
};

// Not sorted by bit value: special build is named before private build.
constexpr std::array<TFlagName, 5> FlagNames{{
    {FileFlag::Debug, u",debug"},
    {FileFlag::Prerelease, u",prerelease"},
    {FileFlag::Patched, u",patched"},
    {FileFlag::SpecialBuild, u",special build"},
    {FileFlag::PrivateBuild, u",private build"},
}};

QString Part(std::uint32_t AValue)
{
    return QString::number(AValue & 0xFFFFu);
}

} // namespace

QString VersionStringOf(const TFixedFileInfo* AInfo)
{
    if (AInfo == nullptr)
        return QStringLiteral("<no version info available>");
    // The about box must open whatever happens here, so a failure only
    // empties the text.
    try {
        QString Result = Part(AInfo->FileVersionMS >> 16) + u'.' + Part(AInfo->FileVersionMS) +
                         u'.' + Part(AInfo->FileVersionLS >> 16) + u'.' +
                         Part(AInfo->FileVersionLS);
        const std::uint32_t Shown = AInfo->FileFlagsMask & AInfo->FileFlags;
        QString Suffix;
        for (const TFlagName& Entry : FlagNames)
            if ((Shown & Entry.Flag) != 0)
                Suffix += QString::fromUtf16(Entry.Name);
        if (!Suffix.isEmpty())
            Result += u' ' + Suffix.mid(1);
        return Result;
    } catch (...) {
        return QString();
    }
}

QString GetVersionString()
{
    return VersionStringOf(ProgramVersionInfo());
}
