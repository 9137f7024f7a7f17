// Sections: TEnumInfo, TValue, TPropInfo and TClassInfo, registry, framework tables,
// properties by name.
#include "framework/core/typinfo.h"

#include <algorithm>
#include <map>
#include <memory>
#include <typeindex>

#include "framework/core/scope_guards.h"
#include "framework/core/strings.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"

// ---------------------------------------------------------------- TEnumInfo

const std::string* TEnumInfo::NameOf(int64_t value) const {
    for (const auto& [name, v] : Values)
        if (v == value) return &name;
    return nullptr;
}

bool TEnumInfo::ValueOf(std::string_view name, int64_t& value) const {
    for (const auto& [n, v] : Values)
        if (SameText(n, name)) {
            value = v;
            return true;
        }
    return false;
}

TEnumInfo MakeEnumInfo(std::string typeName, std::initializer_list<const char*> names) {
    TEnumInfo info;
    info.TypeName = std::move(typeName);
    int64_t i = 0;
    for (const char* n : names) info.Values.emplace_back(n, i++);
    return info;
}

std::string GetEnumName(const TEnumInfo& info, int64_t value) {
    const std::string* name = info.NameOf(value);
    return name ? *name : IntToStr(value);
}

int64_t GetEnumValue(const TEnumInfo& info, std::string_view name) {
    int64_t v = -1;
    return info.ValueOf(name, v) ? v : -1;
}

// ---------------------------------------------------------------- TValue

namespace {
[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }
}  // namespace

TValue TValue::Int(int64_t v) {
    TValue r;
    r.Type = vtInteger;
    r.Integer = v;
    return r;
}
TValue TValue::Ident(std::string name) {
    TValue r;
    r.Type = vtIdent;
    r.Text = std::move(name);
    return r;
}
TValue TValue::Str(std::string text) {
    TValue r;
    r.Type = vtString;
    r.Text = std::move(text);
    return r;
}
TValue TValue::SetOf(std::vector<std::string> elements) {
    TValue r;
    r.Type = vtSet;
    r.Items = std::move(elements);
    return r;
}
TValue TValue::List(std::vector<std::string> strings) {
    TValue r;
    r.Type = vtList;
    r.Items = std::move(strings);
    return r;
}
TValue TValue::Binary(std::string bytes) {
    TValue r;
    r.Type = vtBinary;
    r.Text = std::move(bytes);
    return r;
}

int64_t TValue::AsInteger() const {
    if (Type != vtInteger) InvalidValue();
    return Integer;
}
bool TValue::AsBoolean() const {
    if (Type == vtIdent && SameText(Text, "True")) return true;
    if (Type == vtIdent && SameText(Text, "False")) return false;
    InvalidValue();
}
const std::string& TValue::AsIdent() const {
    if (Type != vtIdent) InvalidValue();
    return Text;
}
const std::string& TValue::AsString() const {
    if (Type != vtString) InvalidValue();
    return Text;
}

// ---------------------------------------------------------------- TPropInfo, TClassInfo

bool TPropInfo::IsOrdinal() const {
    return Kind == TPropKind::Integer || Kind == TPropKind::Boolean || Kind == TPropKind::Enumeration ||
           Kind == TPropKind::Set || Kind == TPropKind::Color;
}

std::optional<int64_t> TPropInfo::OrdinalDefault() const {
    if (DefaultFromInstance) DeclaredBy->ReadInstanceDefaults();
    return OrdDefault;
}

std::optional<std::string> TPropInfo::StringDefault() const {
    if (DefaultFromInstance) DeclaredBy->ReadInstanceDefaults();
    return StrDefault;
}

bool TPropInfo::IsReadOnly() const {
    if (IsOrdinal()) return !SetOrd;
    if (Kind == TPropKind::String || Kind == TPropKind::Binary) return !SetStr;
    return false;
}

const TClassInfo* TClassInfo::Parent() const {
    if (FParentName.empty()) return nullptr;
    if (!FParent) FParent = &GetClass(FParentName);
    return FParent;
}

bool TClassInfo::InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        if (c == other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        if (SameText(c->FName, className)) return true;
    return false;
}

void TClassInfo::WithFreshInstance(const std::function<void(void*)>& f) const {
    if (!FWithFreshInstance) throw EClassNotFound(Format("Cannot create an instance of class %s", FName));
    FWithFreshInstance(f);
}

void TClassInfo::ReadInstanceDefaults() const {
    if (FInstanceDefaultsRead) return;
    WithFreshInstance([this](void* fresh) {
        for (const TPropInfo& p : FProps) {
            if (!p.DefaultFromInstance) continue;
            if (p.IsOrdinal()) p.OrdDefault = p.GetOrd(fresh);
            else if (p.GetStr) p.StrDefault = p.GetStr(fresh);
        }
    });
    FInstanceDefaultsRead = true;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!FCreate) throw EClassNotFound(Format("Cannot create an instance of class %s", FName));
    return FCreate(owner);
}

std::size_t TClassInfo::TNameHash::operator()(std::string_view name) const {
    std::size_t h = 14695981039346656037ull;  // FNV-1a over the lower-case letters
    for (char c : name) h = (h ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
    return h;
}

bool TClassInfo::TNameEqual::operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
    if (const std::size_t added = typinfo_detail::PropEntriesAdded.load(std::memory_order_relaxed);
        added != FCheckedAt) {
        std::size_t total = 0;
        for (const TClassInfo* c = this; c; c = c->Parent()) total += c->FProps.size();
        if (total != FIndexedProps) {
            FPropIndex.clear();
            for (const TClassInfo* c = this; c; c = c->Parent())
                for (const TPropInfo& p : c->FProps) FPropIndex.emplace(p.Name, &p);
            FIndexedProps = total;
        }
        FCheckedAt = added;
    }
    auto it = FPropIndex.find(name);
    return it == FPropIndex.end() ? nullptr : it->second;
}

void TClassInfo::IndexProps() const {
    // The class and the classes of its sub-objects, each once (a sub-object may hold one of
    // its owner's class again).
    std::vector<const TClassInfo*> pending{this}, done;
    while (!pending.empty()) {
        const TClassInfo* next = pending.back();
        pending.pop_back();
        if (std::find(done.begin(), done.end(), next) != done.end()) continue;
        done.push_back(next);
        next->FindProp({});
        for (const TClassInfo* c = next; c; c = c->Parent())
            for (const TPropInfo& p : c->FProps)
                if (p.Kind == TPropKind::Object)
                    if (const TClassInfo* sub = FindClass(p.ObjectClass)) pending.push_back(sub);
    }
}

const TExtraValue* TClassInfo::FindExtra(std::string_view name) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        for (const TExtraValue& e : c->FExtras)
            if (SameText(e.Name, name)) return &e;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent()) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->FProps) {
            // A subclass may publish a property again (another default, another rule): the
            // later entry replaces the inherited one in its place.
            bool replaced = false;
            for (const TPropInfo*& q : out)
                if (SameText(q->Name, p.Name)) {
                    q = &p;
                    replaced = true;
                }
            if (!replaced) out.push_back(&p);
        }
    return out;
}

std::vector<const TExtraValue*> TClassInfo::AllExtras() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent()) chain.push_back(c);
    std::vector<const TExtraValue*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TExtraValue& e : (*it)->FExtras) out.push_back(&e);
    return out;
}

// ---------------------------------------------------------------- registry

namespace {

struct Registry {
    std::map<std::string, std::unique_ptr<TClassInfo>> ByName;  // upper-cased name
    std::map<std::type_index, const TClassInfo*> ByType;        // registered types
    // Unregistered types → their nearest registered class; a new registration may change
    // the answer, so it empties this.
    std::map<std::type_index, const TClassInfo*> Nearest;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

// Every look-up goes through here so that the core's own tables exist first.
Registry& RegistryForLookup() {
    static const bool coreRegistered = (RegisterCoreClasses(), true);
    (void)coreRegistered;
    return TheRegistry();
}

}  // namespace

TClassInfo* BeginClassRegistration(const std::string& name, const std::string& parent, const std::type_info& type,
                                   bool& isNew) {
    Registry& r = TheRegistry();
    auto& slot = r.ByName[UpperCase(name)];
    isNew = !slot;
    if (!slot) {
        slot = std::make_unique<TClassInfo>();
        slot->FName = name;
        slot->FParentName = parent;
        slot->FType = &type;
        r.ByType[std::type_index(type)] = slot.get();
        r.Nearest.clear();
    }
    return slot.get();
}

void SetClassInstanceTest(TClassInfo& info, std::function<bool(const TObject*)> test) {
    info.FIsInstance = std::move(test);
}

void SetClassFactory(TClassInfo& info, std::function<TComponent*(TComponent*)> factory) {
    info.FCreate = std::move(factory);
}

void SetClassFreshInstance(TClassInfo& info, std::function<void(const std::function<void(void*)>&)> make) {
    info.FWithFreshInstance = std::move(make);
}

const TClassInfo* FindClass(std::string_view name) {
    Registry& r = RegistryForLookup();
    auto it = r.ByName.find(UpperCase(name));
    return it == r.ByName.end() ? nullptr : it->second.get();
}

std::vector<const TClassInfo*> RegisteredClasses() {
    std::vector<const TClassInfo*> out;
    for (const auto& [key, info] : RegistryForLookup().ByName) out.push_back(info.get());
    return out;
}

const TClassInfo& GetClass(std::string_view name) {
    const TClassInfo* c = FindClass(name);
    if (!c) throw EClassNotFound(Format("Class %s not found", name));
    return *c;
}

const TClassInfo& TPropInfo::ObjectClassInfo() const {
    if (!FObjectClassInfo) FObjectClassInfo = &GetClass(ObjectClass);
    return *FObjectClassInfo;
}

const TClassInfo* ClassInfoOfType(const std::type_info& type) {
    Registry& r = RegistryForLookup();
    auto it = r.ByType.find(std::type_index(type));
    return it == r.ByType.end() ? nullptr : it->second;
}

const TClassInfo* ClassInfoOf(const TObject* obj) {
    if (!obj) return nullptr;
    Registry& r = RegistryForLookup();
    std::type_index type(typeid(*obj));
    auto it = r.ByType.find(type);
    if (it != r.ByType.end()) return it->second;
    if (auto near = r.Nearest.find(type); near != r.Nearest.end()) return near->second;
    // An unregistered subclass: the deepest registered class it is an instance of.
    const TClassInfo* best = nullptr;
    int bestDepth = -1;
    for (auto& [key, info] : r.ByName) {
        if (!info->IsInstance(obj)) continue;
        int depth = 0;
        for (const TClassInfo* c = info.get(); c; c = c->Parent()) ++depth;
        if (depth > bestDepth) {
            best = info.get();
            bestDepth = depth;
        }
    }
    r.Nearest[type] = best;
    return best;
}

// ---------------------------------------------------------------- framework tables

const TEnumInfo& FontStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return info;
}
const TEnumInfo& FontPitchInfo() {
    static const TEnumInfo info = MakeEnumInfo("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
    return info;
}
const TEnumInfo& CharsetInfo() {
    static const TEnumInfo info{"TFontCharset",
                                {{"ANSI_CHARSET", ANSI_CHARSET},
                                 {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                 {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                 {"MAC_CHARSET", 77},
                                 {"SHIFTJIS_CHARSET", 128},
                                 {"HANGEUL_CHARSET", 129},
                                 {"JOHAB_CHARSET", 130},
                                 {"GB2312_CHARSET", 134},
                                 {"CHINESEBIG5_CHARSET", 136},
                                 {"GREEK_CHARSET", GREEK_CHARSET},
                                 {"TURKISH_CHARSET", TURKISH_CHARSET},
                                 {"VIETNAMESE_CHARSET", 163},
                                 {"HEBREW_CHARSET", 177},
                                 {"ARABIC_CHARSET", 178},
                                 {"BALTIC_CHARSET", BALTIC_CHARSET},
                                 {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                                 {"THAI_CHARSET", 222},
                                 {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                                 {"OEM_CHARSET", 255}}};
    return info;
}
const TEnumInfo& PenStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    return info;
}
const TEnumInfo& PenModeInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TPenMode", {"pmCopy", "pmNot", "pmXor", "pmNotXor", "pmBlack", "pmWhite"});
    return info;
}
const TEnumInfo& BrushStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                                               "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
    return info;
}

void RegisterCoreClasses() {
    // Name is written in the object header, never as a property line.
    RegisterClass<TComponent>("TComponent", "", [](TClassBuilder<TComponent>& b) {
        b.String("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
        b.Integer("Tag", &TComponent::Tag, &TComponent::SetTag).Default();
    });
    // A stored font carries its whole description (as the window's fonts are written);
    // Size is another view of Height and is not stored, Pitch only when not the default.
    RegisterClass<TFont>("TFont", "", [](TClassBuilder<TFont>& b) {
        b.Integer("Charset", &TFont::Charset, &TFont::SetCharset, &CharsetInfo());
        b.Color("Color", &TFont::Color, &TFont::SetColor);
        b.Integer("Height", &TFont::Height, &TFont::SetHeight);
        b.String("Name", &TFont::Name, &TFont::SetName).NoDefault();
        b.Enumeration("Pitch", FontPitchInfo(), &TFont::Pitch, &TFont::SetPitch).Default();
        b.Integer("Size", &TFont::Size, &TFont::SetSize).Stored(false);
        b.SetOf("Style", FontStyleInfo(), &TFont::Style, &TFont::SetStyle);
    });
    RegisterClass<TPen>("TPen", "", [](TClassBuilder<TPen>& b) {
        b.Color("Color", &TPen::Color, &TPen::SetColor).Default();
        b.Enumeration("Mode", PenModeInfo(), &TPen::Mode, &TPen::SetMode).Default();
        b.Enumeration("Style", PenStyleInfo(), &TPen::Style, &TPen::SetStyle).Default();
        b.Integer("Width", &TPen::Width, &TPen::SetWidth).Default();
    });
    RegisterClass<TBrush>("TBrush", "", [](TClassBuilder<TBrush>& b) {
        b.Color("Color", &TBrush::Color, &TBrush::SetColor).Default();
        b.Enumeration("Style", BrushStyleInfo(), &TBrush::Style, &TBrush::SetStyle).Default();
    });
}

// ---------------------------------------------------------------- properties by name

TPropTarget FindPropPath(void* instance, const TClassInfo& cls, std::string_view path) {
    const TClassInfo* c = &cls;
    void* inst = instance;
    while (true) {
        size_t dot = path.find('.');
        std::string_view head = path.substr(0, dot);
        const TPropInfo* p = c->FindProp(head);
        if (!p) return {};
        if (dot == std::string_view::npos) return {inst, p};
        std::string_view rest = path.substr(dot + 1);
        // "Lines.Strings" names the list itself.
        if (p->Kind == TPropKind::Strings && SameText(rest, "Strings")) return {inst, p};
        if (p->Kind != TPropKind::Object) return {};
        inst = p->GetObject(inst);
        if (!inst) return {};
        c = &p->ObjectClassInfo();
        path = rest;
    }
}

TPropTarget FindPropPath(TObject* obj, std::string_view path) {
    const TClassInfo* c = ClassInfoOf(obj);
    if (!c) return {};
    return FindPropPath(InstanceOf(obj), *c, path);
}

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
    const TClassInfo* c = ClassInfoOf(obj);
    return c ? c->FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name) != nullptr; }

namespace {
TPropTarget RequireProp(TObject* obj, std::string_view name) {
    TPropTarget t = FindPropPath(obj, name);
    if (!t) throw EPropertyError(Format("Property %s does not exist", name));
    return t;
}
}  // namespace

int64_t GetOrdProp(TObject* obj, std::string_view name) {
    TPropTarget t = RequireProp(obj, name);
    if (!t.Prop->IsOrdinal()) throw EPropertyError(Format("Property %s is not ordinal", name));
    return t.Prop->GetOrd(t.Instance);
}

bool SetOrdProp(TObject* obj, std::string_view name, int64_t value) {
    TPropTarget t = FindPropPath(obj, name);
    if (!t || !t.Prop->IsOrdinal() || !t.Prop->SetOrd) return false;
    t.Prop->SetOrd(t.Instance, value);
    return true;
}

std::string GetStrProp(TObject* obj, std::string_view name) {
    TPropTarget t = RequireProp(obj, name);
    if (t.Prop->Kind != TPropKind::String) throw EPropertyError(Format("Property %s is not a string", name));
    return t.Prop->GetStr(t.Instance);
}

bool SetStrProp(TObject* obj, std::string_view name, const std::string& value) {
    TPropTarget t = FindPropPath(obj, name);
    if (!t || t.Prop->Kind != TPropKind::String || !t.Prop->SetStr) return false;
    t.Prop->SetStr(t.Instance, value);
    return true;
}

bool SetEnumProp(TObject* obj, std::string_view name, std::string_view valueName) {
    TPropTarget t = FindPropPath(obj, name);
    if (!t || t.Prop->Kind != TPropKind::Enumeration || !t.Prop->SetOrd) return false;
    int64_t v = 0;
    if (!t.Prop->Enum->ValueOf(valueName, v)) return false;
    t.Prop->SetOrd(t.Instance, v);
    return true;
}

namespace {

int64_t OrdinalOf(const TPropInfo& p, const TValue& value) {
    switch (p.Kind) {
        case TPropKind::Integer:
            if (value.Type == TValue::vtIdent && p.Enum) {
                int64_t v = 0;
                if (p.Enum->ValueOf(value.Text, v)) return v;
            }
            return value.AsInteger();
        case TPropKind::Boolean: return value.AsBoolean() ? 1 : 0;
        case TPropKind::Enumeration: {
            int64_t v = 0;
            if (!p.Enum->ValueOf(value.AsIdent(), v)) InvalidValue();
            return v;
        }
        case TPropKind::Set: {
            if (value.Type != TValue::vtSet) InvalidValue();
            int64_t bits = 0;
            for (const std::string& e : value.Items) {
                int64_t bit = 0;
                if (!p.Enum->ValueOf(e, bit)) InvalidValue();
                bits |= int64_t{1} << bit;
            }
            return bits;
        }
        case TPropKind::Color: {
            if (value.Type == TValue::vtIdent) {
                TColor c = 0;
                if (!IdentToColor(value.Text.c_str(), c)) InvalidValue();
                return c;
            }
            // Colours are 32-bit patterns; a negative number spells a system colour.
            return static_cast<uint32_t>(value.AsInteger());
        }
        default: InvalidValue();
    }
}

}  // namespace

void SetPropValue(const TPropTarget& target, const TValue& value, const TValueContext& context) {
    const TPropInfo& p = *target.Prop;
    void* inst = target.Instance;
    if (p.IsReadOnly()) throw EPropertyError(Format("Property %s is read-only", p.Name));
    switch (p.Kind) {
        case TPropKind::Integer:
        case TPropKind::Boolean:
        case TPropKind::Enumeration:
        case TPropKind::Set:
        case TPropKind::Color: p.SetOrd(inst, OrdinalOf(p, value)); return;
        case TPropKind::String: p.SetStr(inst, value.AsString()); return;
        case TPropKind::Binary:
            if (value.Type != TValue::vtBinary) InvalidValue();
            p.SetStr(inst, value.Text);
            return;
        case TPropKind::Strings: {
            if (value.Type != TValue::vtList) InvalidValue();
            TStrings* list = p.GetStrings(inst);
            if (!list) InvalidValue();
            TStringsUpdate update(list);
            list->Clear();
            for (const std::string& s : value.Items) list->Add(s);
            return;
        }
        case TPropKind::Component: {
            const std::string& name = value.AsIdent();
            TComponent* c = nullptr;
            if (!SameText(name, "nil")) {
                c = context.FindComponent ? context.FindComponent(name) : nullptr;
                if (!c) throw EPropertyError(Format("Component %s not found", name));
            }
            if (!p.SetComponent(inst, c))
                throw EPropertyError(Format("Component %s does not fit property %s", name, p.Name));
            return;
        }
        case TPropKind::Event: {
            const std::string& name = value.AsIdent();
            if (SameText(name, "nil")) {
                p.SetEvent(inst, nullptr, "");
                return;
            }
            const std::any* handler = context.Methods ? context.Methods->Find(name) : nullptr;
            if (!handler) throw EPropertyError(Format("Method %s not found", name));
            p.SetEvent(inst, handler, name);
            return;
        }
        case TPropKind::Object: throw EPropertyError(Format("Property %s holds an object; set its parts", p.Name));
    }
}

bool SetPropValue(TObject* obj, std::string_view path, const TValue& value) {
    TPropTarget t = FindPropPath(obj, path);
    if (!t) return false;
    TValueContext context;
    TComponent* owner = nullptr;
    if (auto* c = dynamic_cast<TComponent*>(obj)) owner = c->Owner() ? c->Owner() : c;
    if (owner) {
        context.FindComponent = [owner](const std::string& name) -> TComponent* {
            if (SameText(owner->Name(), name)) return owner;
            return owner->FindComponent(name);
        };
        context.Methods = owner->MethodTable();
    }
    SetPropValue(t, value, context);
    return true;
}

std::optional<TValue> GetPropValue(const TPropTarget& target) {
    const TPropInfo& p = *target.Prop;
    void* inst = target.Instance;
    switch (p.Kind) {
        case TPropKind::Integer: {
            int64_t v = p.GetOrd(inst);
            if (p.Enum)
                if (const std::string* name = p.Enum->NameOf(v)) return TValue::Ident(*name);
            return TValue::Int(v);
        }
        case TPropKind::Boolean: return TValue::Ident(p.GetOrd(inst) ? "True" : "False");
        case TPropKind::Enumeration: {
            int64_t v = p.GetOrd(inst);
            if (const std::string* name = p.Enum->NameOf(v)) return TValue::Ident(*name);
            return TValue::Int(v);
        }
        case TPropKind::Set: {
            uint64_t bits = static_cast<uint64_t>(p.GetOrd(inst));
            std::vector<std::string> elements;
            for (const auto& [name, bit] : p.Enum->Values)
                if (bit >= 0 && bit < 64 && (bits >> bit) & 1) elements.push_back(name);
            return TValue::SetOf(std::move(elements));
        }
        case TPropKind::Color: {
            TColor c = static_cast<TColor>(p.GetOrd(inst));
            const char* ident = nullptr;
            if (ColorToIdent(c, ident) && ident) return TValue::Ident(ident);
            return TValue::Int(static_cast<int32_t>(c));
        }
        case TPropKind::String: return TValue::Str(p.GetStr(inst));
        case TPropKind::Binary: return TValue::Binary(p.GetStr(inst));
        case TPropKind::Strings: {
            std::vector<std::string> lines;
            if (TStrings* list = p.GetStrings(inst))
                for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Get(i));
            return TValue::List(std::move(lines));
        }
        case TPropKind::Component: {
            TComponent* c = p.GetComponent(inst);
            return TValue::Ident(c ? c->Name() : std::string("nil"));
        }
        case TPropKind::Event: {
            std::string name = p.EventName(inst);
            if (name.empty()) return std::nullopt;
            return TValue::Ident(name);
        }
        case TPropKind::Object: return std::nullopt;
    }
    return std::nullopt;
}

bool IsStoredProp(const TPropTarget& target) {
    const TPropInfo& p = *target.Prop;
    void* inst = target.Instance;
    if (p.StoredRule && !p.StoredRule(inst)) return false;
    switch (p.Kind) {
        case TPropKind::Integer:
        case TPropKind::Boolean:
        case TPropKind::Enumeration:
        case TPropKind::Set:
        case TPropKind::Color: {
            const std::optional<int64_t> def = p.OrdinalDefault();
            return !def || p.GetOrd(inst) != *def;
        }
        case TPropKind::String: {
            const std::optional<std::string> def = p.StringDefault();
            return !def || p.GetStr(inst) != *def;
        }
        case TPropKind::Binary: return !p.GetStr(inst).empty();
        case TPropKind::Strings: {
            TStrings* list = p.GetStrings(inst);
            return list && list->Count() > 0;
        }
        case TPropKind::Component: {
            TComponent* c = p.GetComponent(inst);
            return c && !c->Name().empty();
        }
        case TPropKind::Event: return p.EventAssigned(inst) && !p.EventName(inst).empty();
        case TPropKind::Object: return p.GetObject(inst) != nullptr;
    }
    return true;
}
