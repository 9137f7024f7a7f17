// Writes the editor window's stored description (app/editor_form.vdf) from the phrase
// catalogue and the window's layout rules, so that the 55 phrase fields, their labels and
// defaults can never drift from the catalogue. Field labels are sized to their text and end
// at a fixed x per panel; their Left is measured here with the very font the window uses.
//
// Usage: make-window-description PICTURES-DIR OUTPUT.vdf   (`make window-description`)
//
// Sections: output helpers · measuring · the pieces · the window · main
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "langfile/catalogue.h"

namespace {

// ---------------------------------------------------------------- output helpers

std::ostringstream out;
int depth = 0;

void Line(const std::string& s) { out << std::string(depth * 2, ' ') << s << "\n"; }
void Begin(const std::string& name, const std::string& cls) {
    Line("object " + name + ": " + cls);
    ++depth;
}
void End() {
    --depth;
    Line("end");
}
std::string Quote(std::string_view s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}
void Prop(const std::string& name, const std::string& value) { Line(name + " = " + value); }
void Prop(const std::string& name, int value) { Prop(name, std::to_string(value)); }
void Bounds(int l, int t, int w, int h) {
    Prop("Left", l);
    Prop("Top", t);
    Prop("Width", w);
    Prop("Height", h);
}
void Font(const std::string& name, int height, const std::string& color, const std::string& style) {
    Prop("Font.Charset", "DEFAULT_CHARSET");
    Prop("Font.Color", color);
    Prop("Font.Height", height);
    Prop("Font.Name", Quote(name));
    Prop("Font.Style", "[" + style + "]");
    Prop("ParentFont", "False");
}

// A picture as stored: a length byte, the class name, then the BMP file, in hex rows.
void Picture(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make-window-description: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::string bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string data = std::string(1, '\x07') + "TBitmap" + bmp;
    Line("Picture.Data = {");
    ++depth;
    static const char* hex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < data.size(); i += 32) {
        std::string row;
        for (std::size_t j = i; j < data.size() && j < i + 32; ++j) {
            row += hex[static_cast<unsigned char>(data[j]) >> 4];
            row += hex[static_cast<unsigned char>(data[j]) & 15];
        }
        if (i + 32 >= data.size()) row += "}";
        Line(row);
    }
    --depth;
}

// ---------------------------------------------------------------- measuring

int BoldLabelWidth(std::string_view text) {
    static TBitmap scratch(1, 1);
    TCanvas* c = scratch.Canvas();
    c->Font()->SetName("Tahoma");
    c->Font()->SetHeight(-11);
    c->Font()->SetStyle({fsBold});
    return c->TextWidth(text);
}

// ---------------------------------------------------------------- the pieces

int labelCount = 0;

// A field label: one line, bold clInfoBk, sized to its text, text ending at endX, its top
// three pixels below the field's.
void FieldLabel(std::string_view caption, int endX, int fieldTop) {
    const int w = BoldLabelWidth(caption);
    Begin("VtLabel" + std::to_string(100 + ++labelCount), "TVtLabel");
    Bounds(endX - w, fieldTop + 3, w, 13);
    Prop("Caption", Quote(caption));
    Font("Tahoma", -11, "clInfoBk", "fsBold");
    End();
}

void OrLabel(int left, int top) {
    Begin("VtLabel" + std::to_string(100 + ++labelCount), "TVtLabel");
    Bounds(left, top, 12, 13);
    Prop("Caption", Quote("or"));
    Font("Tahoma", -11, "clInfoBk", "fsBold");
    End();
}

int tabOrder = 0;

void Field(const std::string& name, int left, int top, int width, std::string_view text, bool readOnly = false,
           int tag = -1) {
    Begin(name, "TVtEdit");
    Bounds(left, top, width, 19);
    if (tag >= 0) Prop("Tag", tag);
    Prop("Color", 6176812);
    Prop("Ctl3D", "False");
    Prop("ParentCtl3D", "False");
    Font("Tahoma", -11, "clWhite", "");
    Prop("FocusColor", "clMaroon");
    Prop("FrameHotStyle", "fsFlat");
    if (readOnly) Prop("ReadOnly", "True");
    Prop("TabOrder", tabOrder++);
    Prop("Text", Quote(text));
    End();
}

const langfile::PhraseEntry& P(std::string_view field) { return *langfile::FindPhraseByField(field); }

// A phrase field with its label on the standard row.
void PhraseRow(std::string_view field, int left, int width, int top, int labelEnd) {
    const auto& e = P(field);
    FieldLabel(e.label, labelEnd, top);
    Field(std::string(field), left, top, width, e.defaultText, false, langfile::MainInformationTag(field));
}

void BeginPagePanel(const std::string& name, int l, int t, int w, int h, int order) {
    Begin(name, "TVtPanel");
    Bounds(l, t, w, h);
    Prop("BorderInner", "fsFlat");
    Prop("BorderOuter", "fsNone");
    Prop("BorderWidth", 1);
    Prop("BorderColor", "clBlack");
    Prop("BorderHighlight", 13209);
    Prop("BorderShadow", "clGreen");
    Prop("Color", 6173981);
    Prop("TabOrder", order);
    tabOrder = 0;
}

int infoCount = 0;
void InfoText(int l, int t, std::string_view text) {
    Begin("Label" + std::to_string(++infoCount), "TLabel");
    Prop("Left", l);
    Prop("Top", t);
    Prop("Caption", Quote(text));
    Font("Tahoma", -11, "clWhite", "");
    End();
}

int Row(int k) { return 13 + 24 * k; }

// ---------------------------------------------------------------- the window

void Pages(const std::string& pictures) {
    Begin("VtPageControl1", "TVtPageControl");
    Bounds(8, 80, 676, 321);
    Prop("ActivePage", "TabSheet1");
    Prop("BackgroundColor", 15000804);
    Prop("ParentBackgroundColor", "False");
    Prop("UseColoredTabs", "True");
    Prop("TabIndex", 0);
    Prop("TabOrder", 4);
    Prop("FixedDimension", 19);

    auto sheet = [](int n, const char* caption) {
        Begin("TabSheet" + std::to_string(n), "TVtTabSheet");
        Prop("Caption", Quote(caption));
        Prop("Color", "clWhite");
    };

    sheet(1, "Language Information");
    BeginPagePanel("VtPanel1", 16, 16, 313, 89, 0);
    PhraseRow("edAuthor", 136, 161, Row(0), 121);
    PhraseRow("edForumID", 136, 161, Row(1), 121);
    FieldLabel(langfile::kCommentLabel, 121, Row(2));
    Field("edComment", 136, Row(2), 161, "");
    End();
    BeginPagePanel("VtPanel6", 16, 120, 313, 161, 1);
    InfoText(16, 28, "Register in the forum if you don't have a forum member id.");
    InfoText(80, 44, "http://www.korvane.com/forum");
    End();
    BeginPagePanel("VtPanel7", 344, 16, 313, 265, 2);
    Begin("VtLabel49", "TVtLabel");
    Bounds(32, 16, 253, 36);
    Prop("Caption", Quote("Verbolt Editor v1.0"));
    Font("Lucida Sans Unicode", -27, "clGray", "fsItalic");
    Prop("TextStyle", "tsShadow");
    Prop("ShadowColor", "clNavy");
    End();
    InfoText(6, 60, "With this program you may create language file for korvane");
    InfoText(6, 76, "versions 4 only! Just fill all the text boxes with the phrases and");
    InfoText(6, 92, "click create! Default english phrases are in the fields.");
    InfoText(286, 244, "KV4");
    Begin("Image3", "TImage");
    Bounds(120, 152, 65, 57);
    Picture(pictures + "/emblem.bmp");
    End();
    End();
    End();

    sheet(2, "Messages and Categories");
    BeginPagePanel("VtPanel2", 16, 16, 641, 265, 0);
    PhraseRow("edSvoff1", 136, 489, 13, 121);
    PhraseRow("edSvoff2", 136, 489, 37, 122);
    PhraseRow("edStoff1", 136, 489, 69, 121);
    PhraseRow("edStoff2", 136, 489, 93, 122);
    Begin("VtLine1", "TVtLine");
    Bounds(16, 120, 609, 20);
    Prop("LineColor", "clWindow");
    End();
    PhraseRow("edSvinfo", 136, 249, 141, 121);
    PhraseRow("edExtinfo", 136, 249, 165, 121);
    PhraseRow("edPlayerinfo", 136, 249, 189, 121);
    End();
    End();

    sheet(3, "Main Information");
    BeginPagePanel("VtPanel3", 16, 16, 641, 265, 0);
    const char* left[] = {"edSvname", "edSvnameP", "edSvIP", "edSvIPP", "edGt",
                          "edGtP",    "edMap",     "edMapP", "edImgP",  "edPlayername"};
    for (int k = 0; k < 10; ++k) PhraseRow(left[k], 168, 113, Row(k), 151);
    const char* right[] = {"edPlayernameP", "edScore", "edScoreP", "edPing", "edPingP", "edPlayers", "edPlayersP"};
    for (int k = 0; k < 7; ++k) PhraseRow(right[k], 488, 113, Row(k), 474);
    End();
    End();

    sheet(4, "Extra Information");
    BeginPagePanel("VtPanel4", 16, 16, 313, 265, 0);
    const char* pure[] = {"edPure1",   "edPure2",   "edPure3",   "edPure4",
                          "edMinPing", "edMaxPing", "edMaxRate", "edMaxRateUn"};
    for (int k = 0; k < 8; ++k) PhraseRow(pure[k], 136, 161, Row(k), 120);
    // "Password 1:" row: Server, has, "or", has no.
    FieldLabel(P("edPw1").label, 72, Row(8));
    Field("edPw1", 80, Row(8), 73, P("edPw1").defaultText);
    Field("edPw2", 160, Row(8), 41, P("edPw2").defaultText);
    OrLabel(205, 208);
    Field("edPw3", 224, Row(8), 73, P("edPw3").defaultText);
    PhraseRow("edPw4", 136, 161, Row(9), 120);
    End();
    BeginPagePanel("VtPanel5", 344, 16, 313, 265, 1);
    PhraseRow("edSvinfo1", 136, 161, Row(0), 122);
    PhraseRow("edSvinfo2", 136, 161, Row(1), 122);
    PhraseRow("edFF1", 136, 161, Row(2), 122);
    PhraseRow("edFF2", 136, 161, Row(3), 122);
    FieldLabel(P("edFF3").label, 122, Row(4));
    Field("edFF3", 136, Row(4), 73, P("edFF3").defaultText);
    OrLabel(211, 112);
    Field("edFF4", 224, Row(4), 73, P("edFF4").defaultText);
    OrLabel(19, 136);
    PhraseRow("edFF5", 136, 161, Row(5), 122);
    PhraseRow("edIn", 136, 161, Row(6), 122);
    PhraseRow("edKillcam1", 136, 161, Row(7), 122);
    PhraseRow("edKillcam2", 136, 161, Row(8), 122);
    PhraseRow("edKillcam3", 136, 161, Row(9), 122);
    End();
    End();

    sheet(5, "Extra Information 2");
    BeginPagePanel("VtPanel8", 16, 16, 313, 265, 0);
    const char* extra2[] = {"edAntilag1", "edAntilag2", "edAntilag3", "edVoice1", "edVoice2", "edVoice3"};
    for (int k = 0; k < 6; ++k) PhraseRow(extra2[k], 136, 161, Row(k), 121);
    End();
    BeginPagePanel("VtPanel9", 344, 16, 313, 265, 1);
    Begin("VtLabel90", "TVtLabel");
    Bounds(8, 112, 13, 41);
    Prop("Caption", Quote("Popups"));
    Font("Tahoma", -11, "clWhite", "fsBold");
    Prop("Angle", 90);
    Prop("Rotation", "roFlat");
    End();
    Begin("VtLabel91", "TVtLabel");
    Prop("Left", 128);
    Prop("Top", 248);
    Prop("Caption", Quote("Read Only"));
    Font("Tahoma", -11, "clGray", "");
    Prop("Rotation", "roFlat");
    End();
    int k = 0;
    for (const auto& popup : langfile::Popups()) {
        FieldLabel(popup.referenceLabel, 119, Row(k));
        Field(std::string(popup.referenceField), 136, Row(k), 161, popup.value, true);
        ++k;
    }
    End();
    End();

    sheet(6, "File");
    Begin("Editor", "TVtMemo");
    Bounds(16, 16, 641, 265);
    Prop("Color", 13828090);
    Prop("Font.Charset", "ANSI_CHARSET");
    Prop("Font.Color", "clWindowText");
    Prop("Font.Height", -11);
    Prop("Font.Name", Quote("Lucida Console"));
    Prop("Font.Style", "[]");
    Prop("ParentFont", "False");
    Prop("FrameColor", "clAppWorkSpace");
    Prop("FrameHotStyle", "fsFlat");
    Prop("FrameStyle", "fsBump");
    Line("Lines.Strings = (");
    ++depth;
    Line(Quote("Verbolt Editor v1.0"));
    Line(Quote("Fill all spaces in all tab pages and click create.") + ")");
    --depth;
    Prop("ReadOnly", "True");
    Prop("ScrollBars", "ssBoth");
    Prop("TabOrder", 0);
    Prop("WordWrap", "False");
    End();
    End();

    End();  // VtPageControl1
}

void Button(const std::string& name, int l, int t, const char* caption, int order, const char* handler,
            bool faceColour) {
    Begin(name, "TVtButton");
    Bounds(l, t, 75, 25);
    Prop("Caption", Quote(caption));
    if (faceColour) Prop("Color", 15791348);
    Prop("HighlightColor", 16026986);
    Prop("HotTrack", "True");
    Prop("HotTrackColor", 3983359);
    Prop("TabOrder", order);
    Prop("OnClick", handler);
    End();
}

void Window(const std::string& pictures) {
    Begin("Form1", "TForm1");
    Prop("Left", 0);
    Prop("Top", 0);
    Prop("BorderIcons", "[biSystemMenu, biMinimize]");
    Prop("BorderStyle", "bsSingle");
    Prop("Caption", Quote("Verbolt Editor v1.0 | For Korvane System 4"));
    Prop("ClientHeight", 427);
    Prop("ClientWidth", 689);
    Prop("Color", 15395562);
    Prop("Font.Charset", "DEFAULT_CHARSET");
    Prop("Font.Color", "clWindowText");
    Prop("Font.Height", -11);
    Prop("Font.Name", Quote("Tahoma"));
    Prop("Font.Style", "[]");
    Prop("Position", "poDesigned");
    Prop("OnCreate", "FormCreate");

    Begin("Image2", "TImage");
    Bounds(0, 0, 689, 177);
    Picture(pictures + "/header.bmp");
    Prop("Stretch", "True");
    End();

    Begin("VtClockStatus1", "TVtClockStatus");
    Bounds(533, 8, 150, 20);
    Prop("Alignment", "taCenter");
    Prop("BlinkColor", 2960685);
    Prop("Color", 15395562);
    Prop("FillColor", 15395562);
    Prop("Format", Quote("c"));
    Prop("ParentColor", "False");
    Prop("ParentFillColor", "False");
    End();

    Begin("VtLabel2", "TVtLabel");
    Bounds(224, 0, 262, 75);
    Prop("Caption", Quote("Verbolt Editor v1.0"));
    Font("Tahoma", -27, "clWindowText", "fsBold, fsItalic, fsUnderline");
    Prop("Transparent", "True");
    Prop("TextStyle", "tsShadow");
    Prop("ShadowDepth", 5);
    Prop("LightTextStyle", "True");
    Prop("Angle", 9);
    Prop("Rotation", "roFlat");
    End();

    Pages(pictures);

    Begin("Panel1", "TPanel");
    Bounds(9, 399, 673, 18);
    Prop("Color", 14737632);
    Prop("TabOrder", 5);
    Begin("Image1", "TImage");
    Bounds(0, 0, 673, 17);
    Picture(pictures + "/footer.bmp");
    Prop("Stretch", "True");
    End();
    Begin("VtLabel1", "TVtLabel");
    Bounds(8, 0, 256, 13);
    Prop("Caption", Quote("Verbolt Editor v1.0 - language files for the Korvane System 4"));
    Font("Tahoma", -11, "clWhite", "fsBold");
    Prop("Transparent", "True");
    End();
    End();

    Button("btnSave", 96, 8, "Save File", 1, "btnSaveClick", true);
    Button("btnCreate", 8, 8, "Create", 0, "btnCreateClick", true);
    Button("btnRecreate", 8, 40, "Clear File", 2, "btnRecreateClick", true);
    Button("btnExit", 96, 40, "Exit Program", 3, "btnExitClick", false);

    Begin("SavePHP", "TSaveDialog");
    Prop("DefaultExt", Quote("php"));
    Prop("FileName", Quote("kv4_lang.php"));
    End();
    End();
}

}  // namespace

// ---------------------------------------------------------------- main

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-window-description PICTURES-DIR OUTPUT.vdf\n");
        return 2;
    }
    Window(argv[1]);
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file) {
        std::fprintf(stderr, "make-window-description: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
