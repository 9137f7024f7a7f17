// A check that holds for every registered class: a fresh instance (the class's own
// constructor, a component without an owner) holds the defaults its published table states,
// and a description written of it stores no property that has a default, so that only what
// a class always stores (bounds, colours that do not follow the parent, a whole font, …)
// appears. A suite registers what it covers, takes the names once before any test registers
// classes of its own, and checks each:
//
//   const std::vector<std::string> kClasses = (RegisterStdCtrlsClasses(), RegisteredClassNames());
//   for (const std::string& name : kClasses)
//       EXPECT_THAT(FreshInstanceDisagreements(GetClass(name)), testing::IsEmpty()) << name;
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"

inline std::vector<std::string> RegisteredClassNames() {
    std::vector<std::string> names;
    for (const TClassInfo* c : RegisteredClasses()) names.push_back(c->Name());
    return names;
}

namespace registry_defaults_detail {

inline std::string ValueText(const TPropTarget& t) {
    const std::optional<TValue> v = GetPropValue(t);
    return v ? FormatValueText(*v) : std::string("?");
}

inline bool HasDefault(const TPropInfo& p) {
    if (p.IsOrdinal()) return p.OrdinalDefault().has_value();
    if (p.Kind == TPropKind::String) return p.StringDefault().has_value();
    // Lists, pictures, references and events are stored only when they hold something.
    return p.Kind != TPropKind::Object;
}

// The properties the writer's rule stores, by path ("Font.Name"), objects entered.
inline void StoredPaths(void* instance, const TClassInfo& cls, const std::string& prefix,
                        std::vector<std::string>& out) {
    for (const TPropInfo* p : cls.AllProps()) {
        const TPropTarget t{instance, p};
        if (!IsStoredProp(t)) continue;
        if (p->Kind == TPropKind::Object) {
            if (void* part = p->GetObject(instance))
                StoredPaths(part, GetClass(p->ObjectClass), prefix + p->Name + ".", out);
            continue;
        }
        out.push_back(prefix + p->Name);
    }
}

// The property lines of a written description of a component without children.
inline std::vector<std::string> WrittenPaths(TComponent* component) {
    std::vector<std::string> out;
    const std::string text = WriteComponentText(component);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + at, end - at);
        at = end + 1;
        if (line.size() < 3 || line.substr(0, 2) != "  " || line[2] == ' ') continue;
        const size_t eq = line.find(" =");
        if (eq == std::string_view::npos) continue;
        std::string path(line.substr(2, eq - 2));
        if (path.size() > 8 && path.ends_with(".Strings")) path.resize(path.size() - 8);
        out.push_back(path);
    }
    return out;
}

}  // namespace registry_defaults_detail

// Empty when the class keeps both rules (or cannot make an instance to check).
inline std::vector<std::string> FreshInstanceDisagreements(const TClassInfo& cls) {
    using namespace registry_defaults_detail;
    std::vector<std::string> problems;
    if (!cls.CanMakeInstance()) return problems;
    cls.WithFreshInstance([&](void* fresh) {
        for (const TPropInfo* p : cls.AllProps()) {
            const TPropTarget t{fresh, p};
            if (p->IsOrdinal()) {
                const std::optional<int64_t> def = p->OrdinalDefault();
                if (def && p->GetOrd(fresh) != *def)
                    problems.push_back(p->Name + ": a fresh instance holds " + ValueText(t) +
                                       ", the table's default is " + std::to_string(*def));
            } else if (p->Kind == TPropKind::String) {
                const std::optional<std::string> def = p->StringDefault();
                if (def && p->GetStr(fresh) != *def)
                    problems.push_back(p->Name + ": a fresh instance holds " + ValueText(t) +
                                       ", the table's default is '" + *def + "'");
            }
        }
        std::vector<std::string> stored;
        if (cls.InheritsFrom("TComponent"))
            stored = WrittenPaths(dynamic_cast<TComponent*>(static_cast<TObject*>(fresh)));
        else StoredPaths(fresh, cls, "", stored);
        for (const std::string& path : stored) {
            const TPropTarget t = FindPropPath(fresh, cls, path);
            if (!t) continue;  // an extra value the class writes itself, not a property
            if (HasDefault(*t.Prop)) problems.push_back("a written description stores " + path + " = " + ValueText(t));
        }
    });
    return problems;
}
