// Building the default language file and its byte form, as the Create and Save actions do.
#include <benchmark/benchmark.h>

#include "langfile/language_file.h"
#include "langfile/language_file_reader.h"

static void BM_BuildDefaultFile(benchmark::State& state) {
    const auto texts = langfile::DefaultPhraseTexts();
    for (auto _ : state) {
        auto lines = langfile::BuildLanguageFile(texts, "");
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_BuildDefaultFile);

static void BM_BuildDefaultFileAndBytes(benchmark::State& state) {
    const auto texts = langfile::DefaultPhraseTexts();
    for (auto _ : state) {
        std::string bytes = langfile::ByteForm(langfile::BuildLanguageFile(texts, "comment"));
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_BuildDefaultFileAndBytes);

// Reading the default file back, as opening it does before the fields take its texts.
static void BM_ReadDefaultFile(benchmark::State& state) {
    const std::string bytes =
        langfile::ByteForm(langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), "comment"));
    for (auto _ : state) {
        auto read = langfile::ReadLanguageFile(bytes);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ReadDefaultFile);
