// SPDX-License-Identifier: GPL-3.0-or-later
#include "config.h"

#include "fileerror.h"
#include "filereading.h"
#include "inifile.h"
#include "safefile.h"
#include "settingsfolder.h"
#include "textencoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <limits>
#include <string>

namespace {

constexpr TColor DefaultColorVowels = 0x00008080;     // olive
constexpr TColor DefaultColorConsonants = 0x00800000; // navy
constexpr TColor DefaultColorExcess = 0x000000FF;     // red
constexpr int32_t DefaultFontSize = 1;
constexpr int32_t LargestFontSize = 2;

constexpr std::u16string_view Section = u"MAIN";

// Keys and written values are plain ASCII.
std::u16string Ascii(std::string_view AText)
{
    return std::u16string(AText.begin(), AText.end());
}

int32_t ReadInteger(const TIniFile& AIni, const char* AKey, int32_t ADefault)
{
    const std::u16string Value = AIni.ReadString(Section, Ascii(AKey), u"");
    return ParseConfigInteger(QString::fromStdU16String(Value)).value_or(ADefault);
}

// Reading never fails: whatever cannot be read gives the defaults.
std::string ReadSettingsBytes(const QString& AFileName)
{
    try {
        return ReadFileIfExists(AFileName.toStdString()).value_or(std::string());
    } catch (const EFileError&) {
        return {};
    }
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
    const TIniFile Ini(DecodeText(ReadSettingsBytes(FFileName)));
    FColorVowels = ReadInteger(Ini, "COLORVOWELS", DefaultColorVowels);
    FColorConsonants = ReadInteger(Ini, "COLORCONSONANTS", DefaultColorConsonants);
    FColorExcess = ReadInteger(Ini, "COLOREXCESS", DefaultColorExcess);
    FAllowExcess = ReadInteger(Ini, "ALLOWEXCESS", 0) != 0;
    FFontSize = std::clamp(ReadInteger(Ini, "FONTSIZE", DefaultFontSize), 0, LargestFontSize);
    FFormWidth = ReadInteger(Ini, "FORMWIDTH", 0);
    FFormHeight = ReadInteger(Ini, "FORMHEIGHT", 0);
    FSplitter = ReadInteger(Ini, "SPLITTER", 0);
}

TConfigOptions TConfig::Options() const
{
    return {FColorVowels, FColorConsonants, FColorExcess, FAllowExcess, FFontSize};
}

void TConfig::SaveForm()
{
    if (!WriteKeys(
            {{"FORMWIDTH", FFormWidth}, {"FORMHEIGHT", FFormHeight}, {"SPLITTER", FSplitter}}))
        throw EConfigWriteError(FFileName);
}

void TConfig::StoreOptions(const TConfigOptions& AOptions)
{
    FColorVowels = AOptions.ColorVowels;
    FColorConsonants = AOptions.ColorConsonants;
    FColorExcess = AOptions.ColorExcess;
    FAllowExcess = AOptions.AllowExcess;
    FFontSize = AOptions.FontSize;
    const bool Written = WriteKeys({{"COLORVOWELS", FColorVowels},
                                    {"COLORCONSONANTS", FColorConsonants},
                                    {"COLOREXCESS", FColorExcess},
                                    {"ALLOWEXCESS", FAllowExcess ? 1 : 0},
                                    {"FONTSIZE", FFontSize}});
    // The fields hold the new values whether or not they reached the file,
    // so the window shows them either way.
    if (OnConfigChanged)
        OnConfigChanged(*this);
    if (!Written)
        throw EConfigWriteError(FFileName);
}

// One key failing does not keep the others from the file.
bool TConfig::WriteKeys(std::initializer_list<TKeyValue> AKeys) const
{
    bool AllWritten = true;
    for (const TKeyValue& Key : AKeys)
        AllWritten = WriteKey(Key) && AllWritten;
    return AllWritten;
}

// The file is read again for every key, so keys that another running copy
// wrote meanwhile survive; it is replaced atomically, and only when it is a
// regular file.
bool TConfig::WriteKey(const TKeyValue& AKey) const
{
    const std::string Path = FFileName.toStdString();
    try {
        WriteFileAtomically(Path, WriteIniString(ReadFileIfExists(Path).value_or(std::string()), Section, Ascii(AKey.Name),
                                                 Ascii(std::to_string(AKey.Value))));
        return true;
    } catch (const EFileError&) {
        return false;
    }
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
    const std::string Folder = SettingsFolderPath();
    if (Folder.empty())
        return {};
    FCached = QDir::cleanPath(QFile::decodeName(Folder.c_str())) + u'/';
    // A folder that cannot be made shows up as a failing write later.
    QDir().mkpath(FCached);
    return FCached;
}

QString GetConfigDir()
{
    static TConfigDirLookup Lookup;
    return Lookup.Get();
}
