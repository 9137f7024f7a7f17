// The language-file reader: any bytes give texts or nothing, never a read outside the input;
// and whatever it reads, writing those texts and reading them again gives the same texts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "langfile/catalogue.h"
#include "langfile/language_file.h"
#include "langfile/language_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const langfile::ReadLanguageFileResult read = langfile::ReadLanguageFile(bytes);
    if (read.texts.size() + read.missingFields.size() != langfile::kPhraseCount) __builtin_trap();
    // Fill what is missing and write it: what the writer writes reads back as written.
    langfile::PhraseTexts texts = langfile::DefaultPhraseTexts();
    for (const auto& [field, text] : read.texts) texts[field] = text;
    // A text comes from one line: it never holds a line feed.
    for (const auto& [field, text] : texts)
        if (text.find('\n') != std::string::npos) __builtin_trap();
    const std::string file = langfile::ByteForm(langfile::BuildLanguageFile(texts, read.comment));
    const langfile::ReadLanguageFileResult again = langfile::ReadLanguageFile(file);
    if (again.texts != texts || !again.missingFields.empty()) __builtin_trap();
    if (again.comment != langfile::DecodePhpCommentBody(langfile::PhpCommentBody(read.comment))) __builtin_trap();
    return 0;
}
