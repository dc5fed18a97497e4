// The Group Policy template against the code: it must write each policy that the launcher reads,
// for the computer and the user, under the key the launcher reads, in the form it reads, and
// nothing else.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "config/AllowedShells.h"
#include "config/CorvaneSettings.h"

namespace corvane {
namespace {

const char* ElementOf(TIniValueForm form) {
    switch (form) {
    case TIniValueForm::Boolean: return "switch";
    case TIniValueForm::Integer: return "decimal";
    case TIniValueForm::Text: return "text";
    }
    return "";
}

std::string Attribute(const std::string& tag, const char* name) {
    std::smatch found;
    return std::regex_search(tag, found, std::regex(std::string("\\s") + name + "=\"([^\"]*)\"")) ? found[1].str() : "";
}

TEST(PolicyTemplate, WritesEveryValueThatTheLauncherReadsInItsForm) {
    std::ifstream file(CORVANE_SOURCE_DIR "/packaging/policy/Corvane.admx");
    ASSERT_TRUE(file) << CORVANE_SOURCE_DIR "/packaging/policy/Corvane.admx";
    std::stringstream text;
    text << file.rdbuf();
    const std::string admx = text.str();
    const std::string key = TPolicyIO::Key;

    std::map<std::string, std::string> read; // each policy the code reads: its value's name and the element writing it
    for (const TIniKey& setting : TCorvaneSettings::Keys) read[setting.Name] = ElementOf(setting.Form);
    read[TAllowedShells::Name] = "list";

    std::map<std::string, std::string> written;
    const std::regex policyBlock("<policy\\s[^>]*>[\\s\\S]*?</policy>");
    const std::regex element("<(decimal|text|list|boolean)\\s+id=[^>]*>");
    for (auto policy = std::sregex_iterator(admx.begin(), admx.end(), policyBlock); policy != std::sregex_iterator(); ++policy) {
        const std::string block = policy->str();
        const std::string head = block.substr(0, block.find('>'));
        SCOPED_TRACE(head);
        EXPECT_EQ(Attribute(head, "class"), "Both") << "for the computer and the user";
        EXPECT_EQ(Attribute(head, "key"), key);
        if (!Attribute(head, "valueName").empty()) {
            EXPECT_NE(block.find("<enabledValue><decimal value=\"1\" /></enabledValue>"), std::string::npos);
            EXPECT_NE(block.find("<disabledValue><decimal value=\"0\" /></disabledValue>"), std::string::npos);
            written[Attribute(head, "valueName")] = "switch";
        }
        for (auto it = std::sregex_iterator(block.begin(), block.end(), element); it != std::sregex_iterator(); ++it) {
            const std::string tag = it->str(), kind = (*it)[1].str();
            if (kind == "list") {
                EXPECT_EQ(Attribute(tag, "valuePrefix"), "") << "values named 1, 2, 3...";
                const std::string listKey = Attribute(tag, "key");
                ASSERT_EQ(listKey.rfind(key + "\\", 0), 0u) << listKey;
                written[listKey.substr(key.size() + 1)] = kind;
            } else {
                EXPECT_EQ(Attribute(tag, "expandable"), "") << "a REG_SZ";
                EXPECT_EQ(Attribute(tag, "storeAsText"), "") << "a REG_DWORD";
                written[Attribute(tag, "valueName")] = kind;
            }
        }
    }
    EXPECT_EQ(written, read);
}

} // namespace
} // namespace corvane
