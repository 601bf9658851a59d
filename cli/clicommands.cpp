// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"

#include "anagramengine.h"
#include "residuallines.h"
#include "utf8.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace {

constexpr const char* HelpText =
    "Usage: verbanto-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Letter tallies of anagram attempts, as Verbanto counts them: case is\n"
    "ignored, accented Latin letters count as their base letters A to Z,\n"
    "everything else is ignored. Arguments are UTF-8.\n"
    "\n"
    "Commands:\n"
    "  normalize TEXT             print the letters A to Z that TEXT holds\n"
    "  tally SENTENCE [ATTEMPT]   print, as one JSON object, the attempt's status,\n"
    "                             the count of each letter still free (negative\n"
    "                             when used in excess) and the residual vowels\n"
    "                             and consonants\n"
    "  --help                     print this text\n"
    "\n"
    "Exit status: 0 on success, 2 on a usage error.\n";

class EUsage : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::u16string Decoded(const std::string& AArgument)
{
    std::optional<std::u16string> Text = Utf8ToUtf16(AArgument);
    if (!Text)
        throw EUsage("argument is not valid UTF-8");
    return *Text;
}

// Normalisations and residual lines hold nothing but ASCII.
std::string Ascii(const std::u16string& AText)
{
    return std::string(AText.begin(), AText.end());
}

const char* StatusName(TAnagramStatus AStatus)
{
    switch (AStatus) {
    case TAnagramStatus::asEmpty:
        return "empty";
    case TAnagramStatus::asIncomplete:
        return "incomplete";
    case TAnagramStatus::asComplete:
        return "complete";
    case TAnagramStatus::asExcess:
        return "excess";
    }
    return "unknown";
}

void Normalize(const std::vector<std::string>& AArgs, std::ostream& Out)
{
    if (AArgs.size() != 2)
        throw EUsage("normalize takes one TEXT");
    Out << Ascii(TAnagramEngine::Normalize(Decoded(AArgs[1]))) << '\n';
}

void Tally(const std::vector<std::string>& AArgs, std::ostream& Out)
{
    if (AArgs.size() != 2 && AArgs.size() != 3)
        throw EUsage("tally takes a SENTENCE and an optional ATTEMPT");
    TAnagramEngine Engine;
    Engine.SetSentence(Decoded(AArgs[1]));
    if (AArgs.size() == 3)
        Engine.SetCurrentAnagramString(Decoded(AArgs[2]));

    nlohmann::ordered_json Letters = nlohmann::ordered_json::object();
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        Letters[std::string(1, static_cast<char>(L))] = Engine.GetLetters(L);
    const TResidualLines Lines = BuildResidualLines(Engine);

    nlohmann::ordered_json Result;
    Result["status"] = StatusName(Engine.CurrentAnagram().Status());
    Result["letters"] = Letters;
    Result["vowels"] = Ascii(Lines.Vowels);
    Result["consonants"] = Ascii(Lines.Consonants);
    Out << Result.dump() << '\n';
}

} // namespace

int RunCli(const std::vector<std::string>& AArgs, std::ostream& Out, std::ostream& Err)
{
    try {
        if (AArgs.empty())
            throw EUsage("no command given");
        const std::string& Command = AArgs[0];
        if (Command == "--help" || Command == "-h")
            Out << HelpText;
        else if (Command == "normalize")
            Normalize(AArgs, Out);
        else if (Command == "tally")
            Tally(AArgs, Out);
        else
            throw EUsage("unknown command '" + Command + "'");
        return ExitSuccess;
    } catch (const EUsage& Error) {
        Err << "verbanto-cli: " << Error.what() << "\nTry 'verbanto-cli --help'.\n";
        return ExitUsage;
    }
}
