// Every class of the control set starts as its class table says: a fresh instance holds the
// default of each property the set's own tables publish (sub-objects such as the tab colours
// included), so a description of it stores none of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "framework/core/typinfo.h"

namespace {

// The rows cls itself adds to what its parent publishes.
std::vector<const TPropInfo*> OwnRows(const TClassInfo& cls) {
    std::vector<const TPropInfo*> rows = cls.AllProps();
    if (const TClassInfo* parent = cls.Parent()) {
        const std::vector<const TPropInfo*> inherited = parent->AllProps();
        std::erase_if(rows, [&](const TPropInfo* p) {
            return std::find(inherited.begin(), inherited.end(), p) != inherited.end();
        });
    }
    return rows;
}

// Checks every row that cls and its control-set ancestors publish on the instance.
void ExpectDefaults(void* instance, const TClassInfo& cls) {
    for (const TClassInfo* c = &cls; c && c->Name().starts_with("TVt"); c = c->Parent()) {
        for (const TPropInfo* p : OwnRows(*c)) {
            SCOPED_TRACE(c->Name() + "." + p->Name);
            const TPropTarget target{instance, p};
            if (p->Kind == TPropKind::Object) {
                ExpectDefaults(p->GetObject(instance), GetClass(p->ObjectClass));
                continue;
            }
            if (p->IsOrdinal() && p->OrdDefault) {
                EXPECT_EQ(p->GetOrd(instance), *p->OrdDefault);
            } else if (p->GetStr && p->StrDefault) {
                EXPECT_EQ(p->GetStr(instance), *p->StrDefault);
            }
            EXPECT_FALSE(IsStoredProp(target));
        }
    }
}

class ControlSetDefaultsTest : public ControlTreeTest {};

TEST_F(ControlSetDefaultsTest, FreshInstancesHoldTheirTablesDefaults) {
    const char* classes[] = {"TVtLabel",
                             "TVtCustomPanel",
                             "TVtPanel",
                             "TVtLine",
                             "TVtCustomButton",
                             "TVtButton",
                             "TVtCustomEdit",
                             "TVtEdit",
                             "TVtMemo",
                             "TVtCustomStatusPane",
                             "TVtPollingStatus",
                             "TVtClockStatus",
                             "TVtCustomTabControl",
                             "TVtPageControl",
                             "TVtTabSheet",
                             "TVtFrameController",
                             "TVtRegIniFile"};
    for (const char* name : classes) {
        SCOPED_TRACE(name);
        const TClassInfo& cls = GetClass(name);
        ASSERT_TRUE(cls.CanCreate());
        TComponent* fresh = cls.Create(Form);
        ExpectDefaults(InstanceOf(fresh), cls);
        delete fresh;
    }
}

}  // namespace
