#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>

#include "app/Application.h"
#include "check/CheckCommand.h"
#include "config/ConfigurationTrust.h"
#include "config/CorvaneInfo.h"
#include "config/ShellCommand.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/ShellInstall.h"
#include "shell/ShellRecovery.h"
#include "shell/ShellWatcher.h"
#include "text/AsciiText.h"
#include "record/SystemEvent.h"
#include "shell/EventSource.h"

namespace corvane {

namespace {

using TOutput = TCommandLine::TOutput;
constexpr const char* ProgramName = TShellCommand::ProgramName;

int Help(const TStringList& arguments, TOutput& output);

int Version(const TStringList& arguments, TOutput& output) {
    if (!arguments.empty()) return TCommandLine::ExitUsage;
    const std::string version = platform::System().ProgramVersion();
    output.Text += std::string(ApplicationTitle) + " " + (version.empty() ? "(no version resource)" : version) + "\n";
    return TCommandLine::ExitDone;
}

int Recover(const TStringList& arguments, TOutput& output) {
    if (!arguments.empty()) return TCommandLine::ExitUsage;
    const TShellIO shellIO;
    const TShellRecovery::TReport report = TShellRecovery(shellIO).Recover();
    output.Text += report.Text;
    // At logon the RunOnce entry runs it: a box that says that nothing was to be done would wait
    // for the user for nothing.
    output.WorthABox = report.Outcome == TShellRecovery::TOutcome::Restored ||
                       report.Outcome == TShellRecovery::TOutcome::Discarded;
    return report.Outcome == TShellRecovery::TOutcome::Discarded ? TCommandLine::ExitFailed : TCommandLine::ExitDone;
}

// Whose shell --install and --uninstall change: the current user's, or with --all-users the
// machine's; nothing for other arguments.
std::optional<platform::RegistryRoot> InstallRoot(const TStringList& arguments) {
    if (arguments.empty()) return platform::RegistryRoot::CurrentUser;
    if (arguments.size() == 1 && arguments[0] == TCommandLine::AllUsersOption) return platform::RegistryRoot::LocalMachine;
    return std::nullopt;
}

// Every user's shell needs a configuration that only administrators can change; the user's own
// may lie where the user chose, and is only said to be open to others.
int Install(const TStringList& arguments, TOutput& output) {
    const std::optional<platform::RegistryRoot> root = InstallRoot(arguments);
    if (!root) return TCommandLine::ExitUsage;
    const bool everyUser = *root == platform::RegistryRoot::LocalMachine;
    const std::vector<TConfigurationTrust::TFinding> findings =
        TConfigurationTrust(TCorvaneInfo::FindProgramFolder(), TCorvaneInfo::GetCurrentUserName(), !everyUser).Check();
    if (everyUser && !findings.empty()) {
        output.Text += TConfigurationTrust::InstallRefused(findings.front()) + "\n";
        return TCommandLine::ExitFailed;
    }
    const TShellIO shellIO;
    const std::string exePath = platform::Files().ExePath();
    output.Text += TShellInstall(shellIO, *root).Install(exePath);
    if (everyUser && !TEventSource::Register(exePath)) {
        output.Text += "Note: the event source " + TEventSource::Key() +
                       " could not be registered: Event Viewer shows Corvane's events without their message file.\n";
    }
    if (!findings.empty()) {
        output.Text += "Note: " + TConfigurationTrust::Described(findings.front()) +
                       ", so others can run their programs at your logon. To mend it, " +
                       TConfigurationTrust::HowToMend(findings.front()) + "\n";
    }
    return TCommandLine::ExitDone;
}

int Uninstall(const TStringList& arguments, TOutput& output) {
    const std::optional<platform::RegistryRoot> root = InstallRoot(arguments);
    if (!root) return TCommandLine::ExitUsage;
    const TShellIO shellIO;
    bool installed = false;
    const std::string exePath = platform::Files().ExePath();
    output.Text += TShellInstall(shellIO, *root).Uninstall(exePath, installed);
    if (*root == platform::RegistryRoot::LocalMachine && !TEventSource::Unregister(exePath)) {
        output.Text += "Note: the event source " + TEventSource::Key() + " could not be removed.\n";
    }
    return TCommandLine::ExitDone;
}

// The guard of the launcher whose process id follows the option.
int Guard(const TStringList& arguments, TOutput& output) {
    std::uint32_t launcher = 0;
    const std::string& id = arguments.empty() ? std::string() : arguments[0];
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), launcher);
    if (arguments.size() != 1 || id.empty() || error != std::errc() || end != id.data() + id.size()) {
        return TCommandLine::ExitUsage;
    }
    const TShellIO shellIO;
    output.Text += TShellRecovery(shellIO).Guard(launcher).Text;
    return TCommandLine::ExitDone;
}

// The watcher of a crash protected shell, started by the launcher that started the shell.
int Watch(const TStringList& arguments, TOutput&) {
    const std::optional<TShellWatcher::TWatch> watch = TShellWatcher::FromArguments(arguments);
    if (!watch) return TCommandLine::ExitUsage;
    const TShellIO shellIO;
    return TShellWatcher(shellIO, watch->Shell).Run(watch->Process);
}

// Checks a program folder (this program's own when none is given) as a logon would read it.
int Check(const TStringList& arguments, TOutput& output) {
    const std::optional<TCheckArguments> parsed = ParseCheckArguments(arguments);
    if (!parsed) return TCommandLine::ExitUsage;
    platform::FileSystem& files = platform::Files();
    std::string folder = parsed->Folder ? files.FullPath(*parsed->Folder) : TCorvaneInfo::FindProgramFolder();
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    if (!files.FolderExists(folder)) {
        output.Text += std::string(ProgramName) + ": cannot read the folder " + (parsed->Folder ? *parsed->Folder : folder) + "\n";
        return TCommandLine::ExitUsage;
    }
    const TCheckOptions options{folder, parsed->User ? *parsed->User : TCorvaneInfo::GetCurrentUserName(), true};
    return RunCheck(options, folder, '\\', output.Text);
}

// The last line of an option's run in the logon record: the option with its arguments and the
// exit code, and when it failed, what it reported (a quiet run's report too).
//     option --install --all-users: exit code 1: corvane.exe: ERegistryException: ...
void RecordOption(const TStringList& arguments, int code, const std::string& report) {
    std::string event = "option " + TCommandLine::Shown(arguments) + ": exit code " + std::to_string(code);
    if (code != TCommandLine::ExitDone && !report.empty()) event += ": " + report;
    RecordEvent(event);
}

// What --install and --uninstall did, in the system's event log too: an administrator looks
// there for the changes of every user's shell.
void LogOption(const TCommandLine::TOption* option, int code, const std::string& report) {
    if (option == nullptr || code == TCommandLine::ExitUsage) return;
    const bool done = code == TCommandLine::ExitDone;
    if (option->Run == Install) {
        LogEvent(done ? SystemEvent::Installed : SystemEvent::InstallFailed, report);
    } else if (option->Run == Uninstall) {
        LogEvent(done ? SystemEvent::Uninstalled : SystemEvent::UninstallFailed, report);
    }
}

const TCommandLine::TOption* Find(std::string_view name) {
    const auto& options = TCommandLine::Options();
    const auto found = std::find_if(options.begin(), options.end(),
                                    [name](const TCommandLine::TOption& option) { return option.Name == name; });
    return found == options.end() ? nullptr : &*found;
}

int Help(const TStringList& arguments, TOutput& output) {
    if (!arguments.empty()) return TCommandLine::ExitUsage;
    output.Text += "Usage: " + std::string(ProgramName) + " [option]\n"
              "Without an option the launcher runs its script (script.txt beside it).\n\nOptions:\n";
    // The launcher's own options, used by nobody else, do not widen the column.
    std::size_t width = 0;
    for (const auto& option : TCommandLine::Options()) {
        if (!option.GivenByLauncher) width = std::max(width, option.Name.size() + option.Arguments.size() + 1);
    }
    for (const auto& option : TCommandLine::Options()) {
        std::string left = std::string(option.Name) + (option.Arguments.empty() ? "" : " ") + std::string(option.Arguments);
        left.resize(std::max(width, left.size()), ' ');
        output.Text += "  " + left + "  " + std::string(option.Help) + "\n";
    }
    output.Text += "\nAdd " + std::string(TCommandLine::QuietOption) +
                   " to an option to write nothing at all, for scripts and installers: the exit code tells how it went.\n";
    output.Text += "\nExit codes: 0 done, 1 failed (--check: found errors), 2 unknown option or bad arguments (--check: a "
              "folder that cannot be read).\n";
    return TCommandLine::ExitDone;
}

} // namespace

const std::vector<TCommandLine::TOption>& TCommandLine::Options() {
    const std::string allUsers = AllUsersOption;
    static const std::vector<TOption> options{
        {HelpOption, "", "show this list of options", Help},
        {VersionOption, "", "show the version of corvane.exe", Version},
        {InstallOption, "[" + allUsers + "]",
         "make this corvane.exe the current user's shell (with " + allUsers +
             ": every user's), remembering the shell before it",
         Install},
        {UninstallOption, "[" + allUsers + "]",
         "give the current user (with " + allUsers + ": every user) back the shell that " + InstallOption +
             " remembered",
         Uninstall},
        {RecoverOption, "", "put back a shell setting that a launch left switched (killed, crashed, power cut)", Recover},
        {CheckOption, CheckUsage, "report every problem of the configuration in folder (default: this program's)", Check},
        {TShellRecovery::GuardOption, TShellRecovery::GuardArguments,
         "used by the launcher itself: guard the switch of launcher PID", Guard, true},
        {TShellWatcher::Option, TShellWatcher::OptionArguments,
         "used by the launcher itself: watch a crash protected shell and start it again when it crashes", Watch, true},
    };
    return options;
}

std::string TCommandLine::Shown(const TStringList& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        text += (text.empty() ? "" : " ") + (quote ? Quoted(argument) : argument);
    }
    return text;
}

bool TCommandLine::IsOption(const TStringList& arguments) {
    return !arguments.empty() && ((!arguments[0].empty() && arguments[0][0] == '-') || arguments[0] == HelpAlias);
}

bool TCommandLine::IsLaunchersOwn(const TStringList& arguments) {
    const TOption* option = arguments.empty() ? nullptr : Find(arguments[0]);
    return option != nullptr && option->GivenByLauncher;
}

int TCommandLine::Run(const TStringList& given) {
    TStringList arguments;
    bool quiet = false;
    for (const std::string& argument : given) {
        if (argument == QuietOption) {
            quiet = true;
        } else {
            arguments.push_back(argument);
        }
    }
    if (arguments.empty()) { // --quiet alone: nothing to do, and nothing to say but in the record
        RecordOption(given, ExitUsage, "");
        return ExitUsage;
    }
    const std::string name = arguments.at(0) == HelpAlias ? std::string(HelpOption) : arguments[0];
    const TOption* option = Find(name);
    const TStringList rest(arguments.begin() + 1, arguments.end());
    TOutput output;
    int code = ExitFailed;
    try {
        // The watcher starts while its launcher's switch runs, which is not one to put back.
        if (option != nullptr && option->Run != Recover && option->Run != Watch) {
            // Every start first puts back what an earlier launch left switched.
            const TShellIO shellIO;
            const TShellRecovery::TReport recovered = TShellRecovery(shellIO).Recover();
            if (recovered.Outcome == TShellRecovery::TOutcome::Restored ||
                recovered.Outcome == TShellRecovery::TOutcome::Discarded) {
                output.Text += recovered.Text;
            }
        }
        if (option == nullptr) {
            output.Text += std::string(ProgramName) + ": unknown option '" + arguments[0] + "'\n";
            code = ExitUsage;
        } else {
            code = option->Run(rest, output);
        }
        if (code == ExitUsage && option != nullptr) {
            output.Text += std::string(ProgramName) + ": bad arguments for " + std::string(option->Name) + "\n";
        }
    } catch (const std::exception& error) {
        output.Text += std::string(ProgramName) + ": " + ErrorLine(error) + "\n";
        code = ExitFailed;
    }
    if (code == ExitUsage) output.Text += "Run " + std::string(ProgramName) + " --help for the options.\n";
    RecordOption(arguments, code, output.Text);
    LogOption(option, code, output.Text);
    if (!quiet && (option == nullptr || !option->GivenByLauncher)) {
        platform::Messages().WriteOutput(output.Text, output.WorthABox ? platform::Dialogs::Unread::Box
                                                                        : platform::Dialogs::Unread::Dropped);
    }
    return code;
}

} // namespace corvane
