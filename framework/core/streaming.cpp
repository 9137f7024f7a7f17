// Sections:
//   1. lexer: tokens with their line
//   2. parser: text → tree of object blocks (nothing is created yet)
//   3. TReader: tree → components
//   4. the tree as bytes: made when a program is built, read back without parsing
//   5. writer
//   6. single values
#include "framework/core/streaming.h"

#include <array>
#include <cstdint>
#include <memory>
#include <type_traits>

#include "framework/base/byte_stream.h"
#include "framework/core/scope_guards.h"
#include "framework/core/strings.h"

namespace {

// ---------------------------------------------------------------- 1. lexer

enum TTokenKind { tkEnd, tkIdent, tkInteger, tkString, tkBinary, tkSymbol };

struct TToken {
    TTokenKind Kind = tkEnd;
    std::string Text;  // identifier, string value, binary bytes, or the symbol
    int64_t Integer = 0;
    int Line = 1;
};

[[noreturn]] void SyntaxError(int line, const std::string& message) {
    throw EReadError(Format("Syntax error on line %d: %s", line, message));
}

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Letters, digits and '_': what an identifier goes on with.
constexpr std::array<bool, 256> kIdentChar = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return table;
}();

// What a character inside a binary value is: a hex digit's value, or one of these.
constexpr int8_t kBlank = -2, kNewLine = -3, kClose = -4, kForeign = -1;
constexpr std::array<int8_t, 256> kBinaryClass = [] {
    static_assert(kForeign == -1, "a character that is no hex digit is foreign");
    std::array<int8_t, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<int8_t>(HexDigit(static_cast<char>(c)));
    table[' '] = table['\t'] = table['\r'] = kBlank;
    table['\n'] = kNewLine;
    table['}'] = kClose;
    return table;
}();

class TLexer {
public:
    explicit TLexer(std::string_view text) : FText(text) { Advance(); }
    const TToken& Peek() const { return FToken; }
    TToken Take() {
        TToken t = FToken;
        Advance();
        return t;
    }
    bool IsSymbol(char c) const { return FToken.Kind == tkSymbol && FToken.Text[0] == c; }
    bool IsKeyword(std::string_view word) const { return FToken.Kind == tkIdent && SameText(FToken.Text, word); }
    void ExpectSymbol(char c) {
        if (!IsSymbol(c)) SyntaxError(FToken.Line, Format("'%s' expected%s", std::string(1, c), Found()));
        Advance();
    }
    std::string ExpectIdent(const char* what = "Identifier") {
        if (FToken.Kind != tkIdent) SyntaxError(FToken.Line, Format("%s expected%s", what, Found()));
        return Take().Text;
    }
    std::string Found() const {
        switch (FToken.Kind) {
            case tkEnd: return " but the description ends";
            case tkIdent: return " but '" + FToken.Text + "' found";
            case tkSymbol: return " but '" + FToken.Text + "' found";
            case tkInteger: return " but a number found";
            case tkString: return " but a string found";
            case tkBinary: return " but binary data found";
        }
        return "";
    }

private:
    void SkipBlanks() {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == ' ') {  // indentation, most of a description's blanks
                ++FPos;
            } else if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == '\t' || c == '\r' || c == '\f') {
                ++FPos;
            } else {
                break;
            }
        }
    }

    void Advance() {
        SkipBlanks();
        FToken = TToken();
        FToken.Line = FLine;
        if (FPos >= FText.size()) return;
        char c = FText[FPos];
        if (IsIdentStart(c)) {
            size_t start = FPos;
            // Dotted names ("Font.Name") are one token.
            while (FPos < FText.size()) {
                const char d = FText[FPos];
                if (!kIdentChar[static_cast<unsigned char>(d)] &&
                    !(d == '.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1])))
                    break;
                ++FPos;
            }
            FToken.Kind = tkIdent;
            FToken.Text = std::string(FText.substr(start, FPos - start));
        } else if (IsDigit(c) || c == '$' ||
                   ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
                    (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
            size_t start = FPos++;
            while (FPos < FText.size() && (HexDigit(FText[FPos]) >= 0 || FText[FPos] == '$')) ++FPos;
            std::string_view number = FText.substr(start, FPos - start);
            if (FPos < FText.size() && (FText[FPos] == '.' || IsIdentStart(FText[FPos])))
                SyntaxError(FLine, Format("Invalid number %s", std::string(number) + FText[FPos]));
            int64_t v = 0;
            if (!TryStrToInt(number, v)) SyntaxError(FLine, Format("Invalid number %s", number));
            FToken.Kind = tkInteger;
            FToken.Integer = v;
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (c == '{') {
            ReadBinary();
        } else {
            static const std::string_view symbols = "=:[](),<>+";
            if (symbols.find(c) == std::string_view::npos)
                SyntaxError(FLine, Format("Invalid character '%s'", std::string(1, c)));
            ++FPos;
            FToken.Kind = tkSymbol;
            FToken.Text = std::string(1, c);
        }
    }

    // 'quoted' pieces and #nnn codes written next to each other form one string.
    void ReadString() {
        std::string value;
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\'') {
                ++FPos;
                while (true) {
                    if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
                        SyntaxError(FLine, "Unterminated string");
                    char d = FText[FPos++];
                    if (d == '\'') {
                        if (FPos < FText.size() && FText[FPos] == '\'') {
                            value += '\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    value += d;
                }
            } else if (c == '#') {
                ++FPos;
                size_t start = FPos;
                int base = 10;
                if (FPos < FText.size() && FText[FPos] == '$') {
                    base = 16;
                    start = ++FPos;
                }
                while (FPos < FText.size() && (base == 16 ? HexDigit(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) ++FPos;
                if (FPos == start) SyntaxError(FLine, "Character code expected after '#'");
                int64_t code = 0;
                for (size_t i = start; i < FPos; ++i) {
                    code = code * base + HexDigit(FText[i]);
                    if (code > 255) SyntaxError(FLine, "Character code above 255");
                }
                value += static_cast<char>(code);
            } else {
                break;
            }
        }
        FToken.Kind = tkString;
        FToken.Text = std::move(value);
    }

    void ReadBinary() {
        int line = FLine;
        ++FPos;
        // Pictures are most of a description's bytes: each character is classed by one
        // table look-up and the bytes are written into room made for all of them at once.
        const size_t end = FText.find('}', FPos);
        const size_t span = (end != std::string_view::npos ? end : FText.size()) - FPos;
        std::string bytes(span / 2 + 1, '\0');
        size_t count = 0;
        int high = -1;
        while (true) {
            // Two digits of a byte at once, the common case; anything else one at a time.
            if (high < 0 && FPos + 1 < FText.size()) {
                const int8_t a = kBinaryClass[static_cast<unsigned char>(FText[FPos])];
                const int8_t b = kBinaryClass[static_cast<unsigned char>(FText[FPos + 1])];
                if (a >= 0 && b >= 0) {
                    bytes[count++] = static_cast<char>(a * 16 + b);
                    FPos += 2;
                    continue;
                }
            }
            if (FPos >= FText.size()) SyntaxError(line, "Unterminated binary value");
            const int8_t d = kBinaryClass[static_cast<unsigned char>(FText[FPos++])];
            if (d >= 0) {
                if (high < 0) {
                    high = d;
                } else {
                    bytes[count++] = static_cast<char>(high * 16 + d);
                    high = -1;
                }
                continue;
            }
            if (d == kClose) break;
            if (d == kNewLine) {
                ++FLine;
                continue;
            }
            if (d != kBlank) SyntaxError(FLine, "Invalid binary value");
        }
        if (high >= 0) SyntaxError(line, "Invalid binary value: odd number of hex digits");
        bytes.resize(count);
        FToken.Kind = tkBinary;
        FToken.Text = std::move(bytes);
        FToken.Line = line;
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
    TToken FToken;
};

// ---------------------------------------------------------------- 2. parser

struct TPropNode {
    std::string Path;
    TValue Value;
    int Line = 0;
};

struct TObjectNode {
    bool Inherited = false;
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TPropNode> Props;
    std::vector<TObjectNode> Children;
};

std::string ParseStringExpr(TLexer& lex) {
    std::string s = lex.Take().Text;
    while (lex.IsSymbol('+')) {
        lex.Take();
        if (lex.Peek().Kind != tkString) SyntaxError(lex.Peek().Line, "String expected" + lex.Found());
        s += lex.Take().Text;
    }
    return s;
}

TValue ParseValue(TLexer& lex) {
    const TToken& t = lex.Peek();
    TValue v;
    v.Line = t.Line;
    switch (t.Kind) {
        case tkInteger:
            v.Type = TValue::vtInteger;
            v.Integer = lex.Take().Integer;
            return v;
        case tkIdent:
            v.Type = TValue::vtIdent;
            v.Text = lex.Take().Text;
            return v;
        case tkString:
            v.Type = TValue::vtString;
            v.Text = ParseStringExpr(lex);
            return v;
        case tkBinary:
            v.Type = TValue::vtBinary;
            v.Text = lex.Take().Text;
            return v;
        case tkSymbol:
            if (lex.IsSymbol('[')) {
                lex.Take();
                v.Type = TValue::vtSet;
                if (!lex.IsSymbol(']')) {
                    while (true) {
                        v.Items.push_back(lex.ExpectIdent("Set element"));
                        if (lex.IsSymbol(']')) break;
                        lex.ExpectSymbol(',');
                    }
                }
                lex.ExpectSymbol(']');
                return v;
            }
            if (lex.IsSymbol('(')) {
                lex.Take();
                v.Type = TValue::vtList;
                while (!lex.IsSymbol(')')) {
                    if (lex.Peek().Kind != tkString) SyntaxError(lex.Peek().Line, "String expected" + lex.Found());
                    v.Items.push_back(ParseStringExpr(lex));
                }
                lex.Take();
                return v;
            }
            break;
        case tkEnd: break;
    }
    SyntaxError(t.Line, "Property value expected" + lex.Found());
}

bool AtObjectStart(const TLexer& lex) { return lex.IsKeyword("object") || lex.IsKeyword("inherited"); }

TObjectNode ParseObject(TLexer& lex) {
    TObjectNode node;
    node.Line = lex.Peek().Line;
    if (!AtObjectStart(lex)) SyntaxError(node.Line, "'object' expected" + lex.Found());
    node.Inherited = SameText(lex.Take().Text, "inherited");
    // "object Name: TClass", or "object TClass" for an unnamed component.
    std::string first = lex.ExpectIdent("Component name");
    if (lex.IsSymbol(':')) {
        lex.Take();
        node.Name = first;
        node.ClassName = lex.ExpectIdent("Class name");
    } else {
        node.ClassName = first;
    }
    while (true) {
        if (lex.IsKeyword("end")) {
            lex.Take();
            return node;
        }
        if (AtObjectStart(lex)) {
            node.Children.push_back(ParseObject(lex));
            continue;
        }
        if (lex.Peek().Kind != tkIdent) SyntaxError(lex.Peek().Line, "Property name or 'end' expected" + lex.Found());
        TPropNode prop;
        prop.Line = lex.Peek().Line;
        prop.Path = lex.Take().Text;
        lex.ExpectSymbol('=');
        prop.Value = ParseValue(lex);
        node.Props.push_back(std::move(prop));
    }
}

TObjectNode ParseDescription(std::string_view text) {
    TLexer lex(text);
    TObjectNode root = ParseObject(lex);
    if (lex.Peek().Kind != tkEnd) SyntaxError(lex.Peek().Line, "End of description expected" + lex.Found());
    return root;
}

}  // namespace

// ---------------------------------------------------------------- 3. TReader

// Friend of TComponent: it sets and clears the loading state.
class TReader {
public:
    explicit TReader(TComponent* root) : FRoot(root) {}

    void ReadRoot(const TObjectNode& node) {
        // A description that fails leaves nothing reading or loading.
        TScopeExit failed([this] {
            for (TComponent* c : FLoaded) {
                c->SetStateFlag(csReading, false);
                c->SetStateFlag(csLoading, false);
            }
        });
        Begin(FRoot);
        if (const TClassInfo* declared = FindClass(node.ClassName); declared && !declared->IsInstance(FRoot))
            ReadError(node.Line, node.Name, Format("%s is not a %s", FRoot->ClassName(), node.ClassName));
        if (!node.Name.empty() && node.Name != FRoot->Name())
            Guard(node.Line, node.Name, [&] { FRoot->SetName(node.Name); });
        ReadBody(FRoot, node);
        ResolveReferences();
        for (TComponent* c : FLoaded) c->SetStateFlag(csReading, false);
        // Still loading, all of them: what this sends belongs to the description.
        for (TComponent* c : FLoaded) c->ReadingDone();
        failed.Release();
        for (TComponent* c : FLoaded) {
            c->SetStateFlag(csLoading, false);
            c->Loaded();
        }
    }

private:
    struct TFixup {
        TPropTarget Target;
        std::string Component;  // whose property
        std::string Name;       // the referenced component
        int Line;
    };

    void Begin(TComponent* c) {
        c->SetStateFlag(csLoading, true);
        c->SetStateFlag(csReading, true);
        FLoaded.push_back(c);
    }

    [[noreturn]] static void ReadError(int line, const std::string& what, const std::string& message) {
        throw EReadError(
            Format("Error reading %s on line %d: %s", what.empty() ? std::string("component") : what, line, message));
    }

    // Runs f, turning any error other than a reader's own into an EReadError for that line.
    // what names the culprit: a name, or what makes one, called only when there is an error
    // (a description has thousands of properties, each named "Component.Property").
    template <class W, class F>
    static void Guard(int line, const W& what, F f) {
        try {
            f();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            if constexpr (std::is_invocable_v<const W&>) ReadError(line, what(), e.Message());
            else ReadError(line, what, e.Message());
        }
    }

    void ReadBody(TComponent* c, const TObjectNode& node) {
        const TClassInfo* cls = ClassInfoOf(c);
        if (!cls) ReadError(node.Line, node.Name, Format("Class %s not registered", c->ClassName()));
        for (const TPropNode& p : node.Props) ReadProperty(c, *cls, node, p);
        ReadChildren(c, node);
    }

    void ReadProperty(TComponent* c, const TClassInfo& cls, const TObjectNode& node, const TPropNode& p) {
        const auto what = [&] { return (node.Name.empty() ? node.ClassName : node.Name) + "." + p.Path; };
        Guard(p.Line, what, [&] {
            void* inst = InstanceOf(c);
            TPropTarget target = FindPropPath(inst, cls, p.Path);
            if (!target) {
                const TExtraValue* extra = cls.FindExtra(p.Path);
                if (!extra) throw EPropertyError(Format("Property %s does not exist", p.Path));
                extra->Read(inst, p.Value);
                return;
            }
            if (target.Prop->Kind == TPropKind::Component &&
                !(p.Value.Type == TValue::vtIdent && SameText(p.Value.Text, "nil"))) {
                p.Value.AsIdent();
                FFixups.push_back({target, what(), p.Value.Text, p.Line});
                return;
            }
            TValueContext context;
            context.Methods = FRoot->MethodTable();
            SetPropValue(target, p.Value, context);
        });
    }

    void ReadChildren(TComponent* parent, const TObjectNode& node) {
        std::vector<TComponent*> children;
        for (const TObjectNode& childNode : node.Children) {
            TComponent* child = nullptr;
            const std::string what = childNode.Name.empty() ? childNode.ClassName : childNode.Name;
            if (childNode.Inherited) {
                child = FRoot->FindComponent(childNode.Name);
                if (!child) ReadError(childNode.Line, what, Format("Component %s not found", childNode.Name));
            } else {
                Guard(childNode.Line, what, [&] {
                    const TClassInfo& cls = GetClass(childNode.ClassName);
                    std::unique_ptr<TComponent> made(cls.Create(FRoot));
                    made->SetName(childNode.Name);
                    child = made.release();
                });
            }
            Begin(child);
            Guard(childNode.Line, what, [&] { child->SetParentComponent(parent); });
            ReadBody(child, childNode);
            children.push_back(child);
        }
        for (size_t i = 0; i < children.size(); ++i)
            Guard(node.Line, node.Name, [&] { parent->SetChildOrder(children[i], static_cast<int>(i)); });
    }

    void ResolveReferences() {
        for (const TFixup& f : FFixups) {
            TComponent* c = SameText(FRoot->Name(), f.Name) ? FRoot : FRoot->FindComponent(f.Name);
            if (!c) ReadError(f.Line, f.Component, Format("Component %s not found", f.Name));
            bool fits = false;
            Guard(f.Line, f.Component, [&] { fits = f.Target.Prop->SetComponent(f.Target.Instance, c); });
            if (!fits) ReadError(f.Line, f.Component, Format("%s is not a fitting component", f.Name));
        }
    }

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
};

struct TDescriptionTree {
    TObjectNode Root;
};

TParsedDescription ParseComponentText(std::string_view text) {
    TParsedDescription parsed;
    parsed.FTree = std::make_shared<const TDescriptionTree>(TDescriptionTree{ParseDescription(text)});
    return parsed;
}

void ReadComponent(TComponent* root, const TParsedDescription& description) {
    if (!description.FTree) throw EReadError("Error reading component: the description is empty");
    TReader(root).ReadRoot(description.FTree->Root);
}

void ReadComponentText(TComponent* root, std::string_view text) { ReadComponent(root, ParseComponentText(text)); }

void TParsedDescription::VisitObjects(const TVisit& visit) const {
    if (!FTree) return;
    std::function<void(const TObjectNode&, int)> walk = [&](const TObjectNode& node, int depth) {
        // Later lines win, as when they are applied.
        const TLookup lookup = [&node](std::string_view path) -> const TValue* {
            for (auto it = node.Props.rbegin(); it != node.Props.rend(); ++it)
                if (SameText(it->Path, path)) return &it->Value;
            return nullptr;
        };
        visit(depth, node.ClassName, lookup);
        for (const TObjectNode& child : node.Children) walk(child, depth + 1);
    };
    walk(FTree->Root, 0);
}

// ---------------------------------------------------------------- 4. the tree as bytes

namespace {

// The parsed tree, every line number kept, so that reading it reports what reading the text
// would, in the project's byte stream (numbers as their bytes, texts their length first):
//
//   "VBDESC" 0x01 0x0A                       magic and format
//   object:  inherited, line, name, class, property count (u32), properties,
//            child count (u32), children
//   property: path, line, value type (u8), value line, then by type: integer (i64) |
//            text (ident, string, binary) | item count (u32), items (set, list)
//
// Lines are i32.
constexpr std::string_view kBytesMagic("VBDESC\x01\n", 8);
// Deeper than any window nests: a damaged count cannot recurse the stack away.
constexpr int kMaxBytesDepth = 256;

class TTreeBytesWriter {
public:
    TTreeBytesWriter() { FOut.Bytes(kBytesMagic.data(), kBytesMagic.size()); }
    void Object(const TObjectNode& node) {
        FOut(node.Inherited);
        FOut(static_cast<int32_t>(node.Line));
        FOut(node.Name);
        FOut(node.ClassName);
        FOut(static_cast<uint32_t>(node.Props.size()));
        for (const TPropNode& prop : node.Props) {
            FOut(prop.Path);
            FOut(static_cast<int32_t>(prop.Line));
            Value(prop.Value);
        }
        FOut(static_cast<uint32_t>(node.Children.size()));
        for (const TObjectNode& child : node.Children) Object(child);
    }
    std::string& Out() { return FOut.Result(); }

private:
    void Value(const TValue& v) {
        FOut(static_cast<uint8_t>(v.Type));
        FOut(static_cast<int32_t>(v.Line));
        switch (v.Type) {
            case TValue::vtInteger: FOut(v.Integer); break;
            case TValue::vtIdent:
            case TValue::vtString:
            case TValue::vtBinary: FOut(v.Text); break;
            case TValue::vtSet:
            case TValue::vtList:
                FOut(static_cast<uint32_t>(v.Items.size()));
                for (const std::string& item : v.Items) FOut(item);
                break;
        }
    }
    TByteWriter FOut;
};

class TTreeBytesReader {
public:
    explicit TTreeBytesReader(std::string_view bytes) : FIn(bytes) {
        if (FIn.View(kBytesMagic.size()) != kBytesMagic) Damaged();
    }
    TObjectNode Object(int depth) {
        if (depth > kMaxBytesDepth) Damaged();
        TObjectNode node;
        FIn(node.Inherited);
        node.Line = Line();
        FIn(node.Name);
        FIn(node.ClassName);
        node.Props.resize(Count());
        for (TPropNode& prop : node.Props) {
            FIn(prop.Path);
            prop.Line = Line();
            Value(prop.Value);
        }
        const std::size_t children = Count();
        node.Children.reserve(children);
        for (std::size_t i = 0; i < children; ++i) node.Children.push_back(Object(depth + 1));
        return node;
    }
    void End() const {
        if (!FIn.AtEnd()) Damaged();
    }

private:
    [[noreturn]] static void Damaged() {
        throw EReadError("Error reading component: the description's bytes are damaged");
    }
    int Line() {
        int32_t line = 0;
        FIn(line);
        return line;
    }
    // Each counted thing takes at least a byte: a count the rest cannot hold is damage,
    // not a reason to make room for it.
    std::size_t Count() {
        uint32_t n = 0;
        FIn(n);
        if (FIn.Failed() || n > FIn.Left()) Damaged();
        return n;
    }
    void Value(TValue& v) {
        uint8_t type = 0;
        FIn(type);
        v.Line = Line();
        switch (type) {
            case TValue::vtInteger: FIn(v.Integer); break;
            case TValue::vtIdent:
            case TValue::vtString:
            case TValue::vtBinary: FIn(v.Text); break;
            case TValue::vtSet:
            case TValue::vtList:
                v.Items.resize(Count());
                for (std::string& item : v.Items) FIn(item);
                break;
            default: Damaged();
        }
        v.Type = static_cast<TValue::TType>(type);
    }
    TByteReader FIn;
};

}  // namespace

std::string ParsedDescriptionBytes(const TParsedDescription& description) {
    if (!description.FTree) throw EWriteError("Error writing component: the description is empty");
    TTreeBytesWriter writer;
    writer.Object(description.FTree->Root);
    return std::move(writer.Out());
}

TParsedDescription ParsedDescriptionFromBytes(std::string_view bytes) {
    TTreeBytesReader reader(bytes);
    TParsedDescription parsed;
    TObjectNode root = reader.Object(0);
    reader.End();
    parsed.FTree = std::make_shared<const TDescriptionTree>(TDescriptionTree{std::move(root)});
    return parsed;
}

TComponent* CreateComponentFromText(std::string_view text, TComponent* owner) {
    TObjectNode node = ParseDescription(text);
    const TClassInfo* cls = FindClass(node.ClassName);
    if (!cls)
        throw EReadError(
            Format("Error reading %s on line %d: Class %s not found", node.Name, node.Line, node.ClassName));
    std::unique_ptr<TComponent> root;
    try {
        root.reset(cls->Create(owner));
    } catch (const Exception& e) {
        throw EReadError(Format("Error reading %s on line %d: %s", node.Name, node.Line, e.Message()));
    }
    TReader(root.get()).ReadRoot(node);
    return root.release();
}

// ---------------------------------------------------------------- 5. writer

namespace {

constexpr size_t kStringChunk = 64;  // longer strings continue with "+" on further lines
constexpr size_t kHexPerLine = 64;

bool IsPrintable(unsigned char c) { return c >= 32 && c != 127; }

// One piece of a string: printable runs in quotes, other bytes as #nnn.
std::string QuoteString(std::string_view s) {
    if (s.empty()) return "''";
    std::string out;
    bool inQuote = false;
    for (char ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (IsPrintable(c)) {
            if (!inQuote) {
                out += '\'';
                inQuote = true;
            }
            if (c == '\'') out += "''";
            else out += ch;
        } else {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            out += '#' + IntToStr(c);
        }
    }
    if (inQuote) out += '\'';
    return out;
}

std::string Indent(int level) { return std::string(level * 2, ' '); }

std::string HexBytes(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

}  // namespace

// Friend of TComponent: it marks what it writes with csWriting.
class TWriter {
public:
    explicit TWriter(TComponent* root) : FRoot(root) {}

    std::string Write() {
        WriteComponent(FRoot, 0);
        return std::move(FOut);
    }

private:
    void Line(int level, const std::string& text) { FOut += Indent(level) + text + "\n"; }

    void WriteComponent(TComponent* c, int level) {
        const TClassInfo* cls = ClassInfoOf(c);
        if (!cls) throw EWriteError(Format("Class %s not registered", c->ClassName()));
        c->SetStateFlag(csWriting, true);
        TScopeExit unmark([c] { c->SetStateFlag(csWriting, false); });
        Line(level, "object " + (c->Name().empty() ? std::string() : c->Name() + ": ") + cls->Name());
        WriteProperties(InstanceOf(c), *cls, "", level + 1);
        for (const TExtraValue* extra : cls->AllExtras()) {
            if (!extra->Write) continue;
            if (std::optional<TValue> v = extra->Write(InstanceOf(c))) WriteValue(extra->Name, *v, level + 1);
        }
        std::vector<TComponent*> children;
        c->GetChildren([&](TComponent* child) { children.push_back(child); }, FRoot);
        for (TComponent* child : children) WriteComponent(child, level + 1);
        Line(level, "end");
    }

    void WriteProperties(void* inst, const TClassInfo& cls, const std::string& prefix, int level) {
        for (const TPropInfo* p : cls.AllProps()) {
            TPropTarget target{inst, p};
            if (!IsStoredProp(target)) continue;
            if (p->Kind == TPropKind::Object) {
                WriteProperties(p->GetObject(inst), p->ObjectClassInfo(), prefix + p->Name + ".", level);
                continue;
            }
            std::optional<TValue> v = GetPropValue(target);
            if (!v) continue;
            std::string name = prefix + p->Name + (p->Kind == TPropKind::Strings ? ".Strings" : "");
            WriteValue(name, *v, level);
        }
    }

    // A string, split into chunks joined by "+" at the given level.
    void WriteStringLines(std::string_view s, int level, const std::string& after) {
        std::vector<std::string_view> chunks;
        for (size_t i = 0; i < s.size(); i += kStringChunk) chunks.push_back(s.substr(i, kStringChunk));
        if (chunks.empty()) chunks.push_back("");
        for (size_t i = 0; i < chunks.size(); ++i)
            Line(level, QuoteString(chunks[i]) + (i + 1 < chunks.size() ? " +" : after));
    }

    void WriteValue(const std::string& name, const TValue& v, int level) {
        switch (v.Type) {
            case TValue::vtString:
                if (v.Text.size() <= kStringChunk) {
                    Line(level, name + " = " + QuoteString(v.Text));
                } else {
                    Line(level, name + " =");
                    WriteStringLines(v.Text, level + 1, "");
                }
                return;
            case TValue::vtList:
                if (v.Items.empty()) {
                    Line(level, name + " = ()");
                    return;
                }
                Line(level, name + " = (");
                for (size_t i = 0; i < v.Items.size(); ++i)
                    WriteStringLines(v.Items[i], level + 1, i + 1 < v.Items.size() ? "" : ")");
                return;
            case TValue::vtBinary: {
                if (v.Text.empty()) {
                    Line(level, name + " = {}");
                    return;
                }
                Line(level, name + " = {");
                std::string hex = HexBytes(v.Text);
                for (size_t i = 0; i < hex.size(); i += kHexPerLine)
                    Line(level + 1, hex.substr(i, kHexPerLine) + (i + kHexPerLine >= hex.size() ? "}" : ""));
                return;
            }
            default: Line(level, name + " = " + FormatValueText(v));
        }
    }

    TComponent* FRoot;
    std::string FOut;
};

std::string WriteComponentText(TComponent* root) { return TWriter(root).Write(); }

// ---------------------------------------------------------------- 6. single values

TValue ParseValueText(std::string_view text) {
    TLexer lex(text);
    TValue v = ParseValue(lex);
    if (lex.Peek().Kind != tkEnd) SyntaxError(lex.Peek().Line, "End of value expected" + lex.Found());
    return v;
}

std::string FormatValueText(const TValue& v) {
    switch (v.Type) {
        case TValue::vtInteger: return IntToStr(v.Integer);
        case TValue::vtIdent: return v.Text;
        case TValue::vtString: return QuoteString(v.Text);
        case TValue::vtSet: {
            std::string out = "[";
            for (size_t i = 0; i < v.Items.size(); ++i) out += (i ? ", " : "") + v.Items[i];
            return out + "]";
        }
        case TValue::vtList: {
            std::string out = "(";
            for (const std::string& s : v.Items) out += " " + QuoteString(s);
            return out + " )";
        }
        case TValue::vtBinary: return "{" + HexBytes(v.Text) + "}";
    }
    return "";
}

bool SetPropText(TObject* obj, std::string_view path, std::string_view valueText) {
    if (!FindPropPath(obj, path)) return false;
    return SetPropValue(obj, path, ParseValueText(valueText));
}
