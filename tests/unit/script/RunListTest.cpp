#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "support/FakePlatform.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

// A statement that records its execution and its release, and may relink or fail.
class Probe final : public TscrObjAncestor {
public:
    Probe(std::vector<std::string>& log, const std::string& name, int index)
        : TscrObjAncestor(NoArgs, nullptr, SomeVars, index), Log(log), Name(name) {}
    ~Probe() override { Log.push_back("free " + Name); }
    void Execute() override {
        Log.push_back("run " + Name);
        if (Fail) throw EListError(7);
        if (Replacement) Next = std::move(Replacement);
    }
    std::vector<std::string>& Log;
    std::string Name;
    bool Fail = false;
    std::unique_ptr<TscrObjAncestor> Replacement;

    static inline const TStringList NoArgs;
    static inline TStringVariables SomeVars;
};

std::unique_ptr<TscrObjAncestor> Link(std::vector<std::unique_ptr<Probe>> probes) {
    for (std::size_t i = probes.size(); i-- > 1;) probes[i - 1]->Next = std::move(probes[i]);
    return std::move(probes[0]);
}

TEST(RunList, ExecutesEachStatementOnceInOrderAndFreesItAfterwards) {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<Probe>> probes;
    for (const char* name : {"A", "B", "C"}) probes.push_back(std::make_unique<Probe>(log, name, 0));
    TRunScript::RunList(Link(std::move(probes)));
    EXPECT_EQ(log, (std::vector<std::string>{"run A", "free A", "run B", "free B", "run C", "free C"}));
}

TEST(RunList, ContinuesAtTheNextThatAStatementSetWhileRunning) {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<Probe>> probes;
    for (const char* name : {"A", "B", "C"}) probes.push_back(std::make_unique<Probe>(log, name, 0));
    probes[0]->Replacement = std::make_unique<Probe>(log, "X", 0);
    TRunScript::RunList(Link(std::move(probes)));
    EXPECT_EQ(log, (std::vector<std::string>{"run A", "free B", "free C", "free A", "run X", "free X"}));
}

TEST(RunList, AnErrorInTheMiddleStopsTheRest) {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<Probe>> probes;
    for (const char* name : {"A", "B", "C"}) probes.push_back(std::make_unique<Probe>(log, name, 0));
    probes[1]->Fail = true;
    EXPECT_THROW(TRunScript::RunList(Link(std::move(probes))), EListError);
    EXPECT_EQ(std::count(log.begin(), log.end(), "run C"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "free C"), 1) << "nothing leaks";
}

TEST(RunList, ScriptOfShowMessagesRunsCompletely) {
    testing::FakePlatform fake;
    testing::ScriptRun("showmessage (one)\n; between\n\nshowmessage (\"two words\")\nshowmessage (three)").Run();
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"one", "two words", "three"}));
}

} // namespace
} // namespace corvane
