#include "check/PolicyCheck.h"

#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "text/DelimitedText.h"

namespace corvane {

namespace {
// What the user's policy of a name is while the machine's gives it too.
std::string NotInForceUnder(const char* name) {
    return std::string(", not in force: ") + TPolicyIO::SourceName(TPolicyScope::Machine) + " sets " + name;
}

// The value of key as the launcher uses it: a switch as 1 or 0, a number in decimal, a name as written.
std::string UsedValue(const TCorvaneSettings& settings, const TIniKey& key) {
    const std::string& text = settings.TextOf(key);
    if (key.Form == TIniValueForm::Text) return text;
    const std::int32_t number = TIniFile::NumberOf(text, key);
    return std::to_string(key.Form == TIniValueForm::Boolean ? (number != 0 ? 1 : 0) : number);
}
} // namespace

void TPolicyCheck::Run(const TCorvaneSettings& settings, const TShellListIO& shells) {
    if (!Policies_.Visible()) {
        Context_.Report.Note(std::string("policies (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER\\") + TPolicyIO::Key +
                             ") are not seen: this check runs without the Windows registry; corvane.exe --check shows "
                             "them, and a setting that a policy sets comes from the policy, not from these files");
        return;
    }
    bool anyList = !Allowed_.Rejected().empty();
    for (const TPolicyScope scope : PolicyScopes) anyList = anyList || !Allowed_.NamesOf(scope).empty();
    if (!Policies_.Any() && !anyList) return;
    const std::string runner = TCorvaneInfo::GetCurrentUserName();
    if (platform::System().CompareText(runner, Context_.Options.UserName) != 0) {
        Context_.Report.Note("the user's policies are those of " + runner + ", who runs this check, not of " +
                             Context_.Options.UserName);
    }
    ListPolicies();
    ListSources(settings);
    for (const auto* rejected : {&Policies_.Rejected(), &Allowed_.Rejected()}) {
        for (const TPolicyIO::TRejected& value : *rejected) {
            Context_.Report.OnPolicy(TSeverity::Warning, value.Place, TPolicyIO::NotInForce(value));
        }
    }
    CheckAllowedShells(shells);
}

// policy (machine): TimerLength=10
// policy (user): TimerLength=30, not in force: policy (machine) sets TimerLength
void TPolicyCheck::ListPolicies() {
    for (const TPolicyScope scope : PolicyScopes) {
        const std::string head = TPolicyIO::SourceName(scope) + ": ";
        const bool under = scope != PolicyScopes.front();
        for (const TIniKey& key : TCorvaneSettings::Keys) {
            const std::optional<std::string>& text = Policies_.Text(scope, key);
            if (!text) continue;
            const bool overridden = under && Policies_.Text(TPolicyScope::Machine, key).has_value();
            Context_.Report.Policy(head + key.Name + "=" + *text + (overridden ? NotInForceUnder(key.Name) : ""));
        }
        const std::vector<std::string>& names = Allowed_.NamesOf(scope);
        if (names.empty()) continue;
        Context_.Report.Policy(head + TAllowedShells::Name + "=" + JoinedText(names, ", ") +
                               (Allowed_.Scope() != scope ? NotInForceUnder(TAllowedShells::Name) : ""));
    }
}

// setting TimerLength=10: policy (machine)
// setting UseTimer=1: alice.ini
// setting FadeLauncher=1: the default
void TPolicyCheck::ListSources(const TCorvaneSettings& settings) {
    for (const TIniKey& key : TCorvaneSettings::Keys) {
        const std::optional<TPolicyScope> policy = settings.PolicyOf(key);
        const TIniFile* file = settings.FileOf(key);
        const std::string source = policy ? TPolicyIO::SourceName(*policy)
                                   : file ? Context_.Shown(file->FileName())
                                          : std::string("the default");
        Context_.Report.Policy(std::string("setting ") + key.Name + "=" + UsedValue(settings, key) + ": " + source);
    }
}

// Names that no shell has never match, and a list that matches none leaves the chooser empty.
void TPolicyCheck::CheckAllowedShells(const TShellListIO& shells) {
    const std::optional<TPolicyScope> scope = Allowed_.Scope();
    if (!scope) return;
    const std::vector<std::string> listed = shells.IniFile.ReadSection(TShellListIO::Section);
    const std::string place = TPolicyIO::Shown(*scope, TAllowedShells::Name);
    for (const std::string& name : Allowed_.NamesOf(*scope)) {
        if (!platform::System().Lists(listed, name)) Context_.Report.OnPolicy(TSeverity::Warning, place, TAllowedShells::Name + std::string(" names ") + name + ", which shells.ini does not list");
    }
    bool anyAllowed = false;
    for (const std::string& shell : listed) anyAllowed = anyAllowed || Allowed_.Allows(shell);
    if (!listed.empty() && !anyAllowed) {
        Context_.Report.OnPolicy(TSeverity::Warning, place, std::string(TAllowedShells::Name) +
                                 " allows no shell of shells.ini: the chooser offers none, and loadshell and execshell start none");
    }
}

} // namespace corvane
