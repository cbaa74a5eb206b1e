// Fault texts: what they parse to, what they refuse, and how repeats run out.
#include "tarvo/vterm/fault_plan.h"

#include <gtest/gtest.h>

namespace tarvo::vterm {
namespace {

struct GoodSpec {
    const char* text;
    FaultAction action;
    TargetKind kind;
    unsigned commandType;
    unsigned index;
    unsigned remaining;
};

void PrintTo(const GoodSpec& c, std::ostream* os) {
    *os << c.text;
}

class FaultSpecAccepted : public ::testing::TestWithParam<GoodSpec> {};

TEST_P(FaultSpecAccepted, ParsesAllFields) {
    const GoodSpec& layout = GetParam();
    FaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.add(layout.text, error)) << layout.text << ": " << error;
    ASSERT_EQ(plan.faults().size(), 1u);
    const Fault& fault = plan.faults()[0];
    EXPECT_EQ(fault.action, layout.action) << layout.text;
    EXPECT_EQ(fault.target.kind, layout.kind) << layout.text;
    EXPECT_EQ(fault.target.commandType, layout.commandType) << layout.text;
    EXPECT_EQ(fault.target.index, layout.index) << layout.text;
    EXPECT_EQ(fault.remaining, layout.remaining) << layout.text;
}

INSTANTIATE_TEST_SUITE_P(
    Specs, FaultSpecAccepted,
    ::testing::Values(GoodSpec{"nak:app3:9", FaultAction::Nak, TargetKind::AppRecord, 0, 3, 9},
                      GoodSpec{"nak:probe", FaultAction::Nak, TargetKind::Probe, 0, 0, 1},
                      GoodSpec{"drop:F3", FaultAction::Drop, TargetKind::Command, 0xF3, 0, 1},
                      GoodSpec{"drop:ff:2", FaultAction::Drop, TargetKind::Command, 0xFF, 0, 2},
                      GoodSpec{"bel:os1", FaultAction::Bel, TargetKind::OsRecord, 0, 1, 1},
                      GoodSpec{"stray:font12:3", FaultAction::Stray, TargetKind::FontRecord, 0, 12,
                               3},
                      GoodSpec{"silent", FaultAction::Silent, TargetKind::Any, 0, 0, 1},
                      GoodSpec{"silent:F8", FaultAction::Silent, TargetKind::Command, 0xF8, 0, 1},
                      GoodSpec{"badversion", FaultAction::BadVersion, TargetKind::Any, 0, 0, 1},
                      GoodSpec{"badversion:4", FaultAction::BadVersion, TargetKind::Any, 0, 0, 4}));

class FaultSpecRefused : public ::testing::TestWithParam<const char*> {};

TEST_P(FaultSpecRefused, SaysWhy) {
    FaultPlan plan;
    std::string error;
    EXPECT_FALSE(plan.add(GetParam(), error)) << GetParam();
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(plan.faults().empty());
}

INSTANTIATE_TEST_SUITE_P(Specs, FaultSpecRefused,
                         ::testing::Values("", "explode:F3", "nak", "nak:", "nak:app0", "nak:app",
                                           "nak:appx", "nak:E0", "nak:F3:0", "nak:F3:1001",
                                           "nak:F3:2:3", "bel:F3:2", "silent:F3:2", "badversion:F3",
                                           "nak:F3:-1", "drop:probe:99999999999"));

TEST(FaultPlan, RepeatsRunOutAndOnlyMatchingTransmissionsUseThem) {
    FaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.add("nak:app2:2", error));
    ASSERT_TRUE(plan.add("drop:F3", error));

    FaultTarget app1{TargetKind::AppRecord, 0, 1};
    FaultTarget app2{TargetKind::AppRecord, 0, 2};
    FaultTarget version{TargetKind::Command, 0xF3, 0};
    FaultTarget bank{TargetKind::Command, 0xFF, 0};

    EXPECT_EQ(plan.take(app1), FaultAction::None);
    EXPECT_EQ(plan.take(bank), FaultAction::None);
    EXPECT_EQ(plan.take(app2), FaultAction::Nak);
    EXPECT_EQ(plan.take(app2), FaultAction::Nak);
    EXPECT_EQ(plan.take(app2), FaultAction::None);
    EXPECT_EQ(plan.take(version), FaultAction::Drop);
    EXPECT_EQ(plan.take(version), FaultAction::None);
}

TEST(FaultPlan, BadVersionIsCountedApartFromRecordFaults) {
    FaultPlan plan;
    std::string error;
    ASSERT_TRUE(plan.add("badversion:2", error));
    EXPECT_EQ(plan.take(FaultTarget{TargetKind::Command, 0xF3, 0}), FaultAction::None);
    EXPECT_TRUE(plan.takeBadVersion());
    EXPECT_TRUE(plan.takeBadVersion());
    EXPECT_FALSE(plan.takeBadVersion());
}

}  // namespace
}  // namespace tarvo::vterm
