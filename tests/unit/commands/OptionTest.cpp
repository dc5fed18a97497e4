#include <gtest/gtest.h>

#include "commands/scrObjOptionForm.h"
#include "platform/Errors.h"
#include "support/FakePlatform.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

using platform::ModalResult;

TEST(OptionValues, SplitAtBarsWithSingleQuotes) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Windows Explorer|Other", {"Windows", "Explorer", "Other"}},
        {"'Windows Explorer'|Other", {"Windows Explorer", "Other"}},
        {"a||b", {"a", "", "b"}},
        {"|a", {"", "a"}},
        {"a|", {"a", ""}},
        {"", {}},
        {"   ", {}},
        {"'it''s'|'x|y'", {"it's", "x|y"}},
        {"'open", {"open"}},
        {" a | b ", {"a", "b"}},
    };
    for (const auto& [values, expected] : cases) {
        EXPECT_EQ(TTscrObjOptionForm::SplitValues(values), expected) << values;
    }
}

TEST(OptionForm, CarriageReturnAndDoubleClickConfirm) {
    TTscrObjOptionForm form;
    form.lstOptionsKeyPress('a');
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);
    form.lstOptionsKeyPress('\r');
    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok);
    TTscrObjOptionForm other;
    other.lstOptionsDblClick();
    EXPECT_EQ(other.GetModalResult(), ModalResult::Ok);
    EXPECT_STREQ(other.Layout().Caption, "Corvane Prompt");
}

class OptionTest : public ::testing::Test {
protected:
    OptionTest() {
        fake.services.windows = &windows;
        fake.Reinstall();
    }
    // Runs the script with the user choosing entry `index` (or -1 for none) and ending as `result`.
    std::string Answer(const std::string& script, int index, ModalResult result, const std::string& variable = "v") {
        windows.user = [=](platform::ListDialog& dialog) {
            dialog.SetItemIndex(index);
            dialog.SetModalResult(result);
        };
        testing::ScriptRun run(script);
        run.Vars().AddVar("choices", "a|b|'c d'");
        run.Run();
        return run.Vars().GetVar(variable, "<unset>");
    }
    testing::FakePlatform fake;
    testing::FakeWindowSystem windows;
};

TEST_F(OptionTest, StoresTheSelectedEntryOrTheDefault) {
    const std::string script = "option (v, \"Pick $one$\", $choices$, $dflt$)";
    EXPECT_EQ(Answer(script, 2, ModalResult::Ok), "c d");
    EXPECT_EQ(windows.shownEntries, (std::vector<std::string>{"a", "b", "c d"}));
    EXPECT_EQ(windows.shownPrompt, "Pick $one$") << "the prompt is shown as written";
    EXPECT_EQ(Answer(script, 0, ModalResult::Cancel), "$dflt$") << "cancel stores the default as written";
    EXPECT_EQ(Answer(script, -1, ModalResult::Ok), "$dflt$") << "confirming without a selection counts as cancel";
    EXPECT_EQ(Answer("option ($v$, p, x|y, d)", 1, ModalResult::Ok, "$v$"), "y") << "the name is used as written";
}

TEST_F(OptionTest, ReplacesAnEarlierValue) {
    EXPECT_EQ(Answer("option (v, p, x, d)\noption (v, p, x, d2)", 0, ModalResult::Cancel), "d2");
}

TEST_F(OptionTest, MissingArgumentsAreListIndexErrors) {
    struct Case {
        const char* script;
        ModalResult result;
        int index;
        const char* error; // nullptr: no error
    };
    const Case cases[] = {
        {"option (v, p)", ModalResult::Ok, 0, "List index out of bounds (2)"},
        {"option", ModalResult::Ok, 0, "List index out of bounds (2)"},
        {"option (v, p, x)", ModalResult::Ok, 0, nullptr},
        {"option (v, p, x)", ModalResult::Cancel, 0, "List index out of bounds (3)"},
    };
    for (const Case& c : cases) {
        windows.dialogsShown = 0;
        try {
            Answer(c.script, c.index, c.result);
            EXPECT_EQ(c.error, nullptr) << c.script;
        } catch (const EListError& error) {
            ASSERT_NE(c.error, nullptr) << c.script;
            EXPECT_STREQ(error.what(), c.error);
        }
    }
}

TEST_F(OptionTest, EmptyValuesGiveAnEmptyListAndCancelStillStoresTheDefault) {
    EXPECT_EQ(Answer("option (v, p, \"\", d)", -1, ModalResult::Cancel), "d");
    EXPECT_TRUE(windows.shownEntries.empty());
}

} // namespace
} // namespace corvane
