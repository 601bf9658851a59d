// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>

class QWidget;

// A colour as 0x00BBGGRR; a top byte of 0xFF names a system colour.
using TColor = int32_t;

// A settings key that could not be written; what() is "Unable to write to"
// and the settings file's full path.
class EConfigWriteError : public std::runtime_error
{
public:
    explicit EConfigWriteError(const QString& AFileName);
};

// The five values the options dialog edits.
struct TConfigOptions
{
    TColor ColorVowels;
    TColor ColorConsonants;
    TColor ColorExcess;
    bool AllowExcess;
    int32_t FontSize;
};

// The user's preferences and the main window's last geometry, read once
// from the settings file and written one key at a time.
class TConfig
{
public:
    // Reads the settings file of the settings folder.
    TConfig();
    // Reads the given settings file instead.
    explicit TConfig(const QString& AFileName);
    TConfig(const TConfig&) = delete;
    TConfig& operator=(const TConfig&) = delete;

    std::function<void(TConfig& Sender)> OnConfigChanged;

    TColor ColorVowels() const { return FColorVowels; }
    TColor ColorConsonants() const { return FColorConsonants; }
    TColor ColorExcess() const { return FColorExcess; }
    bool AllowExcess() const { return FAllowExcess; }
    TConfigOptions Options() const;

    int32_t FormWidth() const { return FFormWidth; }
    void SetFormWidth(int32_t AValue) { FFormWidth = AValue; }
    int32_t FormHeight() const { return FFormHeight; }
    void SetFormHeight(int32_t AValue) { FFormHeight = AValue; }
    int32_t Splitter() const { return FSplitter; }
    void SetSplitter(int32_t AValue) { FSplitter = AValue; }
    int32_t FontSize() const { return FFontSize; }
    void SetFontSize(int32_t AValue) { FFontSize = AValue; }

    const QString& FileName() const { return FFileName; }

    // Writes the window's width, height and splitter position. Each key is
    // tried; EConfigWriteError follows once if any failed.
    void SaveForm();
    // Takes the values confirmed in the options dialog, writes the five
    // option keys and raises OnConfigChanged; EConfigWriteError follows the
    // event once if any key failed.
    void StoreOptions(const TConfigOptions& AOptions);
    // Shows the options dialog modally over AParent and stores its values
    // when the user confirms; any other close leaves everything as it was.
    void ShowForm(QWidget* AParent = nullptr);

private:
    struct TKeyValue
    {
        const char* Name;
        int32_t Value;
    };

    void Read();
    // Each changes only its key's line in the file; false when not written.
    bool WriteKeys(std::initializer_list<TKeyValue> AKeys) const;
    bool WriteKey(const TKeyValue& AKey) const;

    QString FFileName;
    TColor FColorVowels;
    TColor FColorConsonants;
    TColor FColorExcess;
    bool FAllowExcess;
    int32_t FFormWidth;
    int32_t FFormHeight;
    int32_t FSplitter;
    int32_t FFontSize;
};

// The process's one settings object; created on first use, which the
// program's entry makes happen before any window, and gone after them.
TConfig& Config();

// A signed 32-bit integer as the settings file holds it: optional sign, then
// decimal digits, or hexadecimal after "0x", "0X" or "$". Nothing otherwise.
std::optional<int32_t> ParseConfigInteger(const QString& AText);

// Finds the settings folder; a successful lookup is kept for the process.
class TConfigDirLookup
{
public:
    // The folder with a trailing '/', created with its missing parents; empty
    // when neither $XDG_CONFIG_HOME nor $HOME gives a place for it.
    QString Get();

private:
    QString FCached;
};

QString GetConfigDir();
