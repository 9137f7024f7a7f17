// Defaults taken from a fresh instance: read once, when first needed, by the declaring
// class's own constructor; a subclass that starts otherwise re-publishes and reads its own.
// And every class of the framework: a fresh instance holds its table's defaults, and a
// description written of it stores no property that has a default.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/platform/headless/headless_platform.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "tests/support/registry_defaults.h"

namespace {

class TDefaultsProbe : public TComponent {
public:
    explicit TDefaultsProbe(TComponent* owner) : TComponent(owner) { ++Made; }
    int Level() const { return FLevel; }
    void SetLevel(int v) { FLevel = v; }
    const std::string& Label() const { return FLabel; }
    void SetLabel(const std::string& v) { FLabel = v; }
    static inline int Made = 0;

protected:
    int FLevel = 7;
    std::string FLabel = "seven";
};

class TDeeperProbe : public TDefaultsProbe {
public:
    explicit TDeeperProbe(TComponent* owner) : TDefaultsProbe(owner) { FLevel = 9; }
};

bool Writes(TComponent* c, const std::string& line) {
    return WriteComponentText(c).find("\n  " + line + "\n") != std::string::npos;
}

TEST(ClassRegistry, ADefaultWithoutAValueIsWhatAFreshInstanceHolds) {
    const int atStart = TDefaultsProbe::Made;
    RegisterClass<TDefaultsProbe>("TDefaultsProbe", "TComponent", [](TClassBuilder<TDefaultsProbe>& b) {
        b.Integer("Level", &TDefaultsProbe::Level, &TDefaultsProbe::SetLevel).Default();
        b.String("Label", &TDefaultsProbe::Label, &TDefaultsProbe::SetLabel).Default();
    });
    RegisterClass<TDeeperProbe>("TDeeperProbe", "TDefaultsProbe", [](TClassBuilder<TDeeperProbe>& b) {
        b.Integer("Level", &TDeeperProbe::Level, &TDeeperProbe::SetLevel).Default();
    });
    EXPECT_EQ(TDefaultsProbe::Made, atStart);  // registering makes nothing

    TDefaultsProbe probe(nullptr);
    EXPECT_FALSE(Writes(&probe, "Level = 7"));
    EXPECT_FALSE(Writes(&probe, "Label = 'seven'"));
    // The probe, and (the first time) one fresh instance for all the class's defaults.
    const int made = TDefaultsProbe::Made;
    EXPECT_LE(made - atStart, 2);
    probe.SetLevel(8);
    probe.SetLabel("");
    EXPECT_TRUE(Writes(&probe, "Level = 8"));
    EXPECT_TRUE(Writes(&probe, "Label = ''"));
    EXPECT_EQ(TDefaultsProbe::Made, made);

    TDeeperProbe deeper(nullptr);
    EXPECT_FALSE(Writes(&deeper, "Level = 9"));
    deeper.SetLevel(7);
    EXPECT_TRUE(Writes(&deeper, "Level = 7"));
    EXPECT_FALSE(Writes(&deeper, "Label = 'seven'"));  // inherited, from the base's fresh instance
    EXPECT_THAT(FreshInstanceDisagreements(GetClass("TDeeperProbe")), testing::IsEmpty());
}

// Taken before any test registers classes of its own.
const std::vector<std::string> kFrameworkClasses = (RegisterStdCtrlsClasses(), RegisteredClassNames());

TEST(ClassRegistry, FreshInstancesHoldTheirTablesDefaultsAndStoreNoneOfThem) {
    InstallHeadlessPlatform();
    EXPECT_GE(kFrameworkClasses.size(), 25u);
    for (const std::string& name : kFrameworkClasses)
        EXPECT_THAT(FreshInstanceDisagreements(GetClass(name)), testing::IsEmpty()) << name;
    InstallPlatform(nullptr);
}

}  // namespace
