// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicommands.h"

#include "anagramengine.h"
#include "documentformat.h"
#include "fileerror.h"
#include "lexicon.h"
#include "residuallines.h"
#include "safefile.h"
#include "settingsfolder.h"
#include "tally.h"
#include "utf8.h"
#include "wordlist.h"

#include <charconv>
#include <istream>
#include <new>
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
    "  show FILE                  print a document (any layout) as one JSON object\n"
    "  new OUT --sentence S [--attempt A]... [--order ORDER]\n"
    "                             write a document; ORDER lists the letters A to Z\n"
    "                             in the order residual letters are shown\n"
    "  convert IN OUT             read a document in any layout, write the current one\n"
    "  words [--dictionary FILE]... [--limit N] [--each-line] SENTENCE [ATTEMPT]\n"
    "                             print, as one JSON object, how many words fit the\n"
    "                             letters still free, the best of them (200, or N;\n"
    "                             0 for all) and the percent of vowels among those\n"
    "                             letters. Without --dictionary the words are those\n"
    "                             of /usr/share/dict/italian, the personal list\n"
    "                             parole.txt and a, e, è, i, o. --each-line reads\n"
    "                             one ATTEMPT per line of standard input and prints\n"
    "                             one object per line\n"
    "  --help                     print this text\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written or\n"
    "memory runs out, 2 on a usage error.\n";

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

nlohmann::ordered_json LettersOf(const TAnagram& AAnagram)
{
    nlohmann::ordered_json Letters = nlohmann::ordered_json::object();
    for (char16_t L = u'A'; L <= u'Z'; ++L)
        Letters[std::string(1, static_cast<char>(L))] = AAnagram.GetLetters(L);
    return Letters;
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

    const TResidualLines Lines = BuildResidualLines(Engine);

    nlohmann::ordered_json Result;
    Result["status"] = StatusName(Engine.CurrentAnagram().Status());
    Result["letters"] = LettersOf(Engine.CurrentAnagram());
    Result["vowels"] = Ascii(Lines.Vowels);
    Result["consonants"] = Ascii(Lines.Consonants);
    Out << Result.dump() << '\n';
}

nlohmann::ordered_json AttemptOf(const TAnagram& AAnagram)
{
    nlohmann::ordered_json Attempt;
    Attempt["text"] = Utf16ToUtf8(AAnagram.Anagram());
    Attempt["status"] = StatusName(AAnagram.Status());
    Attempt["letters"] = LettersOf(AAnagram);
    return Attempt;
}

// Written one attempt at a time: held whole, the JSON of a document of
// short attempts takes hundreds of times the memory of the file.
void Show(const std::vector<std::string>& AArgs, std::ostream& Out)
{
    if (AArgs.size() != 2)
        throw EUsage("show takes one FILE");
    TAnagramEngine Engine;
    Engine.Load(AArgs[1]);
    std::u16string Order;
    for (char16_t P = u'A'; P <= u'Z'; ++P)
        Order.push_back(Engine.GetLetterAtPosition(P));
    nlohmann::ordered_json Head;
    Head["sentence"] = Utf16ToUtf8(Engine.Sentence());
    Head["order"] = Ascii(Order);
    std::string Opening = Head.dump();
    Opening.pop_back(); // its closing brace comes after the attempts
    Out << Opening << ",\"attempts\":[";
    for (int32_t I = 0; I < Engine.AnagramsCount(); ++I)
        Out << (I > 0 ? "," : "") << AttemptOf(Engine.GetAnagram(I)).dump();
    Out << "]}\n";
}

TLetterOrder ParsedOrder(const std::string& AText)
{
    TLetterOrder Order;
    if (AText.size() != static_cast<std::size_t>(LetterCount))
        throw EUsage("ORDER must list the 26 letters A to Z");
    for (int I = 0; I < LetterCount; ++I)
        Order[static_cast<char16_t>(u'A' + I)] = static_cast<unsigned char>(AText[I]);
    if (!Order.IsPermutation())
        throw EUsage("ORDER must list each of the letters A to Z once");
    return Order;
}

void New(const std::vector<std::string>& AArgs)
{
    if (AArgs.size() < 2)
        throw EUsage("new takes a file name OUT");
    std::optional<std::u16string> Sentence;
    std::vector<std::u16string> Attempts;
    TLetterOrder Order;
    for (std::size_t I = 2; I < AArgs.size(); I += 2) {
        if (I + 1 >= AArgs.size())
            throw EUsage("option " + AArgs[I] + " needs a value");
        const std::string& Value = AArgs[I + 1];
        if (AArgs[I] == "--sentence")
            Sentence = Decoded(Value);
        else if (AArgs[I] == "--attempt")
            Attempts.push_back(Decoded(Value));
        else if (AArgs[I] == "--order")
            Order = ParsedOrder(Value);
        else
            throw EUsage("unknown option '" + AArgs[I] + "'");
    }
    if (!Sentence)
        throw EUsage("new needs --sentence");
    if (Attempts.empty())
        Attempts.emplace_back();
    const std::vector<std::u16string_view> Views(Attempts.begin(), Attempts.end());
    WriteFileAtomically(AArgs[1], SerializeByteLayout(Order, *Sentence, Views));
}

void Convert(const std::vector<std::string>& AArgs)
{
    if (AArgs.size() != 3)
        throw EUsage("convert takes IN and OUT");
    TAnagramEngine Engine;
    Engine.Load(AArgs[1]);
    Engine.Save(AArgs[2]);
}

struct TWordsArguments
{
    std::vector<std::string> Dictionaries;
    std::size_t Limit = 200;
    bool bEachLine = false;
    std::vector<std::u16string> Texts; // the sentence, then the attempt if given
};

std::size_t ParsedLimit(const std::string& AText)
{
    std::size_t Limit = 0;
    const auto [End, Error] = std::from_chars(AText.data(), AText.data() + AText.size(), Limit);
    if (AText.empty() || Error != std::errc() || End != AText.data() + AText.size())
        throw EUsage("--limit takes a whole number, not '" + AText + "'");
    return Limit;
}

TWordsArguments ParsedWordsArguments(const std::vector<std::string>& AArgs)
{
    TWordsArguments Result;
    for (std::size_t I = 1; I < AArgs.size(); ++I) {
        const std::string& Arg = AArgs[I];
        const bool bTakesValue = Arg == "--dictionary" || Arg == "--limit";
        if (bTakesValue && I + 1 >= AArgs.size())
            throw EUsage("option " + Arg + " needs a value");
        if (Arg == "--dictionary")
            Result.Dictionaries.push_back(AArgs[++I]);
        else if (Arg == "--limit")
            Result.Limit = ParsedLimit(AArgs[++I]);
        else if (Arg == "--each-line")
            Result.bEachLine = true;
        else if (Arg.starts_with("--"))
            throw EUsage("unknown option '" + Arg + "'");
        else
            Result.Texts.push_back(Decoded(Arg));
    }
    if (Result.Texts.empty() || Result.Texts.size() > (Result.bEachLine ? 1u : 2u))
        throw EUsage(Result.bEachLine ? "words --each-line takes a SENTENCE"
                                      : "words takes a SENTENCE and an optional ATTEMPT");
    return Result;
}

std::string PersonalWordListPath()
{
    const std::string Folder = SettingsFolderPath();
    return Folder.empty() ? Folder : Folder + "/parole.txt";
}

TWordList WordListFor(const TWordsArguments& AArguments)
{
    if (AArguments.Dictionaries.empty())
        return DefaultWordList(SystemWordListPath, PersonalWordListPath());
    TWordList List;
    for (const std::string& Path : AArguments.Dictionaries)
        List.AddListFile(Path);
    return List;
}

void PrintWordsThatFit(const TSentenceView& AView, const TLetters& ASentence,
                       std::u16string_view AAttempt, std::size_t ALimit, std::ostream& Out)
{
    TLetters Tally = ASentence;
    TAnagram::ProcessString(AAttempt, false, Tally);
    TWordQuery Query;
    Query.Remainder = RemainderOf(Tally);
    Query.Limit = ALimit;
    const TWordMatches Matches = AView.Find(Query);
    nlohmann::ordered_json Result;
    Result["count"] = Matches.Count;
    Result["words"] = nlohmann::ordered_json::array();
    for (const std::u16string& Word : Matches.Words)
        Result["words"].push_back(Utf16ToUtf8(Word));
    Result["vowels"] = VowelPercent(Query.Remainder);
    Out << Result.dump() << '\n' << std::flush;
}

void Words(const std::vector<std::string>& AArgs, std::istream& In, std::ostream& Out)
{
    const TWordsArguments Arguments = ParsedWordsArguments(AArgs);
    const TLexicon Lexicon(WordListFor(Arguments).Words());
    const TLetters Sentence = TallyOf(Arguments.Texts[0]);
    const TSentenceView View(Lexicon, Sentence);
    if (!Arguments.bEachLine) {
        const std::u16string_view Attempt =
            Arguments.Texts.size() > 1 ? std::u16string_view(Arguments.Texts[1]) : std::u16string_view();
        PrintWordsThatFit(View, Sentence, Attempt, Arguments.Limit, Out);
        return;
    }
    std::string Line;
    while (std::getline(In, Line)) {
        if (Line.ends_with('\r'))
            Line.pop_back();
        const std::optional<std::u16string> Attempt = Utf8ToUtf16(Line);
        if (!Attempt)
            throw EUsage("a line of standard input is not valid UTF-8");
        PrintWordsThatFit(View, Sentence, *Attempt, Arguments.Limit, Out);
    }
}

} // namespace

int RunCli(const std::vector<std::string>& AArgs, std::istream& In, std::ostream& Out,
           std::ostream& Err)
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
        else if (Command == "show")
            Show(AArgs, Out);
        else if (Command == "new")
            New(AArgs);
        else if (Command == "convert")
            Convert(AArgs);
        else if (Command == "words")
            Words(AArgs, In, Out);
        else
            throw EUsage("unknown command '" + Command + "'");
        return ExitSuccess;
    } catch (const EUsage& Error) {
        Err << "verbanto-cli: " << Error.what() << "\nTry 'verbanto-cli --help'.\n";
        return ExitUsage;
    } catch (const EFileError& Error) {
        Err << "verbanto-cli: " << Error.what() << '\n';
        return ExitFileError;
    } catch (const std::bad_alloc&) {
        Err << "verbanto-cli: out of memory\n";
        return ExitFileError;
    }
}
