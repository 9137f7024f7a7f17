// Stored descriptions: every value kind, obsolete names, the FixedDimension extra value,
// events bound by handler name, references resolved after creation, children adopted by
// their container, the writer's stored rules, the round trip, errors naming the line, and
// properties set by name as the frame controller does.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/streaming.h"
#include "framework/core/strings.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/font.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/forms.h"

namespace {

enum TShape { shRound, shSquare, shTriangle };
enum TEdge { egLeft, egTop, egRight, egBottom };
using TEdges = Set<TEdge>;
using TMoveEvent = std::function<void(TObject* Sender, int Distance)>;

const TEnumInfo& ShapeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TShape", {"shRound", "shSquare", "shTriangle"});
    return info;
}
const TEnumInfo& EdgeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TEdge", {"egLeft", "egTop", "egRight", "egBottom"});
    return info;
}

// A container in the way the control tree will be one: children join it through
// SetParentComponent and are listed for storing in its own order.
class TBox : public TComponent {
public:
    using TComponent::TComponent;
    ~TBox() override {
        Destroying();
        for (TBox* c : FChildren) c->FParent = nullptr;
        if (FParent) std::erase(FParent->FChildren, this);
    }
    TBox* Parent() const { return FParent; }
    const std::vector<TBox*>& Children() const { return FChildren; }
    std::vector<std::pair<std::string, int>> ChildOrders;

    void SetParentComponent(TComponent* parent) override {
        if (auto* p = dynamic_cast<TBox*>(parent)) {
            FParent = p;
            p->FChildren.push_back(this);
        }
    }
    bool HasParent() const override { return FParent != nullptr; }
    TComponent* GetParentComponent() const override { return FParent; }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
        TComponent::GetChildren(proc, root);  // the root's components without a parent
        for (TBox* c : FChildren)
            if (c->Owner() == root) proc(c);
    }
    void SetChildOrder(TComponent* child, int order) override { ChildOrders.emplace_back(child->Name(), order); }

private:
    TBox* FParent = nullptr;
    std::vector<TBox*> FChildren;
};

class TWidget : public TBox {
public:
    explicit TWidget(TComponent* owner) : TBox(owner) {
        FLines.OnChange = [this](TObject*) { ++LinesChanges; };
    }

    int Left() const { return FLeft; }
    void SetLeft(int v) {
        FLeft = v;
        ParentWhenLeftSet = Parent();
    }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    TShape Shape() const { return FShape; }
    void SetShape(TShape v) { FShape = v; }
    TEdges Edges() const { return FEdges; }
    void SetEdges(TEdges v) { FEdges = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }
    TFont* Font() { return &FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v) { FParentFont = v; }
    TStringList* Lines() { return &FLines; }
    const std::string& Data() const { return FData; }
    void SetData(const std::string& v) { FData = v; }
    TWidget* Buddy() const { return FBuddy; }
    void SetBuddy(TWidget* v) {
        if (FBuddy) FBuddy->RemoveFreeNotification(this);
        FBuddy = v;
        if (v) v->FreeNotification(this);
    }
    TNotifyEvent OnClick;
    TMoveEvent OnMove;

    int FixedDimension = 0;
    TBox* ParentWhenLeftSet = nullptr;
    int LinesChanges = 0;

    static void Register() {
        RegisterClass<TBox>("TBox", "TComponent");
        RegisterClass<TWidget>("TWidget", "TBox", [](TClassBuilder<TWidget>& b) {
            b.Integer("Left", &TWidget::Left, &TWidget::SetLeft);
            b.Integer("Width", &TWidget::Width, &TWidget::SetWidth).Default(75);
            b.Boolean("Visible", &TWidget::Visible, &TWidget::SetVisible).Default(true);
            b.Enumeration("Shape", ShapeInfo(), &TWidget::Shape, &TWidget::SetShape).Default(shRound);
            b.SetOf("Edges", EdgeInfo(), &TWidget::Edges, &TWidget::SetEdges)
                .Default(TEdges{egLeft, egTop, egRight, egBottom});
            b.Color("Color", &TWidget::Color, &TWidget::SetColor).Default(clBtnFace);
            b.String("Caption", &TWidget::Caption, &TWidget::SetCaption);
            b.Boolean("ParentFont", &TWidget::ParentFont, &TWidget::SetParentFont).Default(true);
            b.Object("Font", "TFont", &TWidget::Font).Stored([](TWidget& w) { return !w.ParentFont(); });
            b.Strings("Lines", &TWidget::Lines);
            b.Binary("Data", &TWidget::Data, &TWidget::SetData);
            b.Component("Buddy", &TWidget::Buddy, &TWidget::SetBuddy);
            b.Event("OnClick", &TWidget::OnClick);
            b.Event("OnMove", &TWidget::OnMove);
            b.DefineInteger(
                "FixedDimension", [](TWidget& w, int64_t v) { w.FixedDimension = static_cast<int>(v); },
                [](TWidget& w) { return std::optional<int64_t>(w.FixedDimension); });
            // Older descriptions: FrameFlat = True meant the square look; FrameFlatStyle is gone.
            b.Obsolete("FrameFlat", [](TWidget& w, const TValue& v) {
                if (v.AsBoolean()) w.SetShape(shSquare);
            });
            b.Discard("FrameFlatStyle");
        });
    }

protected:
    void Notification(TComponent* c, TOperation op) override {
        TBox::Notification(c, op);
        if (op == opRemove && c == FBuddy) FBuddy = nullptr;
    }

private:
    int FLeft = 0;
    int FWidth = 75;
    bool FVisible = true;
    TShape FShape = shRound;
    TEdges FEdges{egLeft, egTop, egRight, egBottom};
    TColor FColor = clBtnFace;
    std::string FCaption;
    TFont FFont;
    bool FParentFont = true;
    TStringList FLines;
    std::string FData;
    TWidget* FBuddy = nullptr;
};

// The root: a form with its own handlers.
class TTestForm : public TBox {
public:
    explicit TTestForm(TComponent* owner) : TBox(owner) {
        FMethods.Add<TNotifyEvent>("ButtonClick", this, &TTestForm::ButtonClick);
        FMethods.Add<TMoveEvent>("WidgetMove", this, &TTestForm::WidgetMove);
    }
    ~TTestForm() override { DestroyComponents(); }
    const TMethodTable* MethodTable() const override { return &FMethods; }
    void ButtonClick(TObject* sender) { Clicked.push_back(dynamic_cast<TComponent*>(sender)->Name()); }
    void WidgetMove(TObject*, int distance) { Moved += distance; }
    TWidget* W(const char* name) { return dynamic_cast<TWidget*>(FindComponent(name)); }

    std::vector<std::string> Clicked;
    int Moved = 0;
    static void Register() {
        TWidget::Register();
        RegisterClass<TTestForm>("TTestForm", "TBox");
    }

private:
    TMethodTable FMethods;
};

class StreamingTest : public ::testing::Test {
protected:
    void SetUp() override { TTestForm::Register(); }
    // The message of the EReadError reading text raises.
    static std::string ReadError(const std::string& text) {
        TTestForm form(nullptr);
        try {
            ReadComponentText(&form, text);
        } catch (const EReadError& e) {
            return e.Message();
        }
        return "no error";
    }
};

const char* const kEveryKind =
    "object Form1: TTestForm\n"
    "  Tag = -3\n"
    "  object btnCreate: TWidget\n"
    "    Left = -8\n"
    "    Width = $10\n"
    "    Visible = False\n"
    "    Shape = shTriangle\n"
    "    Edges = [egLeft, egBottom]\n"
    "    Color = clWindow\n"
    "    Caption = 'It''s'#13#10'two'#$41 +\n"
    "      ' lines'\n"
    "    ParentFont = False\n"
    "    Font.Name = 'Lucida Console'\n"
    "    Font.Height = -27\n"
    "    Font.Style = [fsBold, fsItalic, fsUnderline]\n"
    "    Font.Color = 6176812\n"
    "    Font.Charset = ANSI_CHARSET\n"
    "    Lines.Strings = (\n"
    "      'Verbolt Editor v1.0'\n"
    "      ''\n"
    "      'Fill all ' +\n"
    "        'spaces')\n"
    "    Data = {\n"
    "      0001FF\n"
    "      7F80}\n"
    "    Buddy = btnSave\n"
    "    OnClick = ButtonClick\n"
    "    OnMove = WidgetMove\n"
    "  end\n"
    "  object btnSave: TWidget\n"
    "    Color = -16777201\n"
    "    Edges = []\n"
    "    Lines = ( 'x' )\n"
    "    OnClick = ButtonClick\n"
    "  end\n"
    "end\n";

TEST_F(StreamingTest, ReadsEveryValueKind) {
    TTestForm form(nullptr);
    ReadComponentText(&form, kEveryKind);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Tag(), -3);
    TWidget* w = form.W("btnCreate");
    TWidget* save = form.W("btnSave");
    ASSERT_TRUE(w && save);
    EXPECT_EQ(w->Owner(), &form);
    EXPECT_EQ(w->Left(), -8);
    EXPECT_EQ(w->Width(), 16);
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(w->Shape(), shTriangle);
    EXPECT_EQ(w->Edges().Bits(), 0b1001u);
    EXPECT_EQ(w->Color(), clWindow);
    EXPECT_EQ(w->Caption(), "It's\r\ntwoA lines");
    EXPECT_FALSE(w->ParentFont());
    EXPECT_EQ(w->Font()->Name(), "Lucida Console");
    EXPECT_EQ(w->Font()->Height(), -27);
    EXPECT_EQ(w->Font()->Style(), (TFontStyles{fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(w->Font()->Color(), 6176812u);
    EXPECT_EQ(w->Font()->Charset(), ANSI_CHARSET);
    EXPECT_EQ(w->Lines()->ToVector(), (std::vector<std::string>{"Verbolt Editor v1.0", "", "Fill all spaces"}));
    EXPECT_EQ(w->LinesChanges, 1);  // the whole list replaced in one update
    EXPECT_EQ(w->Data(), std::string("\x00\x01\xFF\x7F\x80", 5));
    EXPECT_EQ(w->Buddy(), save);          // a reference to a component read later
    EXPECT_EQ(save->Color(), clBtnFace);  // a negative number spells a system colour
    EXPECT_TRUE(save->Edges().Empty());
    EXPECT_EQ(save->Lines()->ToVector(), (std::vector<std::string>{"x"}));

    // Events call the form's handlers.
    ASSERT_TRUE(w->OnClick && w->OnMove && save->OnClick);
    w->OnClick(w);
    save->OnClick(save);
    w->OnMove(w, 5);
    EXPECT_EQ(form.Clicked, (std::vector<std::string>{"btnCreate", "btnSave"}));
    EXPECT_EQ(form.Moved, 5);
    EXPECT_EQ(w->EventMethodName("OnClick"), "ButtonClick");

    // The reference is dropped when its target goes.
    delete save;
    EXPECT_EQ(w->Buddy(), nullptr);
}

// Read ahead into a tree, applied later: the same components as reading the text at once,
// and the tree serves any number of roots (it is shared, not used up).
TEST_F(StreamingTest, ADescriptionReadAheadIsAppliedLater) {
    const TParsedDescription parsed = ParseComponentText(kEveryKind);
    for (int round = 0; round < 2; ++round) {
        TTestForm form(nullptr);
        ReadComponent(&form, parsed);
        TWidget* w = form.W("btnCreate");
        ASSERT_TRUE(w) << round;
        EXPECT_EQ(w->Caption(), "It's\r\ntwoA lines");
        EXPECT_EQ(w->Font()->Name(), "Lucida Console");
        EXPECT_EQ(w->Buddy(), form.W("btnSave"));
        EXPECT_EQ(w->LinesChanges, 1);
        EXPECT_EQ(w->Data(), std::string("\x00\x01\xFF\x7F\x80", 5));
    }
    // A text that is no description fails as it fails when read at once.
    const std::string bad = "object Form1: TTestForm\n  Left = \n";
    std::string ahead;
    try {
        ParseComponentText(bad);
    } catch (const EReadError& e) {
        ahead = e.Message();
    }
    EXPECT_EQ(ahead, ReadError(bad));
    EXPECT_NE(ahead, "");
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponent(&form, TParsedDescription()), EReadError);
}

// A parsed tree kept as bytes (as a program keeps its built-in window) reads into the same
// components as its text, fails where the text fails with the same line, and bytes that
// are not such a tree fail in words, whatever they hold.
TEST_F(StreamingTest, AParsedTreeKeptAsBytesReadsAsItsText) {
    const std::string bytes = ParsedDescriptionBytes(ParseComponentText(kEveryKind));
    EXPECT_EQ(bytes.substr(0, 8), std::string("VBDESC\x01\n", 8));
    const TParsedDescription back = ParsedDescriptionFromBytes(bytes);
    EXPECT_EQ(ParsedDescriptionBytes(back), bytes);
    TTestForm fromText(nullptr), fromBytes(nullptr);
    ReadComponentText(&fromText, kEveryKind);
    ReadComponent(&fromBytes, back);
    EXPECT_EQ(WriteComponentText(&fromBytes), WriteComponentText(&fromText));
    TWidget* w = fromBytes.W("btnCreate");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Left(), -8);
    EXPECT_EQ(w->Caption(), "It's\r\ntwoA lines");
    EXPECT_EQ(w->Data(), std::string("\x00\x01\xFF\x7F\x80", 5));
    EXPECT_EQ(w->Buddy(), fromBytes.W("btnSave"));

    // What only reading finds wrong is reported on its line, as from the text.
    for (const std::string text : {"object Form1: TTestForm\n  Tag = 1\n  Nonsense = 5\nend\n",
                                   "object Form1: TTestForm\n  Tag = 1\n  object X: TNoSuchClass\n  end\nend\n",
                                   "object Form1: TTestForm\n\n  Tag = 'text'\nend\n"}) {
        std::string viaBytes = "no error";
        try {
            TTestForm form(nullptr);
            ReadComponent(&form, ParsedDescriptionFromBytes(ParsedDescriptionBytes(ParseComponentText(text))));
        } catch (const EReadError& e) {
            viaBytes = e.Message();
        }
        EXPECT_EQ(viaBytes, ReadError(text));
        EXPECT_NE(viaBytes.find("line 3"), std::string::npos) << viaBytes;
    }

    // Cut anywhere, lengthened, or with any byte changed: refused, or read as some tree.
    const std::string damaged = "Error reading component: the description's bytes are damaged";
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        try {
            ParsedDescriptionFromBytes(bytes.substr(0, n));
            ADD_FAILURE() << "cut to " << n << " bytes was read";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), damaged);
        }
    }
    EXPECT_THROW(ParsedDescriptionFromBytes(bytes + '\0'), EReadError);
    int refused = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] ^ 0x80);
        try {
            TTestForm form(nullptr);
            ReadComponent(&form, ParsedDescriptionFromBytes(changed));
        } catch (const EReadError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_THROW(ParsedDescriptionBytes(TParsedDescription()), EWriteError);
}

TEST_F(StreamingTest, ADescriptionReadAheadShowsItsObjectsInOrder) {
    const TParsedDescription parsed = ParseComponentText(
        "object Form1: TTestForm\n"
        "  Font.Name = 'Tahoma'\n"
        "  object Page: TWidget\n"
        "    Font.Name = 'Courier'\n"
        "    Font.Name = 'Lucida Console'\n"
        "    object Inner: TWidget\n"
        "      Font.Style = [fsBold]\n"
        "    end\n"
        "  end\n"
        "  object Loose: TComponent\n"
        "  end\n"
        "end\n");
    std::vector<std::string> seen;
    parsed.VisitObjects([&](int depth, std::string_view className, const TParsedDescription::TLookup& value) {
        const TValue* name = value("font.name");  // paths compare as names do
        const TValue* style = value("Font.Style");
        seen.push_back(std::to_string(depth) + ":" + std::string(className) + ":" + (name ? name->Text : "-") + ":" +
                       (style ? std::to_string(style->Items.size()) : "-"));
    });
    // The later of two lines wins, as when they are applied.
    EXPECT_EQ(seen, (std::vector<std::string>{"0:TTestForm:Tahoma:-", "1:TWidget:Lucida Console:-", "2:TWidget:-:1",
                                              "1:TComponent:-:-"}));
    int visits = 0;
    TParsedDescription().VisitObjects([&](int, std::string_view, const TParsedDescription::TLookup&) { ++visits; });
    EXPECT_EQ(visits, 0);
}

TEST_F(StreamingTest, ChildrenJoinTheirContainerBeforeTheirPropertiesAndGetTheFormAsOwner) {
    TTestForm form(nullptr);
    ReadComponentText(&form,
                      "object Form1: TTestForm\n"
                      "  object Page: TWidget\n"
                      "    Left = 1\n"
                      "    object Inner1: TWidget\n"
                      "      Left = 2\n"
                      "    end\n"
                      "    object Inner2: TWidget\n"
                      "    end\n"
                      "  end\n"
                      "  object Loose: TComponent\n"
                      "  end\n"
                      "end\n");
    TWidget* page = form.W("Page");
    TWidget* inner1 = form.W("Inner1");
    ASSERT_TRUE(page && inner1);
    EXPECT_EQ(inner1->Owner(), &form);
    EXPECT_EQ(inner1->Parent(), page);
    EXPECT_EQ(inner1->ParentWhenLeftSet, page);
    EXPECT_EQ(page->ParentWhenLeftSet, &form);
    EXPECT_EQ(page->Children().size(), 2u);
    EXPECT_EQ(page->ChildOrders, (std::vector<std::pair<std::string, int>>{{"Inner1", 0}, {"Inner2", 1}}));
    EXPECT_EQ(form.ChildOrders, (std::vector<std::pair<std::string, int>>{{"Page", 0}, {"Loose", 1}}));
    EXPECT_EQ(form.ComponentCount(), 4);
}

TEST_F(StreamingTest, ObsoleteNamesAndFixedDimension) {
    TTestForm form(nullptr);
    ReadComponentText(&form,
                      "object Form1: TTestForm\n"
                      "  object Tabs: TWidget\n"
                      "    FrameFlat = True\n"
                      "    FrameFlatStyle = fsWhatever\n"
                      "    FixedDimension = 19\n"
                      "  end\n"
                      "end\n");
    TWidget* tabs = form.W("Tabs");
    EXPECT_EQ(tabs->Shape(), shSquare);
    EXPECT_EQ(tabs->FixedDimension, 19);
    // Written back: the extra value, never the obsolete names.
    std::string text = WriteComponentText(&form);
    EXPECT_NE(text.find("    Shape = shSquare\n    FixedDimension = 19\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos);
}

TEST_F(StreamingTest, WriterStoresOnlyNonDefaultStoredValues) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* w = new TWidget(&form);
    w->SetName("Plain");
    std::string text = WriteComponentText(&form);
    // Left has no default: always stored; Font only when ParentFont is off; the extra value
    // always.
    EXPECT_EQ(text,
              "object Form1: TTestForm\n"
              "  object Plain: TWidget\n"
              "    Left = 0\n"
              "    FixedDimension = 0\n"
              "  end\n"
              "end\n");
    w->SetParentFont(false);
    w->SetColor(RGB(0x1D, 0x35, 0x5E));
    w->OnClick = [](TObject*) {};  // bound in code, not by name: nothing to store
    text = WriteComponentText(&form);
    EXPECT_EQ(text,
              "object Form1: TTestForm\n"
              "  object Plain: TWidget\n"
              "    Left = 0\n"
              "    Color = 6173981\n"
              "    ParentFont = False\n"
              "    Font.Charset = DEFAULT_CHARSET\n"
              "    Font.Color = clWindowText\n"
              "    Font.Height = -11\n"
              "    Font.Name = 'Tahoma'\n"
              "    Font.Style = []\n"
              "    FixedDimension = 0\n"
              "  end\n"
              "end\n");
}

TEST_F(StreamingTest, RoundTrip) {
    TTestForm form(nullptr);
    ReadComponentText(&form, kEveryKind);
    TWidget* w = form.W("btnCreate");
    w->SetCaption(std::string(150, 'x') + "'\x01");  // long: continued with "+"
    std::string first = WriteComponentText(&form);
    EXPECT_NE(first.find("    Caption =\n      'xxxx"), std::string::npos) << first;
    EXPECT_NE(first.find("' +\n      'xxxx"), std::string::npos);
    EXPECT_NE(first.find("    Data = {\n      0001FF7F80}\n"), std::string::npos);
    EXPECT_NE(first.find("    Lines.Strings = (\n      'Verbolt Editor v1.0'\n      ''\n      'Fill all spaces')\n"),
              std::string::npos);
    EXPECT_NE(first.find("    Edges = [egLeft, egBottom]\n"), std::string::npos);
    EXPECT_NE(first.find("    Buddy = btnSave\n    OnClick = ButtonClick\n    OnMove = WidgetMove\n"),
              std::string::npos);

    TTestForm again(nullptr);
    ReadComponentText(&again, first);
    EXPECT_EQ(again.W("btnCreate")->Caption(), w->Caption());
    EXPECT_EQ(again.W("btnCreate")->Buddy(), again.W("btnSave"));
    EXPECT_EQ(WriteComponentText(&again), first);

    // The digits of a byte may stand apart, across blanks and lines.
    TTestForm split(nullptr);
    ReadComponentText(&split,
                      "object F: TTestForm\n  object W: TWidget\n    Data = {0 AB\n C0\t 1d\r\n  2}\n  end\nend\n");
    EXPECT_EQ(split.W("W")->Data(), std::string("\x0A\xBC\x01\xD2"));

    // Long binary data spans lines of 64 hex digits.
    w->SetData(std::string(40, '\xAB'));
    std::string withData = WriteComponentText(&form);
    std::string ab32, ab8;
    for (int i = 0; i < 32; ++i) ab32 += "AB";
    for (int i = 0; i < 8; ++i) ab8 += "AB";
    EXPECT_NE(withData.find("    Data = {\n      " + ab32 + "\n      " + ab8 + "}\n"), std::string::npos) << withData;
    TTestForm third(nullptr);
    ReadComponentText(&third, withData);
    EXPECT_EQ(third.W("btnCreate")->Data(), std::string(40, '\xAB'));
    EXPECT_EQ(WriteComponentText(&third), withData);
}

TEST_F(StreamingTest, CreatesTheRootFromTheRegistryAndCleansUpOnFailure) {
    std::unique_ptr<TComponent> root(
        CreateComponentFromText("object Made: TTestForm\n  object W: TWidget\n    Caption = 'ok'\n  end\nend\n"));
    auto* form = dynamic_cast<TTestForm*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "Made");
    EXPECT_EQ(form->W("W")->Caption(), "ok");
    // A failure half-way leaves nothing behind (the leak checker watches).
    EXPECT_THROW(CreateComponentFromText("object Made: TTestForm\n  object W: TWidget\n    Nope = 1\n  end\nend\n"),
                 EReadError);
    EXPECT_THROW(CreateComponentFromText("object X: TNoSuchClass\nend\n"), EReadError);
}

TEST_F(StreamingTest, ErrorsNameTheLine) {
    const std::string head = "object Form1: TTestForm\n  object W: TWidget\n";
    EXPECT_EQ(ReadError(head + "    Colour = clRed\n  end\nend\n"),
              "Error reading W.Colour on line 3: Property Colour does not exist");
    EXPECT_EQ(ReadError(head + "    Shape = shOval\n  end\nend\n"),
              "Error reading W.Shape on line 3: Invalid property value");
    EXPECT_EQ(ReadError(head + "    Left = 'text'\n  end\nend\n"),
              "Error reading W.Left on line 3: Invalid property value");
    EXPECT_EQ(ReadError(head + "    Edges = [egLeft, egMiddle]\n  end\nend\n"),
              "Error reading W.Edges on line 3: Invalid property value");
    EXPECT_EQ(ReadError(head + "    Color = clNoSuch\n  end\nend\n"),
              "Error reading W.Color on line 3: Invalid property value");
    EXPECT_EQ(ReadError(head + "    Font.Size2 = 3\n  end\nend\n"),
              "Error reading W.Font.Size2 on line 3: Property Font.Size2 does not exist");
    EXPECT_EQ(ReadError(head + "    OnClick = Missing\n  end\nend\n"),
              "Error reading W.OnClick on line 3: Method Missing not found");
    EXPECT_EQ(ReadError(head + "    OnClick = WidgetMove\n  end\nend\n"),
              "Error reading W.OnClick on line 3: Method WidgetMove does not fit event OnClick");
    EXPECT_EQ(ReadError(head + "\n\n    Buddy = Nobody\n  end\nend\n"),
              "Error reading W.Buddy on line 5: Component Nobody not found");
    EXPECT_EQ(ReadError(head + "  end\n  object Q: TNoSuchClass\n  end\nend\n"),
              "Error reading Q on line 4: Class TNoSuchClass not found");
    EXPECT_EQ(ReadError(head + "  end\n  object w: TWidget\n  end\nend\n"),
              "Error reading w on line 4: A component named w already exists");
    EXPECT_EQ(ReadError(head + "    Left 5\n  end\nend\n"), "Syntax error on line 3: '=' expected but a number found");
    EXPECT_EQ(ReadError(head + "    Caption = 'open\n  end\nend\n"), "Syntax error on line 3: Unterminated string");
    EXPECT_EQ(ReadError(head + "    Data = {\n 0A\n 0}\n  end\nend\n"),
              "Syntax error on line 3: Invalid binary value: odd number of hex digits");
    EXPECT_EQ(ReadError(head + "    Data = {\n 0A\n 0G}\n  end\nend\n"),
              "Syntax error on line 5: Invalid binary value");
    EXPECT_EQ(ReadError(head + "    Data = {\n 0A 0B\n"), "Syntax error on line 3: Unterminated binary value");
    EXPECT_EQ(ReadError(head + "    Data = {\n 0A\x01}\n  end\nend\n"), "Syntax error on line 4: Invalid binary value");
    EXPECT_EQ(ReadError(head + "    Left = 1.5\n  end\nend\n"), "Syntax error on line 3: Invalid number 1.");
    EXPECT_EQ(ReadError(head + "  end\n"),
              "Syntax error on line 4: Property name or 'end' expected but the description ends");
    EXPECT_EQ(ReadError(head + "  end\nend\nend\n"),
              "Syntax error on line 5: End of description expected but 'end' found");
    EXPECT_EQ(ReadError("object Form1: TWidget\nend\n"), "Error reading Form1 on line 1: TTestForm is not a TWidget");
}

TEST_F(StreamingTest, InheritedFindsExistingComponents) {
    TTestForm form(nullptr);
    auto* existing = new TWidget(&form);
    existing->SetName("Header");
    ReadComponentText(&form,
                      "inherited Form1: TTestForm\n"
                      "  inherited Header: TWidget\n"
                      "    Caption = 'kept'\n"
                      "  end\n"
                      "end\n");
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(existing->Caption(), "kept");
    EXPECT_EQ(ReadError("object F: TTestForm\n  inherited Gone: TWidget\n  end\nend\n"),
              "Error reading Gone on line 2: Component Gone not found");
}

TEST_F(StreamingTest, PropertiesByNameAsTheFrameControllerSetsThem) {
    TTestForm form(nullptr);
    TWidget w(&form);
    EXPECT_TRUE(IsPublishedProp(&w, "shape"));
    EXPECT_FALSE(IsPublishedProp(&w, "FrameHotStyle"));
    ASSERT_NE(GetPropInfo(&w, "Edges"), nullptr);
    EXPECT_EQ(GetPropInfo(&w, "Edges")->Kind, TPropKind::Set);

    EXPECT_TRUE(SetOrdProp(&w, "Width", 120));
    EXPECT_TRUE(SetOrdProp(&w, "Shape", shSquare));
    EXPECT_TRUE(SetOrdProp(&w, "Edges", 0b0101));  // bits 1, 4: left and right
    EXPECT_TRUE(SetOrdProp(&w, "Color", clMaroon));
    EXPECT_TRUE(SetOrdProp(&w, "Visible", 0));
    EXPECT_FALSE(SetOrdProp(&w, "FrameHotStyle", 1));  // what a control lacks is skipped
    EXPECT_FALSE(SetOrdProp(&w, "Caption", 1));        // not ordinal
    EXPECT_EQ(w.Width(), 120);
    EXPECT_EQ(w.Shape(), shSquare);
    EXPECT_EQ(w.Edges(), (TEdges{egLeft, egRight}));
    EXPECT_EQ(w.Color(), clMaroon);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(GetOrdProp(&w, "Edges"), 0b0101);
    EXPECT_THROW(GetOrdProp(&w, "Nope"), EPropertyError);

    EXPECT_TRUE(SetEnumProp(&w, "Shape", "shTriangle"));
    EXPECT_FALSE(SetEnumProp(&w, "Shape", "fsBump"));  // no such value: nothing outside the type
    EXPECT_EQ(w.Shape(), shTriangle);
    EXPECT_TRUE(SetStrProp(&w, "Caption", "Save File"));
    EXPECT_EQ(GetStrProp(&w, "Caption"), "Save File");
    EXPECT_TRUE(SetOrdProp(&w, "Font.Height", -13));
    EXPECT_EQ(w.Font()->Height(), -13);

    EXPECT_TRUE(SetPropText(&w, "Edges", "[egTop]"));
    EXPECT_TRUE(SetPropText(&w, "Font.Style", "[fsBold]"));
    EXPECT_TRUE(SetPropText(&w, "Color", "clBtnShadow"));
    EXPECT_FALSE(SetPropText(&w, "Missing", "1"));
    EXPECT_EQ(w.Edges(), (TEdges{egTop}));
    EXPECT_EQ(w.Font()->Style(), (TFontStyles{fsBold}));
    EXPECT_EQ(w.Color(), clBtnShadow);
    EXPECT_THROW(SetPropText(&w, "Shape", "nonsense"), EPropertyError);

    EXPECT_EQ(FormatValueText(ParseValueText("'a'#13'b'")), "'a'#13'b'");
    EXPECT_EQ(FormatValueText(ParseValueText("[ x ,y ]")), "[x, y]");
    EXPECT_EQ(ParseValueText("-2147483648").Integer, -2147483648LL);
    EXPECT_THROW(ParseValueText("1 2"), EReadError);
}

TEST_F(StreamingTest, RegistryWalksParentsAndFindsNearestRegisteredClass) {
    struct TUnregistered : TWidget {
        using TWidget::TWidget;
    };
    TUnregistered u(nullptr);
    EXPECT_EQ(u.ClassName(), "TWidget");
    EXPECT_TRUE(SetOrdProp(&u, "Tag", 4));  // TComponent's table, two parents up
    EXPECT_EQ(u.Tag(), 4);
    const TClassInfo& cls = GetClass("twidget");
    EXPECT_TRUE(cls.InheritsFrom("TComponent"));
    EXPECT_EQ(cls.Parent()->Name(), "TBox");
    EXPECT_TRUE(cls.CanCreate());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(GetClass("TNoSuchClass"), EClassNotFound);
    ASSERT_NE(FindClass("TFont"), nullptr);
    EXPECT_FALSE(FindClass("TFont")->CanCreate());
    EXPECT_NE(FindClass("TFont")->FindProp("Pitch"), nullptr);
    // Names compare without case, whole: inherited ones too, and no prefix or longer name.
    EXPECT_EQ(cls.FindProp("tag"), cls.FindProp("TAG"));
    EXPECT_NE(cls.FindProp("tAg"), nullptr);
    EXPECT_EQ(cls.FindProp("Ta"), nullptr);
    EXPECT_EQ(cls.FindProp("Tags"), nullptr);
    EXPECT_EQ(cls.FindProp(""), nullptr);
    EXPECT_EQ(cls.FindProp("Tag")->Name, "Tag");
}

// A table may grow after a lookup made the index by name: a class looked up while it is
// being built, and a class below it looked up before its parent's table is complete.
struct TGrowing : TComponent {
    using TComponent::TComponent;
    int First() const { return FFirst; }
    void SetFirst(int v) { FFirst = v; }
    int Second() const { return FSecond; }
    void SetSecond(int v) { FSecond = v; }
    int FFirst = 0, FSecond = 0;
};
struct TGrowingChild : TGrowing {
    using TGrowing::TGrowing;
};

TEST(PropertyIndex, FollowsATableThatGrewAfterALookup) {
    RegisterClass<TGrowing>("TGrowing", "TComponent", [](TClassBuilder<TGrowing>& b) {
        b.Integer("First", &TGrowing::First, &TGrowing::SetFirst);
        ASSERT_NE(FindClass("TGrowing")->FindProp("First"), nullptr);
        EXPECT_EQ(FindClass("TGrowing")->FindProp("Second"), nullptr);
        RegisterClass<TGrowingChild>("TGrowingChild", "TGrowing");
        EXPECT_NE(FindClass("TGrowingChild")->FindProp("first"), nullptr);
        EXPECT_EQ(FindClass("TGrowingChild")->FindProp("second"), nullptr);
        b.Integer("Second", &TGrowing::Second, &TGrowing::SetSecond);
    });
    for (const char* name : {"TGrowing", "TGrowingChild"}) {
        const TPropInfo* second = FindClass(name)->FindProp("SECOND");
        ASSERT_NE(second, nullptr) << name;
        EXPECT_EQ(second->Name, "Second");
        EXPECT_NE(FindClass(name)->FindProp("Tag"), nullptr) << name;
    }
}

}  // namespace

// After one call a description may name any standard class, before one of them exists.
TEST(StandardClasses, AreKnownOnceRegistered) {
    RegisterStdCtrlsClasses();
    RegisterStdCtrlsClasses();  // again: nothing changes
    for (const char* name :
         {"TForm", "TLabel", "TPanel", "TImage", "TEdit", "TMaskEdit", "TMemo", "TImageList", "TSaveDialog", "TTimer"})
        EXPECT_NE(FindClass(name), nullptr) << name;
}
