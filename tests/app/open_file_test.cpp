// Opening a language file, as the translator does it: Ctrl+O and the open dialog, a file
// dropped on the window, the path given at start; and every file that must be refused.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <random>

#include "app/command_line.h"
#include "framework/graphics/codepage.h"
#include "langfile/catalogue.h"
#include "tests/support/editor_fixture.h"

namespace {

// Everything opening may change, to compare before and after a refusal.
struct WindowState {
    std::map<std::string, std::string> Fields;
    std::vector<std::string> Lines;
    std::string SavePath;
    TVtTabSheet* Page = nullptr;
    std::string Caption;
    bool SaveEnabled = false;
    friend bool operator==(const WindowState&, const WindowState&) = default;
};

class OpenFile : public Editor {
protected:
    WindowState State() {
        WindowState s;
        for (const langfile::PhraseEntry& e : langfile::Phrases())
            s.Fields[std::string(e.field)] = Field(e.field)->Text();
        s.Fields["comment"] = Field(langfile::kCommentField)->Text();
        s.Lines = EditorLines();
        s.SavePath = Form1->SavePHP->FileName();
        s.Page = Form1->VtPageControl1->ActivePage();
        s.Caption = Form1->btnCreate->Caption();
        s.SaveEnabled = Form1->btnSave->Enabled();
        return s;
    }
    void SetFields(const langfile::PhraseTexts& texts, const std::string& comment) {
        for (const auto& [field, text] : texts) Field(field)->SetText(text);
        Field(langfile::kCommentField)->SetText(comment);
    }
    // Ctrl+O with the open dialog answering path.
    void OpenThroughTheDialog(const fs::path& path) {
        Desk->AnswerOpenDialog(std::optional<std::string>(path.string()));
        Stroke('O', TShiftState{ssCtrl});
    }
    fs::path WriteLanguageFile(const std::string& name, const langfile::PhraseTexts& texts,
                               const std::string& comment) {
        const fs::path path = Dir / name;
        WriteFile(path, langfile::ByteForm(langfile::BuildLanguageFile(texts, comment)));
        return path;
    }
    std::string LastMessage() { return Desk->MessageBoxes().empty() ? "" : Desk->MessageBoxes().back().Text; }
    // Opens path and expects the refusal text, with nothing in the window changed.
    void ExpectRefused(const fs::path& path, const std::string& message) {
        const WindowState before = State();
        Desk->ClearMessageBoxes();
        OpenThroughTheDialog(path);
        ASSERT_EQ(Desk->MessageBoxes().size(), 1u) << path;
        EXPECT_EQ(Desk->MessageBoxes()[0].Caption, "Verbolt Editor v1.0");
        EXPECT_EQ(Desk->MessageBoxes()[0].Icon, miError);
        EXPECT_EQ(LastMessage(), message);
        EXPECT_TRUE(State() == before) << path;
    }
};

// "přeložil JJ" in code page 1250.
const std::string kComment =
    "p\xF8"
    "elo\xBE"
    "il JJ";

langfile::PhraseTexts TranslatedTexts() {
    langfile::PhraseTexts texts = langfile::DefaultPhraseTexts();
    texts["edAuthor"] = "Jana \"JJ\" Nov\xE1kov\xE1";
    texts["edSvname"] = "N\xE1zev serveru";
    texts["edKillcam1"] = "Kamera $1 \\ ?>";
    return texts;
}

}  // namespace

TEST_F(OpenFile, CtrlOOpensTheFileAndLeavesTheWindowAsCreateDoes) {
    const langfile::PhraseTexts texts = TranslatedTexts();
    const fs::path path = WriteLanguageFile("cs.php", texts, kComment);
    OpenThroughTheDialog(path);

    ASSERT_EQ(Desk->OpenDialogs().size(), 1u);
    EXPECT_EQ(Desk->OpenDialogs()[0].Title, "Open Language File");
    EXPECT_EQ(Desk->OpenDialogs()[0].Filter, "PHP files|*.php|All files|*");
    EXPECT_EQ(Desk->OpenDialogs()[0].InitialDir, "");  // nothing opened or saved yet
    EXPECT_TRUE(Desk->MessageBoxes().empty());
    for (const auto& [field, text] : texts) EXPECT_EQ(Field(field)->Text(), text) << field;
    EXPECT_EQ(Field("edComment")->Text(), kComment);
    EXPECT_EQ(EditorLines(), langfile::BuildLanguageFile(texts, kComment));
    EXPECT_EQ(Form1->VtPageControl1->ActivePage(), Form1->TabSheet6);
    EXPECT_EQ(Form1->btnCreate->Caption(), "ReCreate");
    EXPECT_TRUE(Form1->btnSave->Enabled());
    EXPECT_EQ(Form1->SavePHP->FileName(), path.string());

    // Save File, and the dialog confirmed as it stands, replaces the opened file.
    const std::string bytes = ReadFile(path);
    WriteFile(path, "overwritten");
    Desk->AnswerSaveDialog([](const TSaveDialogRequest& r) { return std::optional<std::string>(r.FileName); });
    Click(Form1->btnSave);
    EXPECT_EQ(Desk->SaveDialogs().back().FileName, path.string());
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(OpenFile, TheOpenDialogStartsInTheFolderOfTheLastFileOpenedOrSaved) {
    fs::create_directories(Dir / "saved");
    fs::create_directories(Dir / "opened");
    Click(Form1->btnCreate);
    Desk->AnswerSaveDialog(std::optional<std::string>((Dir / "saved" / "a.php").string()));
    Click(Form1->btnSave);
    Desk->AnswerOpenDialog(std::optional<std::string>());  // cancelled: nothing changes
    const WindowState before = State();
    Stroke('O', TShiftState{ssCtrl});
    EXPECT_EQ(Desk->OpenDialogs().back().InitialDir, (Dir / "saved").string() + "/");
    EXPECT_TRUE(State() == before);

    OpenThroughTheDialog(WriteLanguageFile("opened/b.php", TranslatedTexts(), ""));
    Desk->AnswerOpenDialog(std::optional<std::string>());
    Stroke('O', TShiftState{ssCtrl});
    EXPECT_EQ(Desk->OpenDialogs().back().InitialDir, (Dir / "opened").string() + "/");
}

TEST_F(OpenFile, CtrlOWorksWhileAPhraseFieldHasTheFocusAndTypesNothing) {
    Field("edSvname")->SetFocus();
    App->ProcessMessages();
    OpenThroughTheDialog(WriteLanguageFile("x.php", TranslatedTexts(), ""));
    EXPECT_EQ(Field("edSvname")->Text(), "N\xE1zev serveru");
    EXPECT_EQ(Desk->Beeps(), 0);
}

TEST_F(OpenFile, ADropOfSeveralFilesOpensTheFirst) {
    langfile::PhraseTexts second = TranslatedTexts();
    second["edAuthor"] = "second";
    const fs::path first = WriteLanguageFile("first.php", TranslatedTexts(), "");
    const fs::path other = WriteLanguageFile("second.php", second, "");
    Desk->DropFiles(Form1->WindowId(), {first.string(), other.string()});
    App->ProcessMessages();
    EXPECT_EQ(Field("edAuthor")->Text(), TranslatedTexts()["edAuthor"]);
    EXPECT_EQ(Form1->SavePHP->FileName(), first.string());
}

TEST_F(OpenFile, FilesThatCannotBeOpenedAreRefusedInWords) {
    Field("edSvname")->SetText("typed before");
    ExpectRefused(Dir / "missing.php",
                  "Cannot open file \"" + (Dir / "missing.php").string() + "\". No such file or directory.");
    ExpectRefused(Dir, "Cannot open file \"" + Dir.string() + "\". Is a directory.");
    const fs::path fifo = Dir / "pipe.php";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ExpectRefused(fifo, "Cannot open file \"" + fifo.string() + "\". It is not a regular file.");

    // Larger than 1 MB: refused before it is read, even when it starts as a language file.
    const fs::path big = Dir / "big.php";
    std::string bytes = langfile::ByteForm(langfile::BuildLanguageFile(TranslatedTexts(), ""));
    bytes.resize(kMaxLanguageFileBytes + 1, ' ');
    WriteFile(big, bytes);
    ExpectRefused(big, "Cannot open file \"" + big.string() + "\". The file is larger than 1 MB.");
    // Exactly 1 MB is still read.
    bytes.resize(kMaxLanguageFileBytes);
    WriteFile(big, bytes);
    OpenThroughTheDialog(big);
    EXPECT_EQ(Field("edSvname")->Text(), "N\xE1zev serveru");
}

TEST_F(OpenFile, ANonAsciiPathIsNamedInTheCodePageOfTheMessage) {
    SetAnsiCodePage(1250);
    // "čeština.php" as the file system spells it (UTF-8); the message is in code page 1250.
    const fs::path missing = Dir /
                             "\xC4\x8D"
                             "e\xC5\xA1tina.php";
    ExpectRefused(missing, "Cannot open file \"" + Dir.string() +
                               "/\xE8"
                               "e\x9A"
                               "tina.php\". No such file or directory.");
    SetAnsiCodePage(0);
}

TEST_F(OpenFile, FilesThatAreNoLanguageFileAreRefusedInWords) {
    const fs::path text = Dir / "notes.php";
    WriteFile(text, "<?php\necho \"hello\";\n$name = \"x\";\n?>\n");
    ExpectRefused(text, "\"" + text.string() + "\" is not a Korvane System 4 language file.");
    const fs::path junk = Dir / "junk.bin";
    std::mt19937 random(99);
    std::string bytes(20000, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    WriteFile(junk, bytes);
    ExpectRefused(junk, "\"" + junk.string() + "\" is not a Korvane System 4 language file.");
    const fs::path empty = Dir / "empty.php";
    WriteFile(empty, "");
    ExpectRefused(empty, "\"" + empty.string() + "\" is not a Korvane System 4 language file.");
}

TEST_F(OpenFile, AFileTheUserMayNotReadIsRefused) {
    const fs::path path = WriteLanguageFile("secret.php", TranslatedTexts(), "");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    const WindowState before = State();
    const std::string expected = "Cannot open file \"" + path.string() + "\". Permission denied.";
    // The superuser reads anything; the refusal is checked in a child that is nobody.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        Desk->ClearMessageBoxes();
        App->Guard([&] { Form1->OpenLanguageFile(path.string()); });
        const bool refused = Desk->MessageBoxes().size() == 1 && LastMessage() == expected;
        _exit(!refused ? 1 : State() == before ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong or no message, 2: the window changed, 3: could not become nobody";
}

TEST_F(OpenFile, PhrasesMissingFromTheFileKeepTheirTextAndAreCounted) {
    Field("edSvname")->SetText("kept");
    Field("edSvIP")->SetText("kept too");
    Field("edComment")->SetText("old comment");
    std::string bytes = langfile::ByteForm(langfile::BuildLanguageFile(TranslatedTexts(), ""));
    auto drop = [&bytes](const std::string& variable) {
        const std::size_t at = bytes.find("\n" + variable + " ");
        bytes.erase(at + 1, bytes.find('\n', at + 1) - at);
    };
    drop("$svname");
    drop("$svip");
    const fs::path path = Dir / "partial.php";
    WriteFile(path, bytes);
    OpenThroughTheDialog(path);
    ASSERT_EQ(Desk->MessageBoxes().size(), 1u);
    EXPECT_EQ(LastMessage(), "2 phrases were not in the file and keep their current text.");
    EXPECT_EQ(Desk->MessageBoxes()[0].Caption, "Verbolt Editor v1.0");
    EXPECT_EQ(Field("edSvname")->Text(), "kept");
    EXPECT_EQ(Field("edSvIP")->Text(), "kept too");
    EXPECT_EQ(Field("edAuthor")->Text(), TranslatedTexts()["edAuthor"]);
    EXPECT_EQ(Field("edComment")->Text(), "");  // the file has no comment line
    EXPECT_EQ(Form1->btnCreate->Caption(), "ReCreate");

    drop("$language_author");
    WriteFile(path, bytes);
    OpenThroughTheDialog(path);
    EXPECT_EQ(LastMessage(), "3 phrases were not in the file and keep their current text.");
    const std::string one = "$svname = \"x\";\n";
    WriteFile(path, one);
    OpenThroughTheDialog(path);
    EXPECT_EQ(LastMessage(), "54 phrases were not in the file and keep their current text.");
    std::string all = langfile::ByteForm(langfile::BuildLanguageFile(TranslatedTexts(), ""));
    WriteFile(path, all.erase(all.find("$voice_off"), std::string("$voice_off").size()));
    OpenThroughTheDialog(path);
    EXPECT_EQ(LastMessage(), "1 phrase was not in the file and keeps its current text.");
}

TEST_F(OpenFile, SaveOpenAndCreateAgainRoundTripInEveryCodePage) {
    std::mt19937 random(1251);
    auto randomText = [&random] {
        std::string s(std::uniform_int_distribution<int>(0, 60)(random), ' ');
        for (char& c : s) do
                c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
            while (c == '\r' || c == '\n');
        return s;
    };
    for (int codePage : {1250, 1251, 1252, 1253, 1254, 1257}) {
        SetAnsiCodePage(codePage);
        langfile::PhraseTexts texts;
        for (const langfile::PhraseEntry& e : langfile::Phrases()) texts[std::string(e.field)] = randomText();
        // "* /" reads back as "*/", the form a typed "*/" is stored in.
        std::string comment = randomText();
        for (std::size_t at; (at = comment.find("* /")) != std::string::npos;) comment.erase(at + 1, 1);
        SetFields(texts, comment);
        Click(Form1->btnCreate);
        const fs::path path = Dir / ("cp" + std::to_string(codePage) + ".php");
        Desk->AnswerSaveDialog(std::optional<std::string>(path.string()));
        Click(Form1->btnSave);
        const std::string saved = ReadFile(path);

        for (const langfile::PhraseEntry& e : langfile::Phrases()) Field(e.field)->SetText("scribbled over");
        OpenThroughTheDialog(path);
        for (const auto& [field, text] : texts) ASSERT_EQ(Field(field)->Text(), text) << codePage << " " << field;
        EXPECT_EQ(Field("edComment")->Text(), comment);
        Desk->AnswerSaveDialog([](const TSaveDialogRequest& r) { return std::optional<std::string>(r.FileName); });
        Click(Form1->btnSave);
        EXPECT_EQ(ReadFile(path), saved) << codePage;
    }
    SetAnsiCodePage(0);
    EXPECT_TRUE(Desk->MessageBoxes().empty());
}

TEST(EditorCommandLine, TheCodePageMustBeOneTheFileCanBeWrittenIn) {
    EditorStart start;
    std::string error;
    TCommandLine line;
    line.Values["codepage"] = "1251";
    line.Arguments = {"ru.php"};
    ASSERT_TRUE(InterpretEditorCommandLine(line, start, error));
    EXPECT_EQ(start.CodePage, 1251);
    EXPECT_EQ(start.File, "ru.php");
    for (const char* bad : {"1255", "65001", "12510", "1251x", "", "-1251", " 1251"}) {
        line.Values["codepage"] = bad;
        EXPECT_FALSE(InterpretEditorCommandLine(line, start, error)) << bad;
        EXPECT_EQ(error,
                  std::string("unsupported code page \"") + bad + "\" (use 1250, 1251, 1252, 1253, 1254 or 1257)");
    }
    EXPECT_TRUE(InterpretEditorCommandLine(TCommandLine{}, start, error));
    EXPECT_EQ(start.CodePage, 0);
    EXPECT_EQ(start.File, "");
}
