#include <gtest/gtest.h>

#include "commands/scrObjCopy.h"
#include "commands/scrObjEnd.h"
#include "commands/scrObjIfEq.h"
#include "commands/scrObjLoadShell.h"
#include "commands/scrObjShowMessage.h"
#include "platform/Errors.h"
#include "support/FakePlatform.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

std::vector<TscrObjAncestor*> Chain(const std::unique_ptr<TscrObjAncestor>& head) {
    std::vector<TscrObjAncestor*> nodes;
    for (TscrObjAncestor* node = head.get(); node != nullptr; node = node->Next.get()) nodes.push_back(node);
    return nodes;
}

TEST(MakeList, EmptyStatementListGivesNoStatement) {
    testing::FakePlatform fake;
    testing::ScriptRun run("; only a comment\r\n\r\nunknown (x)\r\n");
    EXPECT_EQ(run.MakeList(), nullptr);
}

TEST(MakeList, BuildsOneObjectPerStatementNumberedByStatement) {
    testing::FakePlatform fake;
    testing::ScriptRun run("; comment\r\ncopy (a, b)\r\n\r\n\r\nshowmessage (x)\r\nloadshell (v)\r\nshowmessage (y)\r\n");
    const auto head = run.MakeList();
    const auto nodes = Chain(head);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_NE(dynamic_cast<TscrObjCopy*>(nodes[0]), nullptr);
    EXPECT_NE(dynamic_cast<TscrObjShowMessage*>(nodes[1]), nullptr);
    EXPECT_NE(dynamic_cast<TscrObjLoadShell*>(nodes[2]), nullptr);
    EXPECT_NE(nodes[1], nodes[3]);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i]->LineNo, static_cast<int>(i) + 1);
        EXPECT_EQ(&nodes[i]->Vars, &run.Vars());
    }
    EXPECT_EQ(&nodes[0]->Args, &run.factory->Statements.at(0).Args) << "statements share the factory's lists";
}

// The statements refer to the argument lists of the list they were made from; parsing the
// script again must not take those away from them.
TEST(MakeList, StatementsKeepTheirArgumentsWhenTheScriptIsParsedAgain) {
    testing::FakePlatform fake;
    testing::ScriptRun run("copy (a, b)\nshowmessage (hello)\n");
    const auto head = run.MakeList();
    run.lines.assign({"end"});
    EXPECT_EQ(run.parser.Parse().size(), 1u);
    const auto nodes = Chain(head);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0]->Args, (TStringList{"a", "b"}));
    EXPECT_EQ(nodes[1]->Args, TStringList{"hello"});
}

TEST(MakeList, PairsNestedBlocksLikeParentheses) {
    testing::FakePlatform fake;
    testing::ScriptRun run("ifeq (a, b)\nifeq (c, d)\nend\nend\nifeq (e, f)\nshowmessage (x)\n");
    const auto head = run.MakeList();
    const auto nodes = Chain(head);
    ASSERT_EQ(nodes.size(), 6u);
    EXPECT_EQ(static_cast<TscrObjIfEq*>(nodes[0])->MatchingEnd, nodes[3]);
    EXPECT_EQ(static_cast<TscrObjIfEq*>(nodes[1])->MatchingEnd, nodes[2]);
    EXPECT_EQ(static_cast<TscrObjIfEq*>(nodes[4])->MatchingEnd, nullptr);
}

TEST(MakeList, EndWithoutIfEqIsAListIndexErrorOfMinusOne) {
    testing::FakePlatform fake;
    for (const char* script : {"end\nloadshell (x)\n", "ifeq (a, b)\nend\nend\n"}) {
        testing::ScriptRun run(script);
        try {
            run.MakeList();
            ADD_FAILURE() << "no error for " << script;
        } catch (const EListError& error) {
            EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
        }
    }
}

TEST(MakeList, StatementsKeepTheirFactorysVariablesWhenAnotherFactoryIsMade) {
    testing::FakePlatform fake;
    testing::ScriptRun first("showmessage ($v$)");
    auto list = first.MakeList();
    first.Vars().AddVar("v", "first");
    testing::ScriptRun second("showmessage (x)");
    second.Vars().AddVar("v", "second");
    TRunScript::RunList(std::move(list));
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"first"});
}

// A statement that counts its releases.
class Counted final : public TscrObjAncestor {
public:
    Counted(const TStringList& args, TStringVariables& vars, int index, int& released)
        : TscrObjAncestor(args, nullptr, vars, index), Released(released) {}
    ~Counted() override { ++Released; }
    void Execute() override {}
    int& Released;
};

TEST(MakeList, LongScriptsAreReleasedWithoutDeepRecursion) {
    constexpr int Length = 200000;
    TStringList args;
    TStringVariables vars;
    int released = 0;
    auto head = std::make_unique<Counted>(args, vars, 0, released);
    TscrObjAncestor* last = head.get();
    for (int i = 1; i < Length; ++i) {
        last->Next = std::make_unique<Counted>(args, vars, i, released);
        last = last->Next.get();
    }
    head.reset(); // a recursive release would overflow the stack here
    EXPECT_EQ(released, Length);
}

} // namespace
} // namespace corvane
