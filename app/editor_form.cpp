#include "app/editor_form.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/resources.h"
#include "controls/vt_button.h"
#include "controls/vt_classes.h"
#include "controls/vt_edit.h"
#include "controls/vt_label.h"
#include "controls/vt_pages.h"
#include "controls/vt_status.h"
#include "framework/core/datetime.h"
#include "framework/core/file_bytes.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/realised_font.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/dialogs.h"
#include "langfile/catalogue.h"
#include "langfile/language_file.h"
#include "langfile/language_file_reader.h"

TParsedDescription EditorFormDescription() { return ParsedDescriptionFromBytes(EmbeddedFile("editor_form.vdb")); }

namespace {

// What PrepareEditorForm read, taken by the next window made.
std::optional<TParsedDescription>& PreparedDescription() {
    static std::optional<TParsedDescription> prepared;
    return prepared;
}

// The font an object of the description is drawn in: its container's, unless it gives one
// of its own (a description then lists every line of it).
TFont FontOf(const TFont& container, const TParsedDescription::TLookup& value) {
    const TValue* name = value("Font.Name");
    const TValue* height = value("Font.Height");
    const TValue* size = value("Font.Size");
    const TValue* style = value("Font.Style");
    const TValue* charset = value("Font.Charset");
    const TValue* pitch = value("Font.Pitch");
    if (!name && !height && !size && !style && !charset && !pitch) return container;
    TFont font;
    if (name && name->Type == TValue::vtString) font.SetName(name->Text);
    if (height && height->Type == TValue::vtInteger) font.SetHeight(static_cast<int>(height->Integer));
    if (size && size->Type == TValue::vtInteger) font.SetSize(static_cast<int>(size->Integer));
    if (style && style->Type == TValue::vtSet) {
        TFontStyles styles;
        for (const std::string& item : style->Items)
            if (int64_t v = 0; FontStyleInfo().ValueOf(item, v)) styles.Include(static_cast<TFontStyle>(v));
        font.SetStyle(styles);
    }
    int64_t v = 0;
    if (charset && charset->Type == TValue::vtInteger) font.SetCharset(static_cast<TFontCharset>(charset->Integer));
    else if (charset && charset->Type == TValue::vtIdent && CharsetInfo().ValueOf(charset->Text, v))
        font.SetCharset(static_cast<TFontCharset>(v));
    if (pitch && pitch->Type == TValue::vtIdent && FontPitchInfo().ValueOf(pitch->Text, v))
        font.SetPitch(static_cast<TFontPitch>(v));
    return font;
}

// What the window measures and paints first in a font: the advances and glyphs of a text.
// Rasterised first: an upright glyph's advance comes with it.
void MeasureAndRasterise(const HFONT& handle, std::string_view text) {
    for (char c : text) {
        Realised(handle).Glyph(static_cast<uint8_t>(c));
        handle->CharAdvance(static_cast<uint8_t>(c));
    }
}

}  // namespace

void PrepareEditorForm() {
    // The classes the description names: the window finds them registered.
    RegisterControlSetClasses();
    try {
        TParsedDescription parsed = EditorFormDescription();
        // The fonts the window realises as it reads its description, with the advances and
        // glyphs of the texts shown in them (a turned label's are rasterised where its layout
        // places them, once the window is made: RasteriseWhatTheWindowPaints).
        std::vector<TFont> byDepth;
        std::vector<std::string_view> classes;
        parsed.VisitObjects([&](int depth, std::string_view className, const TParsedDescription::TLookup& value) {
            if (std::find(classes.begin(), classes.end(), className) == classes.end()) classes.push_back(className);
            if (depth == 0) {
                // The window's back buffer, white and touched here rather than on the window's thread.
                const TValue* width = value("ClientWidth");
                const TValue* height = value("ClientHeight");
                if (width && height && width->Type == TValue::vtInteger && height->Type == TValue::vtInteger)
                    TBitmap::PrepareWhitePixels(static_cast<int>(width->Integer), static_cast<int>(height->Integer));
            }
            TFont font = FontOf(depth > 0 ? byDepth[depth - 1] : TFont(), value);
            for (const char* path : {"Caption", "Text"})
                if (const TValue* text = value(path); text && text->Type == TValue::vtString)
                    MeasureAndRasterise(font.Handle(), text->Text);
            if (const TValue* lines = value("Lines.Strings"); lines && lines->Type == TValue::vtList)
                for (const std::string& line : lines->Items) MeasureAndRasterise(font.Handle(), line);
            byDepth.resize(depth + 1);
            byDepth[depth] = std::move(font);
        });
        // The property tables of those classes, indexed by name as the window will look them up.
        for (std::string_view name : classes)
            if (const TClassInfo* info = FindClass(name)) info->IndexProps();
        PreparedDescription() = std::move(parsed);
    } catch (const std::exception&) {
        // Nothing is prepared: the window reads the description and says what is wrong.
        PreparedDescription().reset();
    }
}

namespace {

// What the first picture paints that the description does not spell out, rasterised here
// rather than on the window's thread. A turned label's glyphs sit on quarter pixels, at the
// phases its layout gives them: the label is painted once into a scratch bitmap of its
// size (the phases are the same wherever it is painted, its place being whole pixels). The
// clock shows the moment formatted now, then other digits, and at noon the other half of the
// day; the desktop's date format may name today's month and day (their names are English).
// turnedLabels: whether the turned labels are painted for theirs.
void RasteriseWhatTheWindowPaints(TForm1& form, bool turnedLabels) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        if (auto* label = dynamic_cast<TVtLabel*>(c);
            label && label->Angle() != 0 && label->Width() > 0 && label->Height() > 0) {
            if (!turnedLabels) continue;
            TBitmap scratch(label->Width(), label->Height(), TBitmap::TUnfilled{});
            TCanvas canvas;
            canvas.Bind(&scratch, {0, 0}, Rect(0, 0, label->Width(), label->Height()));
            label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas));
            canvas.Unbind();
        } else if (auto* clock = dynamic_cast<TVtClockStatus*>(c)) {
            const TFormatSettings f = LocaleFormatSettings();
            const TDateTime now = Now();
            const int month = DecodeDateTime(now).Month - 1, day = DayOfWeek(now) - 1;
            // Short names are the long ones' first letters.
            MeasureAndRasterise(clock->Font()->Handle(), "0123456789" + clock->Text() + f.TimeAMString +
                                                             f.TimePMString + f.LongMonthNames[month] +
                                                             f.LongDayNames[day]);
        }
    }
}

}  // namespace

std::unique_ptr<TForm1> ReadEditorFormAhead() {
    const std::size_t rasterised = GlyphsRasterised();
    PrepareEditorForm();
    // Fonts kept from the last start with every glyph the description's texts need were
    // kept with the turned labels' glyphs too, which that start painted: they are not
    // painted again to find them.
    const bool allKept = GlyphsRasterised() == rasterised;
    std::unique_ptr<TForm1> form;
    try {
        form = std::make_unique<TForm1>(nullptr);
    } catch (const std::exception&) {
        return nullptr;
    }
    try {
        RasteriseWhatTheWindowPaints(*form, !allKept);
    } catch (const std::exception&) {
        // Only a head start: a paint that fails here fails again on the window, and is
        // reported there.
    }
    return form;
}

void TForm1::RegisterClassInfo() { RegisterClass<TForm1>("TForm1", "TForm"); }

template <class T>
T* TForm1::Find(const char* name) {
    T* c = dynamic_cast<T*>(FindComponent(name));
    // The description is built in; a missing control is a fault of the program itself.
    if (c == nullptr) throw std::logic_error(std::string("the window description has no ") + name);
    return c;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    FMethods.Add<TNotifyEvent>("FormCreate", this, &TForm1::FormCreate);
    FMethods.Add<TNotifyEvent>("btnCreateClick", this, &TForm1::btnCreateClick);
    FMethods.Add<TNotifyEvent>("btnRecreateClick", this, &TForm1::btnRecreateClick);
    FMethods.Add<TNotifyEvent>("btnSaveClick", this, &TForm1::btnSaveClick);
    FMethods.Add<TNotifyEvent>("btnExitClick", this, &TForm1::btnExitClick);
    // The description names classes of the framework, of the control set and the form's own.
    RegisterControlSetClasses();
    RegisterClassInfo();
    const std::string_view icon = EmbeddedFile("icon.bmp");
    Icon()->LoadFromBmp(reinterpret_cast<const uint8_t*>(icon.data()), icon.size());
    if (std::optional<TParsedDescription>& prepared = PreparedDescription()) {
        const TParsedDescription description = std::move(*prepared);
        prepared.reset();
        ReadComponent(this, description);
    } else {
        ReadComponent(this, EditorFormDescription());
    }
    btnCreate = Find<TVtButton>("btnCreate");
    btnSave = Find<TVtButton>("btnSave");
    btnRecreate = Find<TVtButton>("btnRecreate");
    btnExit = Find<TVtButton>("btnExit");
    VtPageControl1 = Find<TVtPageControl>("VtPageControl1");
    TabSheet1 = Find<TVtTabSheet>("TabSheet1");
    TabSheet6 = Find<TVtTabSheet>("TabSheet6");
    Editor = Find<TVtMemo>("Editor");
    SavePHP = Find<TSaveDialog>("SavePHP");
    PresentToAssistiveTools();
    FOpenDialog = std::make_unique<TOpenDialog>(nullptr);
    FOpenDialog->SetTitle("Open Language File");
    FOpenDialog->SetFilter("PHP files|*.php|All files|*");
    OnShortCut = [this](TObject* s, Word key, TShiftState shift, bool& handled) {
        FormShortCut(s, key, shift, handled);
    };
    OnDropFiles = [this](TObject* s, const std::vector<std::string>& files) { FormDropFiles(s, files); };
}

TForm1::~TForm1() = default;

void TForm1::PresentToAssistiveTools() {
    // Each field is named by the label the window shows for it, as the catalogue pairs them:
    // the label on the field's panel with that text (one label may serve a row of fields).
    auto nameBy = [this](std::string_view field, std::string_view label) {
        TVtEdit* edit = Find<TVtEdit>(std::string(field).c_str());
        TWinControl* panel = edit->Parent();
        for (int i = 0; i < panel->ControlCount(); ++i) {
            auto* l = dynamic_cast<TCustomLabel*>(panel->Controls(i));
            if (l && l->Caption() == label) {
                edit->SetAccessibleLabel(l);
                return;
            }
        }
        throw std::logic_error("the window description has no label \"" + std::string(label) + "\" for " +
                               std::string(field));
    };
    for (const langfile::PhraseEntry& e : langfile::Phrases()) nameBy(e.field, e.label);
    nameBy(langfile::kCommentField, langfile::kCommentLabel);
    for (const langfile::PopupEntry& p : langfile::Popups()) nameBy(p.referenceField, p.referenceLabel);
    // The title repeats the window's name; the pictures present nothing of themselves.
    Find<TControl>("VtLabel2")->SetAccessibleHidden(true);
}

void TForm1::FormCreate(TObject*) {
    btnCreate->SetEnabled(true);
    btnRecreate->SetEnabled(true);
    btnSave->SetEnabled(false);
    btnExit->SetEnabled(true);
    VtPageControl1->SetActivePage(TabSheet1);
}

void TForm1::btnCreateClick(TObject*) {
    Editor->Lines()->Clear();
    langfile::PhraseTexts texts;
    for (const langfile::PhraseEntry& e : langfile::Phrases())
        texts[std::string(e.field)] = Find<TVtEdit>(std::string(e.field).c_str())->Text();
    const std::string comment = Find<TVtEdit>(std::string(langfile::kCommentField).c_str())->Text();
    for (const std::string& line : langfile::BuildLanguageFile(texts, comment)) Editor->Lines()->Add(line);
    VtPageControl1->SetActivePage(TabSheet6);
    btnCreate->SetCaption("ReCreate");
    btnSave->SetEnabled(true);
}

void TForm1::btnRecreateClick(TObject*) {
    Editor->Lines()->Clear();
    Editor->Lines()->Add("Clear?");
    VtPageControl1->SetActivePage(TabSheet6);
}

void TForm1::btnSaveClick(TObject*) {
    if (SavePHP->Execute()) Editor->Lines()->SaveToFile(SavePHP->FileName());
}

void TForm1::btnExitClick(TObject*) {
    Editor->Lines()->Clear();
    Editor->Lines()->Add("Quit Program");
    Application->Terminate();
}

void TForm1::OpenLanguageFile(const std::string& path) {
    // Everything is read and checked before the first field changes, so a refused file
    // leaves the window exactly as it was.
    const std::string bytes = ReadFileBytes(path, kMaxLanguageFileBytes);
    const langfile::ReadLanguageFileResult file = langfile::ReadLanguageFile(bytes);
    if (file.recognisedLines == 0)
        throw Exception(
            Format("\"%s\" is not a Korvane System 4 language file.", DisplayFileName(ExpandFileName(path))));
    for (const auto& [field, text] : file.texts) Find<TVtEdit>(field.c_str())->SetText(text);
    Find<TVtEdit>(std::string(langfile::kCommentField).c_str())->SetText(file.comment);
    btnCreateClick(this);
    SavePHP->SetFileName(ExpandFileName(path));
    const std::size_t missing = file.missingFields.size();
    if (missing == 1) MessageBox("1 phrase was not in the file and keeps its current text.", {}, miWarning);
    else if (missing > 1)
        MessageBox(
            IntToStr(static_cast<int64_t>(missing)) + " phrases were not in the file and keep their current text.", {},
            miWarning);
}

void TForm1::ChooseLanguageFile() {
    // The folder of the last file opened or saved: both leave their path in the save dialog.
    const std::string last = SavePHP->FileName();
    FOpenDialog->SetInitialDir(last.find('/') != std::string::npos ? ExtractFilePath(last) : std::string());
    FOpenDialog->SetFileName({});
    if (FOpenDialog->Execute()) OpenLanguageFile(FOpenDialog->FileName());
}

void TForm1::FormShortCut(TObject*, Word key, TShiftState shift, bool& handled) {
    if (key == 'O' && shift.Contains(ssCtrl) && !shift.Contains(ssShift) && !shift.Contains(ssAlt)) {
        handled = true;
        ChooseLanguageFile();
    }
}

void TForm1::FormDropFiles(TObject*, const std::vector<std::string>& files) { OpenLanguageFile(files.front()); }
