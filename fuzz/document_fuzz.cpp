// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the document reader, through a real file as the
// program reads them.
#include "anagramengine.h"
#include "fileerror.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string InputPath()
{
    std::string Template = "/tmp/verbanto-fuzz-XXXXXX";
    const int Fd = mkstemp(Template.data());
    if (Fd < 0)
        std::abort();
    close(Fd);
    return Template;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize)
{
    static const std::string Path = InputPath();
    std::FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File || std::fwrite(AData, 1, ASize, File) != ASize || std::fclose(File) != 0)
        std::abort();

    TAnagramEngine Engine;
    int Attempts = 0;
    Engine.OnAnagramChanged = [&](TAnagramEngine&, TAnagram&, int32_t) { ++Attempts; };
    try {
        Engine.Load(Path);
        if (Engine.AnagramsCount() < 1 || Attempts != Engine.AnagramsCount() || Engine.Changed())
            std::abort();
        for (char16_t P = u'A'; P <= u'Z'; ++P)
            Engine.GetLetters(Engine.GetLetterAtPosition(P));
    } catch (const EFileError&) {
        if (Engine.AnagramsCount() != 1 || Engine.Changed())
            std::abort();
    }
    return 0;
}
