// The language file as the Korvane site really reads it: PHP must parse it, and every
// variable must hold exactly the bytes the user typed, however hostile they are.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "langfile/catalogue.h"
#include "langfile/language_file.h"

using namespace langfile;
namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status;
    std::string output;
};

CommandResult RunCommand(const std::string& command) {
    CommandResult r{-1, {}};
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (p == nullptr) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.output.append(buf, n);
    int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Hex(const std::string& s) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "verbolt-php-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    fs::path path() const { return path_; }

private:
    fs::path path_;
};

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Writes the file and a checker that compares each variable with its expected hex value.
CommandResult CheckWithPhp(const PhraseTexts& texts, const std::string& comment) {
    TempDir dir;
    const fs::path langFile = dir.path() / "kv4_lang.php";
    WriteBytes(langFile, ByteForm(BuildLanguageFile(texts, comment)));

    CommandResult lint = RunCommand("php -n -l '" + langFile.string() + "'");
    if (lint.status != 0) return {lint.status, "php -l: " + lint.output};

    // Later assignments win, so the Killcam 1 phrase overrides popup P8's "sv_killcam".
    std::map<std::string, std::string> expected;
    for (const PopupEntry& p : Popups()) expected[std::string(p.variable.substr(1))] = std::string(p.value);
    for (const PhraseEntry& e : Phrases()) expected[std::string(e.variable.substr(1))] = texts.find(e.field)->second;

    std::string checker = "<?php\nob_start();\ninclude '" + langFile.string() + "';\n";
    checker += "$printed = ob_get_clean();\n$bad = 0;\n";
    checker += "if ($printed !== '') { echo \"file printed output\\n\"; $bad++; }\n";
    for (const auto& [name, value] : expected) {
        checker += "if (!isset($" + name + ") || bin2hex($" + name + ") !== '" + Hex(value) + "') { echo \"" + name +
                   " differs\\n\"; $bad++; }\n";
    }
    checker += "exit($bad ? 1 : 0);\n";
    const fs::path checkFile = dir.path() / "check.php";
    WriteBytes(checkFile, checker);
    return RunCommand("php -n '" + checkFile.string() + "'");
}

}  // namespace

TEST(PhpClient, DefaultFileParsesAndHoldsTheDefaults) {
    CommandResult r = CheckWithPhp(DefaultPhraseTexts(), "");
    EXPECT_EQ(r.status, 0) << r.output;
}

TEST(PhpClient, HostileTextArrivesByteForByte) {
    const std::string hostile[] = {
        "say \"hi\"",
        "trailing backslash \\",
        "$x",
        "{${phpinfo()}}",
        "?> <?php echo 1;",
        "*/ /* // #",
        "\\n\\t\\x41\\101\\u{41}",
        "\"",
        "\\",
        "$",
        "",
        "  leading and trailing  ",
        "'single' \\' \\\"",
        "{$x}",
        "${x}",
        "<b>bold</b><br>",
    };
    PhraseTexts texts = DefaultPhraseTexts();
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    int i = 0;
    for (const PhraseEntry& e : Phrases()) {
        const std::size_t k = static_cast<std::size_t>(i++);
        texts[std::string(e.field)] =
            k < std::size(hostile) ? hostile[k] : (k % 2 ? high : hostile[k % std::size(hostile)] + high);
    }
    CommandResult r = CheckWithPhp(texts, "comment */ phpinfo(); /* and \\ \" $x");
    EXPECT_EQ(r.status, 0) << r.output;
}

TEST(PhpClient, CommentWithOnlyTheCloserStaysAComment) {
    CommandResult r = CheckWithPhp(DefaultPhraseTexts(), "*/");
    EXPECT_EQ(r.status, 0) << r.output;
}
