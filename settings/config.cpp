// SPDX-License-Identifier: GPL-3.0-or-later
#include "config.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace {

constexpr TColor DefaultColorVowels = 0x00008080;     // olive
constexpr TColor DefaultColorConsonants = 0x00800000; // navy
constexpr TColor DefaultColorExcess = 0x000000FF;     // red
constexpr int32_t DefaultFontSize = 1;
constexpr int32_t LargestFontSize = 2;

const QString Section = QStringLiteral("MAIN");

QString KeyPath(const char* AKey)
{
    return Section + u'/' + QLatin1String(AKey);
}

int32_t ReadInteger(const QSettings& ASettings, const char* AKey, int32_t ADefault)
{
    const QVariant Value = ASettings.value(KeyPath(AKey));
    // A value holding a comma arrives as a list, which is no integer either.
    if (Value.typeId() == QMetaType::QStringList)
        return ADefault;
    return ParseConfigInteger(Value.toString()).value_or(ADefault);
}

int DigitValue(char16_t C)
{
    if (C >= u'0' && C <= u'9')
        return C - u'0';
    if (C >= u'a' && C <= u'f')
        return C - u'a' + 10;
    if (C >= u'A' && C <= u'F')
        return C - u'A' + 10;
    return -1;
}

// Up to 32 bits of magnitude; more is out of range for every key.
std::optional<uint64_t> ParseDigits(QStringView ADigits, int ABase)
{
    if (ADigits.isEmpty())
        return std::nullopt;
    uint64_t Value = 0;
    for (QChar C : ADigits) {
        const int Digit = DigitValue(C.unicode());
        if (Digit < 0 || Digit >= ABase)
            return std::nullopt;
        Value = Value * static_cast<uint64_t>(ABase) + static_cast<uint64_t>(Digit);
        if (Value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return Value;
}

} // namespace

std::optional<int32_t> ParseConfigInteger(const QString& AText)
{
    QStringView Rest(AText);
    const bool Negative = Rest.startsWith(u'-');
    if (Negative || Rest.startsWith(u'+'))
        Rest = Rest.mid(1);
    const bool Hex = Rest.startsWith(u'$') ||
                     (Rest.size() > 2 && (Rest.startsWith(u"0x") || Rest.startsWith(u"0X")));
    const std::optional<uint64_t> Magnitude =
        Hex ? ParseDigits(Rest.mid(Rest.startsWith(u'$') ? 1 : 2), 16) : ParseDigits(Rest, 10);
    if (!Magnitude)
        return std::nullopt;
    // Hexadecimal gives the 32 bits as they stand, so colours with the top
    // byte set read back; decimal must fit the signed range.
    int64_t Value =
        Hex ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(*Magnitude)))
            : static_cast<int64_t>(*Magnitude);
    if (Negative)
        Value = -Value;
    if (Value < std::numeric_limits<int32_t>::min() || Value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(Value);
}

EConfigWriteError::EConfigWriteError(const QString& AFileName)
    : std::runtime_error("Unable to write to " +
                         QFileInfo(AFileName).absoluteFilePath().toStdString())
{}

TConfig::TConfig() : TConfig(GetConfigDir() + QStringLiteral("verbanto.ini")) {}

TConfig::TConfig(const QString& AFileName) : FFileName(AFileName)
{
    Read();
}

void TConfig::Read()
{
    const QSettings Settings(FFileName, QSettings::IniFormat);
    FColorVowels = ReadInteger(Settings, "COLORVOWELS", DefaultColorVowels);
    FColorConsonants = ReadInteger(Settings, "COLORCONSONANTS", DefaultColorConsonants);
    FColorExcess = ReadInteger(Settings, "COLOREXCESS", DefaultColorExcess);
    FAllowExcess = ReadInteger(Settings, "ALLOWEXCESS", 0) != 0;
    FFontSize = std::clamp(ReadInteger(Settings, "FONTSIZE", DefaultFontSize), 0, LargestFontSize);
    FFormWidth = ReadInteger(Settings, "FORMWIDTH", 0);
    FFormHeight = ReadInteger(Settings, "FORMHEIGHT", 0);
    FSplitter = ReadInteger(Settings, "SPLITTER", 0);
}

TConfigOptions TConfig::Options() const
{
    return {FColorVowels, FColorConsonants, FColorExcess, FAllowExcess, FFontSize};
}

void TConfig::SaveForm()
{
    WriteKey("FORMWIDTH", FFormWidth);
    WriteKey("FORMHEIGHT", FFormHeight);
    WriteKey("SPLITTER", FSplitter);
}

void TConfig::StoreOptions(const TConfigOptions& AOptions)
{
    FColorVowels = AOptions.ColorVowels;
    FColorConsonants = AOptions.ColorConsonants;
    FColorExcess = AOptions.ColorExcess;
    FAllowExcess = AOptions.AllowExcess;
    FFontSize = AOptions.FontSize;
    WriteKey("COLORVOWELS", FColorVowels);
    WriteKey("COLORCONSONANTS", FColorConsonants);
    WriteKey("COLOREXCESS", FColorExcess);
    WriteKey("ALLOWEXCESS", FAllowExcess ? 1 : 0);
    WriteKey("FONTSIZE", FFontSize);
    if (OnConfigChanged)
        OnConfigChanged(*this);
}

// A settings object of its own for every key: it merges the key into the
// file as it is on disk now, so keys that another running copy wrote
// meanwhile survive, and it replaces the file atomically.
void TConfig::WriteKey(const char* AKey, int32_t AValue) const
{
    QSettings Settings(FFileName, QSettings::IniFormat);
    Settings.setValue(KeyPath(AKey), QString::number(AValue));
    Settings.sync();
    if (Settings.status() != QSettings::NoError)
        throw EConfigWriteError(FFileName);
}

TConfig& Config()
{
    static TConfig Instance;
    return Instance;
}

QString TConfigDirLookup::Get()
{
    if (!FCached.isEmpty())
        return FCached;
    QString Base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(Base)) {
        const QString Home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(Home))
            return {};
        Base = Home + QStringLiteral("/.config");
    }
    FCached = QDir::cleanPath(Base + QStringLiteral("/.verbanto")) + u'/';
    // A folder that cannot be made shows up as a failing write later.
    QDir().mkpath(FCached);
    return FCached;
}

QString GetConfigDir()
{
    static TConfigDirLookup Lookup;
    return Lookup.Get();
}
