// The editor as its user meets it, on the headless desktop: the real Form1 from its built-in
// description, real clicks on its buttons, the real save dialog answered by script.
#include <stdlib.h>

#include <filesystem>
#include <thread>

#include "controls/vt_status.h"
#include "framework/core/file_bytes.h"
#include "framework/core/streaming.h"
#include "framework/graphics/font.h"
#include "framework/graphics/realised_font.h"
#include "tests/support/editor_fixture.h"

TEST_F(Editor, StartsFreshOnTheFirstPageWithSaveDisabled) {
    EXPECT_EQ(Form1->btnCreate->Caption(), "Create");
    EXPECT_TRUE(Form1->btnCreate->Enabled());
    EXPECT_TRUE(Form1->btnRecreate->Enabled());
    EXPECT_TRUE(Form1->btnExit->Enabled());
    EXPECT_FALSE(Form1->btnSave->Enabled());
    EXPECT_EQ(Form1->VtPageControl1->ActivePage(), Form1->TabSheet1);
    EXPECT_EQ(EditorLines(),
              (std::vector<std::string>{"Verbolt Editor v1.0", "Fill all spaces in all tab pages and click create."}));
    EXPECT_EQ(Field("edSvoff1")->Text(), langfile::DefaultPhraseTexts()["edSvoff1"]);
    EXPECT_EQ(Field("edComment")->Text(), "");
    EXPECT_EQ(Desk->FindWindow(Form1->WindowId())->Params.Title, "Verbolt Editor v1.0 | For Korvane System 4");
}

TEST_F(Editor, CreateWritesTheFileShowsItAndEnablesSave) {
    Click(Form1->btnCreate);
    EXPECT_EQ(EditorLines(), langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), ""));
    EXPECT_EQ(Form1->VtPageControl1->ActivePage(), Form1->TabSheet6);
    EXPECT_EQ(Form1->btnCreate->Caption(), "ReCreate");
    EXPECT_TRUE(Form1->btnSave->Enabled());

    // An edited field and a comment reach the next Create; the caption stays.
    Field("edSvname")->SetText("Nom \"du\" serveur");
    Field("edComment")->SetText("x");
    Click(Form1->btnCreate);
    auto texts = langfile::DefaultPhraseTexts();
    texts["edSvname"] = "Nom \"du\" serveur";
    EXPECT_EQ(EditorLines(), langfile::BuildLanguageFile(texts, "x"));
    EXPECT_EQ(Form1->btnCreate->Caption(), "ReCreate");
}

TEST_F(Editor, SaveWritesWhatTheLastCreateMadeAndAddsTheExtension) {
    Click(Form1->btnCreate);
    Field("edAuthor")->SetText("edited after Create");
    Desk->AnswerSaveDialog(std::optional<std::string>((Dir / "mine").string()));
    Click(Form1->btnSave);
    ASSERT_EQ(Desk->SaveDialogs().size(), 1u);
    EXPECT_EQ(Desk->SaveDialogs()[0].FileName, "kv4_lang.php");
    EXPECT_EQ(Desk->SaveDialogs()[0].DefaultExt, "php");
    EXPECT_EQ(ReadFile(Dir / "mine.php"),
              langfile::ByteForm(langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), "")));
    EXPECT_TRUE(Desk->MessageBoxes().empty());
    EXPECT_EQ(Form1->VtPageControl1->ActivePage(), Form1->TabSheet6);

    // The next save starts from the chosen path; cancelling writes nothing.
    Desk->AnswerSaveDialog(std::optional<std::string>());
    Click(Form1->btnSave);
    EXPECT_EQ(Desk->SaveDialogs()[1].FileName, (Dir / "mine.php").string());
}

TEST_F(Editor, ClearFileBeforeAnyCreateKeepsSaveDisabled) {
    Click(Form1->btnRecreate);
    EXPECT_EQ(EditorLines(), (std::vector<std::string>{"Clear?"}));
    EXPECT_EQ(Form1->VtPageControl1->ActivePage(), Form1->TabSheet6);
    EXPECT_EQ(Form1->btnCreate->Caption(), "Create");
    EXPECT_FALSE(Form1->btnSave->Enabled());
}

TEST_F(Editor, ClearAfterCreateThenSaveWritesTheClearLine) {
    Click(Form1->btnCreate);
    Click(Form1->btnRecreate);
    Desk->AnswerSaveDialog(std::optional<std::string>((Dir / "clear.php").string()));
    Click(Form1->btnSave);
    EXPECT_EQ(ReadFile(Dir / "clear.php"), "Clear?\r\n");
    EXPECT_EQ(Form1->btnCreate->Caption(), "ReCreate");
}

TEST_F(Editor, ASaveThatFailsIsShownWithTheTitleAndChangesNothing) {
    Click(Form1->btnCreate);
    const fs::path missing = Dir / "no such folder" / "kv4_lang.php";
    Desk->AnswerSaveDialog(std::optional<std::string>(missing.string()));
    Click(Form1->btnSave);
    ASSERT_EQ(Desk->MessageBoxes().size(), 1u);
    EXPECT_EQ(Desk->MessageBoxes()[0].Caption, "Verbolt Editor v1.0");
    EXPECT_EQ(Desk->MessageBoxes()[0].Text,
              "Cannot create file \"" + missing.string() + "\". No such file or directory.");
    EXPECT_EQ(Desk->MessageBoxes()[0].Icon, miError);
    EXPECT_EQ(EditorLines(), langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), ""));
    EXPECT_EQ(Form1->SavePHP->FileName(), missing.string());
}

TEST_F(Editor, ExitLeavesQuitProgramAndEndsTheLoop) {
    Click(Form1->btnExit);
    EXPECT_EQ(EditorLines(), (std::vector<std::string>{"Quit Program"}));
    EXPECT_TRUE(App->Terminated());
}

TEST_F(Editor, TheTopLevelTabSequencePassesOverTheDisabledSaveButton) {
    Form1->btnCreate->SetFocus();
    App->ProcessMessages();
    Stroke(VK_TAB);
    EXPECT_EQ(Form1->ActiveControl(), Form1->btnRecreate);
    Stroke(VK_TAB);
    EXPECT_EQ(Form1->ActiveControl(), Form1->btnExit);
}

namespace {

// Shows the window and returns the pixels of each of its pages, shown in turn.
std::vector<std::vector<TPixel>> ShownPages(HeadlessSession<TForm1>& session) {
    session.Form->Show();
    session.Settle();
    std::vector<std::vector<TPixel>> pages;
    for (int page = 0; page < session.Form->VtPageControl1->PageCount(); ++page) {
        session.Form->VtPageControl1->SetActivePageIndex(page);
        session.Settle();
        const TBitmap* screen = session.Desk->Screen(session.Window());
        std::vector<TPixel> pixels;
        for (int y = 0; y < screen->Height(); ++y)
            pixels.insert(pixels.end(), screen->ScanLine(y), screen->ScanLine(y) + screen->Width());
        pages.push_back(std::move(pixels));
    }
    return pages;
}

}  // namespace

// As the program starts: on another thread, while the desktop connects, the description is
// read and its faces opened, and the window is made from it before any desktop exists (its
// clock on the C library's time and the default formats); the application then takes it.
// Prepared only, or read ahead whole, it is the window read at once, pixel for pixel on every
// page, and the next window reads its description itself again.
TEST(EditorStart, AWindowPreparedOrReadAheadIsTheWindowReadAtOnce) {
    enum How { atOnce, prepared, readAhead };
    auto pictures = [](How how) {
        HeadlessSession<TForm1> session;
        if (how == readAhead) {
            std::unique_ptr<TForm1> form;
            std::thread([&form] { form = ReadEditorFormAhead(); }).join();
            if (!form) return std::vector<std::vector<TPixel>>{};
            session.Start(std::move(form), "Verbolt Editor v1.0");
        } else {
            if (how == prepared) std::thread(PrepareEditorForm).join();
            session.Start("Verbolt Editor v1.0");
        }
        return ShownPages(session);
    };
    const auto once = pictures(atOnce);
    ASSERT_EQ(once.size(), 6u);
    EXPECT_TRUE(pictures(prepared) == once);
    EXPECT_TRUE(pictures(atOnce) == once);
    EXPECT_TRUE(pictures(readAhead) == once);
}

// The window is read from its description parsed when the program was built: those bytes
// are the parse of the description in the source, not of an older one.
TEST(EditorStart, TheBuiltInTreeIsTheParseOfTheDescriptionInTheSource) {
    const std::string text = ReadFileBytes(VERBOLT_TEST_DATA_DIR "/../../app/editor_form.vdf", 1 << 20);
    EXPECT_EQ(ParsedDescriptionBytes(EditorFormDescription()), ParsedDescriptionBytes(ParseComponentText(text)));
}

// What reading ahead rasterises covers the first picture: showing the window paints its first
// page without rasterising a glyph on the window's thread (a turned label's glyphs at their
// quarter-pixel phases, the clock's moment included).
TEST(EditorStart, TheFirstPictureFindsItsGlyphsRasterisedAhead) {
    HeadlessSession<TForm1> session;
    std::unique_ptr<TForm1> form;
    std::thread([&form] { form = ReadEditorFormAhead(); }).join();
    ASSERT_TRUE(form);
    const std::size_t ahead = GlyphsRasterised();
    session.Start(std::move(form), "Verbolt Editor v1.0");
    // A desktop whose date names the month, as many do ("9 Dec 2026").
    session.Desk->SetLocaleFormats({"d mmm yyyy", ' ', ':', true, false, false, "am", "pm"});
    session.Form->Perform(CM_WININICHANGE);
    session.Form->Show();
    session.Settle();
    auto* clock = dynamic_cast<TVtClockStatus*>(session.Form->FindComponent("VtClockStatus1"));
    ASSERT_NE(clock, nullptr);
    EXPECT_NE(clock->Text().find(" 20"), std::string::npos) << clock->Text();
    EXPECT_EQ(GlyphsRasterised(), ahead);
}
// A start that finds the fonts the last start kept reads its window and shows every page
// without rasterising a glyph (the turned labels' included, which it does not paint ahead),
// and the pages are those of the start that realised the fonts itself.
TEST(EditorStart, TheNextStartRasterisesNothingAndShowsTheSamePages) {
    char dir[] = "/tmp/verbolt-kept-fonts-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string file = std::string(dir) + "/fonts";
    auto start = [&file](std::size_t& rasterised) {
        ForgetRealisedFonts();
        SetFontCacheFile(file);
        const std::size_t before = GlyphsRasterised();
        HeadlessSession<TForm1> session;
        std::unique_ptr<TForm1> form;
        std::thread([&form] { form = ReadEditorFormAhead(); }).join();
        if (!form) return std::vector<std::vector<TPixel>>{};
        session.Start(std::move(form), "Verbolt Editor v1.0");
        auto pages = ShownPages(session);
        rasterised = GlyphsRasterised() - before;
        EXPECT_TRUE(SaveRealisedFonts());
        return pages;
    };
    std::size_t first = 0, second = 0;
    const auto pages = start(first);
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_GT(first, 0u);
    EXPECT_TRUE(start(second) == pages);
    EXPECT_EQ(second, 0u);
    SetFontCacheFile("");
    ForgetRealisedFonts();
    std::filesystem::remove_all(dir);
}
