// Published properties and the class registry. Every class registers once: its name, its
// parent's name, a factory (for components that a stored description may create) and one
// table of published properties (name, kind, getter, setter, default, "stored" rule), plus
// the extra named values it reads and writes itself (FixedDimension) and the obsolete names
// it still accepts from older descriptions. Look-ups walk parent classes. Streaming and the
// frame controller's "set a property by name" use this; nothing else does.
//
// Defaults have one home, the class's constructor and field initialisers: .Default() takes
// as the default what a fresh instance of the class holds (made once, the first time a
// default of the class is needed, by the class's own constructor: a component without an
// owner, any other class default-constructed). .Default(value) states one instead, for the
// rare property whose stored default is not its initial value; .NoDefault() stores always.
// A class that re-publishes an inherited property with .Default() reads it from its own
// fresh instance, so a subclass whose constructor changes a value re-publishes it.
//
//   1. enumeration and set names (TEnumInfo)
//   2. values as a description spells them (TValue)
//   3. TPropInfo, TExtraValue, TClassInfo
//   4. TClassBuilder: declaring a class's table
//   5. registry
//   6. getting and setting properties by name
//
// Instance pointers: a table's accessors take a void* that is the TObject* of the instance
// for classes derived from TObject (static_cast<TObject*>(p)), and the object's own address
// for plain classes such as TFont. InstanceOf() makes the right one.
//
// Example, next to a control:
//
//   void TVtLine::RegisterClassInfo() {
//       RegisterClass<TVtLine>("TVtLine", "TGraphicControl", [](TClassBuilder<TVtLine>& b) {
//           b.Color("LineColor", &TVtLine::LineColor, &TVtLine::SetLineColor).Default();
//           b.Enumeration("Direction", DirectionInfo(), &TVtLine::Direction, &TVtLine::SetDirection)
//               .Default();
//           b.Object("Font", "TFont", &TVtLine::Font).Stored([](TVtLine& l) { return !l.ParentFont(); });
//           b.Event("OnClick", &TVtLine::OnClick);
//           b.DefineInteger("FixedDimension", [](TVtLine& l, int64_t v) { l.FFixed = v; },
//                           [](TVtLine& l) { return std::optional<int64_t>(l.FFixed); });
//           b.Discard("FrameSides");
//       });
//   }
#pragma once

#include <any>
#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/color.h"

class TStrings;
class TClassInfo;

// ---------------------------------------------------------------- 1. TEnumInfo

// Names of an enumeration's values (value = ordinal), of a set's elements (value = the bit
// that stands for the element in the stored bits), or identifiers an integer property
// accepts in place of a number (Charset: DEFAULT_CHARSET = 1).
struct TEnumInfo {
    std::string TypeName;
    std::vector<std::pair<std::string, int64_t>> Values;

    const std::string* NameOf(int64_t value) const;             // nullptr when no name has that value
    bool ValueOf(std::string_view name, int64_t& value) const;  // case-insensitive
};
// Values 0, 1, 2, … in the order given.
TEnumInfo MakeEnumInfo(std::string typeName, std::initializer_list<const char*> names);

// ---------------------------------------------------------------- 2. TValue

// One property value as a stored description spells it.
struct TValue {
    enum TType {
        vtInteger,  // 12, -3, $FF
        vtIdent,    // fsFlat, True, clBtnFace, btnCreateClick, nil
        vtString,   // 'text'#13'more'
        vtSet,      // [fsBold, fsItalic]: Items
        vtList,     // ( 'line 1' 'line 2' ): Items
        vtBinary    // { 0A0B… }: Text holds the bytes
    };
    TType Type = vtInteger;
    int64_t Integer = 0;
    std::string Text;
    std::vector<std::string> Items;
    int Line = 0;  // where a reader found it; 0 when made in code

    static TValue Int(int64_t v);
    static TValue Ident(std::string name);
    static TValue Str(std::string text);
    static TValue SetOf(std::vector<std::string> elements);
    static TValue List(std::vector<std::string> strings);
    static TValue Binary(std::string bytes);

    // The value read as one kind; EPropertyError "Invalid property value" when it is not.
    int64_t AsInteger() const;
    bool AsBoolean() const;  // True / False
    const std::string& AsIdent() const;
    const std::string& AsString() const;
    friend bool operator==(const TValue& a, const TValue& b) {
        return a.Type == b.Type && a.Integer == b.Integer && a.Text == b.Text && a.Items == b.Items;
    }
};

// ---------------------------------------------------------------- 3. TPropInfo, TClassInfo

enum class TPropKind {
    Integer,      // GetOrd/SetOrd; Enum (optional) lists identifiers it accepts
    Boolean,      // GetOrd/SetOrd, 0 or 1
    Enumeration,  // GetOrd/SetOrd by ordinal; Enum names the values
    Set,          // GetOrd/SetOrd with the stored bits; Enum names the elements
    Color,        // GetOrd/SetOrd; identifiers through IdentToColor / ColorToIdent
    String,       // GetStr/SetStr
    Binary,       // GetStr/SetStr with raw bytes
    Object,       // GetObject: a sub-object whose own table (ObjectClass) holds "Font.Name"
    Strings,      // GetStrings: a TStrings whose lines a list value replaces
    Component,    // GetComponent/SetComponent: a reference resolved by name after loading
    Event         // SetEvent binds a handler of the root's method table by name
};

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr;
    std::string ObjectClass;
    // The table of ObjectClass, looked up once: a description sets "Font.Name" and the like
    // on hundreds of its lines.
    const TClassInfo& ObjectClassInfo() const;
    mutable const TClassInfo* FObjectClassInfo = nullptr;

    std::function<int64_t(void*)> GetOrd;
    std::function<void(void*, int64_t)> SetOrd;
    std::function<std::string(void*)> GetStr;
    std::function<void(void*, const std::string&)> SetStr;
    std::function<void*(void*)> GetObject;
    std::function<TStrings*(void*)> GetStrings;
    std::function<TComponent*(void*)> GetComponent;
    std::function<bool(void*, TComponent*)> SetComponent;  // false: not a component of its class
    std::function<bool(void*)> EventAssigned;
    std::function<std::string(void*)> EventName;  // the handler name it was bound to by name
    // handler nullptr clears the event. EPropertyError when the handler's type differs.
    std::function<void(void*, const std::any* handler, const std::string& method)> SetEvent;

    std::function<bool(void*)> StoredRule;  // nullptr: stored

    // The default the stored rule compares with; nullopt: always stored. Strings default to
    // "" unless the table says otherwise.
    std::optional<int64_t> OrdinalDefault() const;
    std::optional<std::string> StringDefault() const;

    bool IsOrdinal() const;
    bool IsReadOnly() const;

    // Set by the table: a default given as a value, or (FromInstance) read from a fresh
    // instance of the class that declares the entry when first asked for.
    mutable std::optional<int64_t> OrdDefault;
    mutable std::optional<std::string> StrDefault = std::string();
    bool DefaultFromInstance = false;
    const TClassInfo* DeclaredBy = nullptr;
};

// An extra named value a class reads (and maybe writes) itself: FixedDimension, or the
// obsolete name of an older description (Write empty: read and mapped or discarded).
struct TExtraValue {
    std::string Name;
    std::function<void(void*, const TValue&)> Read;
    std::function<std::optional<TValue>(void*)> Write;  // nullopt: nothing to store now
};

class TClassInfo {
public:
    const std::string& Name() const { return FName; }
    const std::string& ParentName() const { return FParentName; }
    // EClassNotFound "Class %s not found" when the parent was named but never registered.
    const TClassInfo* Parent() const;
    bool InheritsFrom(const TClassInfo* other) const;  // itself included
    bool InheritsFrom(std::string_view className) const;

    bool CanCreate() const { return static_cast<bool>(FCreate); }
    // A fresh instance made by the class's own constructor (a component without an owner,
    // any other class default-constructed), for the time of f; false when the class makes
    // none (it is abstract or has no such constructor).
    bool CanMakeInstance() const { return static_cast<bool>(FWithFreshInstance); }
    void WithFreshInstance(const std::function<void(void*)>& f) const;
    // EClassNotFound "Cannot create an instance of class %s" when it has no factory.
    TComponent* Create(TComponent* owner) const;
    bool IsInstance(const TObject* obj) const { return FIsInstance && FIsInstance(obj); }
    const std::type_info& Type() const { return *FType; }

    // Own and inherited entries, case-insensitive names; nullptr when absent. The index by
    // name is made on the first lookup; IndexProps makes it now (and for the classes of its
    // sub-objects), for a reader that looks ahead on another thread.
    const TPropInfo* FindProp(std::string_view name) const;
    void IndexProps() const;
    const TExtraValue* FindExtra(std::string_view name) const;
    // Inherited first, in declaration order.
    std::vector<const TPropInfo*> AllProps() const;
    std::vector<const TExtraValue*> AllExtras() const;

private:
    template <class T>
    friend class TClassBuilder;
    friend TClassInfo* BeginClassRegistration(const std::string&, const std::string&, const std::type_info&, bool&);
    friend void SetClassInstanceTest(TClassInfo&, std::function<bool(const TObject*)>);
    friend void SetClassFactory(TClassInfo&, std::function<TComponent*(TComponent*)>);
    friend void SetClassFreshInstance(TClassInfo&, std::function<void(const std::function<void(void*)>&)>);
    friend struct TPropInfo;
    // The defaults the class's own entries take from a fresh instance, read once.
    void ReadInstanceDefaults() const;
    std::string FName;
    std::string FParentName;
    const std::type_info* FType = nullptr;
    std::function<TComponent*(TComponent*)> FCreate;
    std::function<bool(const TObject*)> FIsInstance;
    std::function<void(const std::function<void(void*)>&)> FWithFreshInstance;
    mutable bool FInstanceDefaultsRead = false;
    std::deque<TPropInfo> FProps;  // deque: entries keep their address while a table grows
    // Every property of the class and its ancestors by name, case not counting, the class's
    // own first; made again when a table of the chain has grown since. The keys are the
    // entries' own names (entries keep their place), so a lookup allocates nothing.
    struct TNameHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct TNameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    mutable std::unordered_map<std::string_view, const TPropInfo*, TNameHash, TNameEqual> FPropIndex;
    mutable std::size_t FIndexedProps = 0;
    // The count of entries added anywhere when the chain was last looked over: until it
    // moves, no table of the chain can have grown.
    mutable std::size_t FCheckedAt = ~std::size_t{0};
    std::deque<TExtraValue> FExtras;
    mutable const TClassInfo* FParent = nullptr;
};

// ---------------------------------------------------------------- 4. TClassBuilder

template <class T>
void* InstanceOf(T* obj) {
    if constexpr (std::is_base_of_v<TObject, T>) return static_cast<TObject*>(obj);
    else return static_cast<void*>(obj);
}
template <class T>
T& InstanceAs(void* p) {
    if constexpr (std::is_base_of_v<TObject, T>) return *static_cast<T*>(static_cast<TObject*>(p));
    else return *static_cast<T*>(p);
}

namespace typinfo_detail {

// Entries added to any class so far: an index by name made at this count is current.
inline std::atomic<std::size_t> PropEntriesAdded{0};

template <class X>
struct IsSetType : std::false_type {};
template <class E>
struct IsSetType<Set<E>> : std::true_type {};

template <class V>
int64_t ToOrd(const V& v) {
    if constexpr (IsSetType<V>::value) return static_cast<int64_t>(v.Bits());
    else if constexpr (std::is_same_v<V, bool>) return v ? 1 : 0;
    else return static_cast<int64_t>(v);
}
template <class V>
V FromOrd(int64_t o) {
    if constexpr (IsSetType<V>::value) return V::FromBits(static_cast<uint32_t>(o));
    else if constexpr (std::is_same_v<V, bool>) return o != 0;
    else return static_cast<V>(o);
}
template <class T, class G>
using GetterValue = std::decay_t<std::invoke_result_t<G, T&>>;

// The classes the registry can make a fresh instance of.
template <class T>
constexpr bool kMakesComponent =
    std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>;
template <class T>
constexpr bool kMakesPlain =
    !std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> && std::is_default_constructible_v<T>;
}  // namespace typinfo_detail

// The chained settings of one table entry: .Default(), .Default(v), .NoDefault(),
// .Stored(rule).
template <class T>
class TPropRef {
public:
    explicit TPropRef(TPropInfo& p) : P(&p) {}
    // The default is what a fresh instance of T holds.
    TPropRef& Default() {
        static_assert(typinfo_detail::kMakesComponent<T> || typinfo_detail::kMakesPlain<T>,
                      "Default() reads a fresh instance; this class cannot make one: give the value");
        P->OrdDefault.reset();
        P->StrDefault.reset();
        P->DefaultFromInstance = true;
        return *this;
    }
    template <class V>
    TPropRef& Default(const V& value) {
        if constexpr (std::is_convertible_v<V, std::string_view> && !std::is_arithmetic_v<V>)
            P->StrDefault = std::string(std::string_view(value));
        else P->OrdDefault = typinfo_detail::ToOrd(value);
        P->DefaultFromInstance = false;
        return *this;
    }
    TPropRef& NoDefault() {
        P->OrdDefault.reset();
        P->StrDefault.reset();
        P->DefaultFromInstance = false;
        return *this;
    }
    // rule(T&) -> bool, or a constant.
    template <class R>
    TPropRef& Stored(R rule) {
        if constexpr (std::is_same_v<R, bool>) P->StoredRule = [rule](void*) { return rule; };
        else P->StoredRule = [rule](void* p) { return static_cast<bool>(std::invoke(rule, InstanceAs<T>(p))); };
        return *this;
    }
    TPropInfo& Info() { return *P; }

private:
    TPropInfo* P;
};

// Getters are member functions or callables taking T&; setters member functions or
// callables taking (T&, value); pass nullptr as setter for a read-only property.
template <class T>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

    template <class G, class S>
    TPropRef<T> Integer(const char* name, G get, S set, const TEnumInfo* aliases = nullptr) {
        TPropInfo& p = Ordinal(name, TPropKind::Integer, get, set);
        p.Enum = aliases;
        return TPropRef<T>(p);
    }
    template <class G, class S>
    TPropRef<T> Boolean(const char* name, G get, S set) {
        return TPropRef<T>(Ordinal(name, TPropKind::Boolean, get, set));
    }
    template <class G, class S>
    TPropRef<T> Enumeration(const char* name, const TEnumInfo& values, G get, S set) {
        TPropInfo& p = Ordinal(name, TPropKind::Enumeration, get, set);
        p.Enum = &values;
        return TPropRef<T>(p);
    }
    template <class G, class S>
    TPropRef<T> SetOf(const char* name, const TEnumInfo& elements, G get, S set) {
        TPropInfo& p = Ordinal(name, TPropKind::Set, get, set);
        p.Enum = &elements;
        return TPropRef<T>(p);
    }
    template <class G, class S>
    TPropRef<T> Color(const char* name, G get, S set) {
        return TPropRef<T>(Ordinal(name, TPropKind::Color, get, set));
    }
    template <class G, class S>
    TPropRef<T> String(const char* name, G get, S set) {
        return TPropRef<T>(Text(name, TPropKind::String, get, set));
    }
    template <class G, class S>
    TPropRef<T> Binary(const char* name, G get, S set) {
        return TPropRef<T>(Text(name, TPropKind::Binary, get, set));
    }
    // get(T&) returns a pointer to the sub-object, whose table is registered as className.
    template <class G>
    TPropRef<T> Object(const char* name, const char* className, G get) {
        TPropInfo& p = Add(name, TPropKind::Object);
        p.ObjectClass = className;
        p.GetObject = [get](void* o) -> void* { return InstanceOf(std::invoke(get, InstanceAs<T>(o))); };
        return TPropRef<T>(p);
    }
    // get(T&) returns the TStrings* (a derived list type is fine).
    template <class G>
    TPropRef<T> Strings(const char* name, G get) {
        TPropInfo& p = Add(name, TPropKind::Strings);
        p.GetStrings = [get](void* o) -> TStrings* { return std::invoke(get, InstanceAs<T>(o)); };
        return TPropRef<T>(p);
    }
    // get(T&) returns C* for a component class C; set takes C*.
    template <class G, class S>
    TPropRef<T> Component(const char* name, G get, S set) {
        using CP = typinfo_detail::GetterValue<T, G>;
        using C = std::remove_pointer_t<CP>;
        TPropInfo& p = Add(name, TPropKind::Component);
        p.GetComponent = [get](void* o) -> TComponent* { return std::invoke(get, InstanceAs<T>(o)); };
        p.SetComponent = [set](void* o, TComponent* c) -> bool {
            C* typed = nullptr;
            if (c) {
                typed = dynamic_cast<C*>(c);
                if (!typed) return false;
            }
            std::invoke(set, InstanceAs<T>(o), typed);
            return true;
        };
        return TPropRef<T>(p);
    }
    // member is the std::function field of the event.
    template <class E>
    TPropRef<T> Event(const char* name, E T::*member) {
        TPropInfo& p = Add(name, TPropKind::Event);
        std::string eventName = name;
        p.EventAssigned = [member](void* o) { return static_cast<bool>(InstanceAs<T>(o).*member); };
        p.EventName = [member, eventName](void* o) -> std::string {
            if constexpr (std::is_base_of_v<TComponent, T>) {
                T& t = InstanceAs<T>(o);
                return (t.*member) ? t.EventMethodName(eventName) : std::string();
            } else {
                return std::string();
            }
        };
        p.SetEvent = [member, eventName](void* o, const std::any* handler, const std::string& method) {
            T& t = InstanceAs<T>(o);
            if (!handler) {
                t.*member = nullptr;
            } else {
                const E* typed = std::any_cast<E>(handler);
                if (!typed) throw EPropertyError("Method " + method + " does not fit event " + eventName);
                t.*member = *typed;
            }
            if constexpr (std::is_base_of_v<TComponent, T>) t.SetEventMethodName(eventName, handler ? method : "");
        };
        return TPropRef<T>(p);
    }

    // An extra value the class reads and writes itself. write returns nullopt to store
    // nothing.
    template <class R, class W>
    void DefineValue(const char* name, R read, W write) {
        TExtraValue& e = FInfo.FExtras.emplace_back();
        e.Name = name;
        e.Read = [read](void* o, const TValue& v) { std::invoke(read, InstanceAs<T>(o), v); };
        e.Write = [write](void* o) -> std::optional<TValue> { return std::invoke(write, InstanceAs<T>(o)); };
    }
    // An extra integer: read(T&, int64_t), write(T&) -> std::optional<int64_t>.
    template <class R, class W>
    void DefineInteger(const char* name, R read, W write) {
        DefineValue(
            name, [read](T& t, const TValue& v) { std::invoke(read, t, v.AsInteger()); },
            [write](T& t) -> std::optional<TValue> {
                std::optional<int64_t> v = std::invoke(write, t);
                if (!v) return std::nullopt;
                return TValue::Int(*v);
            });
    }
    // A name of an older description, read and mapped: read(T&, const TValue&).
    template <class R>
    void Obsolete(const char* name, R read) {
        TExtraValue& e = FInfo.FExtras.emplace_back();
        e.Name = name;
        e.Read = [read](void* o, const TValue& v) { std::invoke(read, InstanceAs<T>(o), v); };
    }
    // A name of an older description, read and thrown away.
    void Discard(const char* name) {
        TExtraValue& e = FInfo.FExtras.emplace_back();
        e.Name = name;
        e.Read = [](void*, const TValue&) {};
    }

private:
    TPropInfo& Add(const char* name, TPropKind kind) {
        TPropInfo& p = FInfo.FProps.emplace_back();
        typinfo_detail::PropEntriesAdded.fetch_add(1, std::memory_order_relaxed);
        p.Name = name;
        p.Kind = kind;
        p.DeclaredBy = &FInfo;
        return p;
    }
    template <class G, class S>
    TPropInfo& Ordinal(const char* name, TPropKind kind, G get, S set) {
        using V = typinfo_detail::GetterValue<T, G>;
        TPropInfo& p = Add(name, kind);
        p.GetOrd = [get](void* o) { return typinfo_detail::ToOrd<V>(std::invoke(get, InstanceAs<T>(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](void* o, int64_t v) { std::invoke(set, InstanceAs<T>(o), typinfo_detail::FromOrd<V>(v)); };
        return p;
    }
    template <class G, class S>
    TPropInfo& Text(const char* name, TPropKind kind, G get, S set) {
        TPropInfo& p = Add(name, kind);
        p.GetStr = [get](void* o) { return std::string(std::invoke(get, InstanceAs<T>(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetStr = [set](void* o, const std::string& v) { std::invoke(set, InstanceAs<T>(o), v); };
        return p;
    }
    TClassInfo& FInfo;
};

// ---------------------------------------------------------------- 5. registry

// Creates the entry, or returns the existing one with isNew false (registering twice is
// harmless: the first table stays).
TClassInfo* BeginClassRegistration(const std::string& name, const std::string& parent, const std::type_info& type,
                                   bool& isNew);
void SetClassInstanceTest(TClassInfo& info, std::function<bool(const TObject*)> test);
void SetClassFactory(TClassInfo& info, std::function<TComponent*(TComponent*)> factory);
void SetClassFreshInstance(TClassInfo& info, std::function<void(const std::function<void(void*)>&)> make);

// Registers T under name with its parent's registered name ("" for none). A component class
// constructible from (TComponent* owner) gets a factory, so descriptions can create it.
template <class T>
const TClassInfo& RegisterClass(const std::string& name, const std::string& parent,
                                const std::function<void(TClassBuilder<T>&)>& build = {}) {
    bool isNew = false;
    TClassInfo* info = BeginClassRegistration(name, parent, typeid(T), isNew);
    if (!isNew) return *info;
    TClassBuilder<T> builder(*info);
    // The instance test lets an unregistered subclass find its nearest registered class.
    if constexpr (std::is_base_of_v<TObject, T>)
        SetClassInstanceTest(*info, [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; });
    if constexpr (typinfo_detail::kMakesComponent<T>) {
        SetClassFactory(*info, [](TComponent* owner) -> TComponent* { return new T(owner); });
        SetClassFreshInstance(*info, [](const std::function<void(void*)>& f) {
            std::unique_ptr<T> fresh(new T(nullptr));
            f(InstanceOf(fresh.get()));
        });
    } else if constexpr (typinfo_detail::kMakesPlain<T>) {
        SetClassFreshInstance(*info, [](const std::function<void(void*)>& f) {
            T fresh;
            f(InstanceOf(&fresh));
        });
    }
    if (build) build(builder);
    return *info;
}
// nullptr when no class of that name (case-insensitive) is registered.
const TClassInfo* FindClass(std::string_view name);
// Every registered class, by name.
std::vector<const TClassInfo*> RegisteredClasses();
// EClassNotFound "Class %s not found".
const TClassInfo& GetClass(std::string_view name);
// The class registered for obj's exact type, else its nearest registered ancestor.
const TClassInfo* ClassInfoOf(const TObject* obj);
const TClassInfo* ClassInfoOfType(const std::type_info& type);

// The core's own tables: TComponent, TFont, TPen, TBrush. Every registry look-up makes
// sure of them first. Like every layer's RegisterXxxClasses, calling it again does nothing:
// registering a class twice keeps its first table.
void RegisterCoreClasses();
const TEnumInfo& FontStyleInfo();
const TEnumInfo& FontPitchInfo();
const TEnumInfo& CharsetInfo();
const TEnumInfo& PenStyleInfo();
const TEnumInfo& PenModeInfo();
const TEnumInfo& BrushStyleInfo();

// ---------------------------------------------------------------- 6. properties by name

// A property found by a possibly dotted path ("Font.Name"): the instance that holds the
// last part and its entry.
struct TPropTarget {
    void* Instance = nullptr;
    const TPropInfo* Prop = nullptr;
    explicit operator bool() const { return Prop != nullptr; }
};
TPropTarget FindPropPath(void* instance, const TClassInfo& cls, std::string_view path);
TPropTarget FindPropPath(TObject* obj, std::string_view path);

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
bool IsPublishedProp(const TObject* obj, std::string_view name);

// Ordinal properties (integer, boolean, enumeration, set bits, colour). Get raises
// EPropertyError "Property %s does not exist" when absent; Set returns false when obj has no
// such writable ordinal property, so a caller can skip what a control lacks.
int64_t GetOrdProp(TObject* obj, std::string_view name);
bool SetOrdProp(TObject* obj, std::string_view name, int64_t value);
std::string GetStrProp(TObject* obj, std::string_view name);
bool SetStrProp(TObject* obj, std::string_view name, const std::string& value);
// Enumeration by value name ("fsFlat"); false when absent or the name is not a value.
bool SetEnumProp(TObject* obj, std::string_view name, std::string_view valueName);
std::string GetEnumName(const TEnumInfo& info, int64_t value);       // the number when unnamed
int64_t GetEnumValue(const TEnumInfo& info, std::string_view name);  // -1 when unknown

// What SetPropValue needs beyond the value: how to find a component by name (component
// references) and the handlers events are bound to.
struct TValueContext {
    std::function<TComponent*(const std::string&)> FindComponent;
    const TMethodTable* Methods = nullptr;
};
// Applies a description value. EPropertyError with a message naming the problem when the
// value does not fit the property.
void SetPropValue(const TPropTarget& target, const TValue& value, const TValueContext& context = {});
// By path on an object: false when it has no such property. Component references are
// looked up among the components of the object's owner.
bool SetPropValue(TObject* obj, std::string_view path, const TValue& value);
// The value as a description would store it; nullopt for an object property (its parts
// are properties of their own) or an unnamed event.
std::optional<TValue> GetPropValue(const TPropTarget& target);
// The stored rule holds and the value differs from the default (ordinal kinds with one),
// is not "" (strings), not empty (binary, string lists), set (references, named events).
bool IsStoredProp(const TPropTarget& target);
