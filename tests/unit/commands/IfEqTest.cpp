#include <gtest/gtest.h>

#include "commands/scrObjIfEq.h"
#include "platform/Errors.h"
#include "support/FakePlatform.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

class IfEqTest : public ::testing::Test {
protected:
    std::vector<std::string> Run(const std::string& script, const std::vector<std::pair<std::string, std::string>>& vars = {}) {
        testing::ScriptRun run(script);
        for (const auto& [name, value] : vars) run.Vars().AddVar(name, value);
        run.Run();
        return fake.dialogs.messages;
    }
    testing::FakePlatform fake;
};

TEST_F(IfEqTest, ComparesWithoutAsciiCaseAndWithoutTrimming) {
    struct Case {
        const char* right;
        bool equal;
    };
    for (const Case& c : {Case{"explorer", true}, Case{"EXPLORER", true}, Case{"Explorer", true},
                          Case{"Explorer2", false}, Case{"Explore", false}, Case{"\" Explorer\"", false}}) {
        fake.dialogs.messages.clear();
        const auto shown = Run(std::string("ifeq (shell, ") + c.right + ")\nshowmessage (yes)\nend\nshowmessage (after)",
                               {{"shell", "Explorer"}});
        EXPECT_EQ(shown.size(), c.equal ? 2u : 1u) << c.right;
    }
    EXPECT_FALSE(TscrObjIfEq::SameText("\xE9", "\xC9")) << "only a-z are folded";
}

TEST_F(IfEqTest, UnsetVariableComparesAsNil) {
    EXPECT_EQ(Run("ifeq (unset, NIL)\nshowmessage (yes)\nend").size(), 1u);
    fake.dialogs.messages.clear();
    EXPECT_EQ(Run("ifeq ($shell$, nil)\nshowmessage (yes)\nend", {{"shell", "x"}}),
              std::vector<std::string>{"yes"}) << "argument 0 is a name, not expanded";
}

TEST_F(IfEqTest, StoredNilIsReportedThenComparedLikeUnset) {
    EXPECT_EQ(Run("ifeq (v, Nil)\nshowmessage (yes)\nend", {{"v", "nil"}}),
              (std::vector<std::string>{"Error (GetVar): Retrieved value same as Default value (nil)", "yes"}));
}

TEST_F(IfEqTest, ValueAndRightSideAreExpanded) {
    EXPECT_EQ(Run("ifeq (v, $who$)\nshowmessage (yes)\nend", {{"v", "$user$"}, {"user", "op"}, {"who", "OP"}}),
              std::vector<std::string>{"yes"});
}

TEST_F(IfEqTest, NestedBlocks) {
    const std::string script =
        "ifeq (a, 1)\nshowmessage (outer-before)\nifeq (b, 1)\nshowmessage (inner)\nend\nshowmessage (outer-after)\nend\n"
        "showmessage (done)";
    EXPECT_EQ(Run(script, {{"a", "0"}, {"b", "1"}}), std::vector<std::string>{"done"});
    fake.dialogs.messages.clear();
    EXPECT_EQ(Run(script, {{"a", "1"}, {"b", "0"}}),
              (std::vector<std::string>{"outer-before", "outer-after", "done"}));
    fake.dialogs.messages.clear();
    EXPECT_EQ(Run(script, {{"a", "1"}, {"b", "1"}}),
              (std::vector<std::string>{"outer-before", "inner", "outer-after", "done"}));
}

TEST_F(IfEqTest, EmptyBlockContinuesAtItsEnd) {
    EXPECT_EQ(Run("ifeq (a, b)\nend\nshowmessage (after)"), std::vector<std::string>{"after"});
}

TEST_F(IfEqTest, UnmatchedFalseIfEqEndsTheRun) {
    EXPECT_EQ(Run("showmessage (x)\nifeq (a, b)\nshowmessage (never)"),
              (std::vector<std::string>{"x", "Error (Line 2): Error while freeing skipped statements"}));
    fake.dialogs.messages.clear();
    // A later "end" closes the inner block only; the outer one stays open but an end follows.
    EXPECT_EQ(Run("ifeq (a, b)\nifeq (c, d)\nend\nshowmessage (never)"), std::vector<std::string>{});
    fake.dialogs.messages.clear();
    EXPECT_EQ(Run("ifeq (a, nil)\nshowmessage (runs)"), std::vector<std::string>{"runs"});
}

TEST_F(IfEqTest, MissingArgumentsAreListIndexErrors) {
    try {
        Run("ifeq (a)");
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (1)");
    }
}

} // namespace
} // namespace corvane
