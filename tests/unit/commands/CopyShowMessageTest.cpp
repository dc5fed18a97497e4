#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "support/FakePlatform.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

class CopyTest : public ::testing::Test {
protected:
    testing::FakePlatform fake;
    std::map<std::string, std::string>& files = fake.files.files;
};

TEST_F(CopyTest, CopiesExpandedPathsReplacingTheTarget) {
    files["C:\\src\\Blue.ini"] = "new";
    files["C:\\Themes\\Blue.ini"] = "old";
    testing::ScriptRun run("copy (C:\\src\\$scheme$.ini, C:\\Themes\\$scheme$.ini)");
    run.Vars().AddVar("scheme", "Blue");
    run.Run();
    EXPECT_EQ(files["C:\\Themes\\Blue.ini"], "new");
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(CopyTest, MissingSourceIsReportedWithTheStatementNumber) {
    fake.files.folders.insert("C:\\dir");
    testing::ScriptRun("; comment\nshowmessage (first)\n\ncopy (\"C:\\no such.txt\", C:\\x)\ncopy (C:\\dir, C:\\y)").Run();
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"first", "Error (Line 2): Source file \"C:\\no such.txt\" not found",
                                        "Error (Line 3): Source file \"C:\\dir\" not found"}));
    EXPECT_TRUE(fake.files.copies.empty());
}

TEST_F(CopyTest, MissingArgumentsStopTheRunBeforeAnythingIsCopied) {
    files["C:\\a"] = "a";
    const std::pair<const char*, const char*> cases[] = {
        {"copy (C:\\a)\nshowmessage (after)", "List index out of bounds (1)"},
        {"copy\nshowmessage (after)", "List index out of bounds (0)"},
        {"showmessage\nshowmessage (after)", "List index out of bounds (0)"},
    };
    for (const auto& [script, message] : cases) {
        try {
            testing::ScriptRun(script).Run();
            ADD_FAILURE() << script;
        } catch (const EListError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
    EXPECT_TRUE(fake.files.copies.empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(CopyTest, ShowMessageShowsTheExpandedTextEvenWhenEmpty) {
    testing::ScriptRun run("showmessage (\"\")\nshowmessage (\"Hello $name$\")\nshowmessage (\"unclosed $name\")");
    run.Vars().AddVar("name", "World");
    run.Run();
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"", "Hello World", "Error (ParseVars): cannot find closing $ in:\r\nunclosed $name",
                                        "unclosed name"}));
}

TEST(Reports, CarryTheStatementNumber) {
    testing::FakePlatform fake;
    TStringList args;
    testing::ScriptRun run("showmessage (x)");
    auto statement = run.factory->Create("showmessage", args, 3);
    statement->ReportError("boom");
    statement->ReportWarning("");
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"Error (Line 4): boom", "Warning (Line 4): "}));
    EXPECT_THROW(statement->Arg(0), EListError);
}

} // namespace
} // namespace corvane
