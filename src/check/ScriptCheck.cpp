#include "check/ScriptCheck.h"

#include <algorithm>

#include "check/NearestWord.h"
#include "commands/editconsts.h"
#include "config/ShellScriptIO.h"
#include "config/TextFile.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "script/CreateScriptObject.h"
#include "script/StringVariables.h"
#include "text/AsciiText.h"
#include "text/DelimitedText.h"

namespace corvane {

namespace {

constexpr char VariableMark = '$';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The line of the text at position pos, counting lines as the script reader splits them.
int LineAt(std::string_view text, std::size_t pos) {
    int line = 1;
    for (std::size_t i = 0; i < pos && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    }
    return line;
}

std::string Arguments(const TStringList& args) {
    std::string text;
    for (const std::string& arg : args) text += (text.empty() ? "[" : " [") + arg + "]";
    return text;
}

// The first line of a message the launcher shows.
std::string FirstLine(const std::string& message) { return message.substr(0, message.find_first_of("\r\n")); }

std::string Ordinal(int position) { return "argument " + std::to_string(position + 1); }

// The order of variable names as the variable table compares them (letter case ignored).
bool InVariableOrder(const std::string& a, const std::string& b) { return platform::System().CompareText(a, b) < 0; }

} // namespace

TScriptCheck::TScriptCheck(TCheckContext& context, std::string scriptFile)
    : Context_(context), File_(std::move(scriptFile)), Shown_(context.Shown(File_)), Commands_(editconsts::Commands()) {}

void TScriptCheck::Error(int line, int statement, const std::string& text) {
    Context_.Report.Error(Shown_, line, (statement > 0 ? "statement " + std::to_string(statement) + ": " : "") + text);
}

void TScriptCheck::Warning(int line, int statement, const std::string& text) {
    Context_.Report.Warning(Shown_, line, (statement > 0 ? "statement " + std::to_string(statement) + ": " : "") + text);
}

void TScriptCheck::Run() {
    platform::FileSystem& files = platform::Files();
    if (!files.FileExists(File_)) {
        Warning(0, 0, TCheckContext::MissingFile(TShellScriptIO::NoScriptMessage, " and runs loadshell (shell)"));
        return;
    }
    std::string text;
    try {
        const TTextFile file(files.ReadFile(File_), TTextFile::TKind::Script, File_);
        if (file.Encoding == TTextFile::TEncoding::Legacy && file.UnmarkedBeyondAscii) {
            Warning(0, 0, "the file is neither UTF-8 nor marked as Unicode, so the launcher reads its characters beyond "
                          "ASCII in the machine's legacy code page; to keep every character, save it as UTF-8");
        }
        text = file.Text;
    } catch (const ECorvaneError& error) { // it cannot be opened, read to its end or decoded
        Error(0, 0, std::string("the file cannot be read: the launcher stops at start with \"") + error.what() + "\"");
        return;
    }
    CheckText(text);
    TStringList lines = TShellScriptIO::SplitLines(text);
    TParseScript parser(lines, Commands_);
    const TStatementList& statements = parser.Parse();
    if (statements.empty()) {
        Warning(0, 0, "the script holds no statement: the launcher runs loadshell without a variable instead, as its "
                      "statement 2");
        return;
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        if (next < statements.size() && statements[next].Line == line) {
            CheckStatement(statements[next], static_cast<int>(next) + 1, lines[i]);
            ++next;
        } else {
            CheckDropped(line, lines[i], next < statements.size() ? static_cast<int>(next) + 1 : 0);
        }
    }
    CheckBlocks(statements);
    CheckVariables(statements);
}

// The reader ends the decoded text at the first NUL.
void TScriptCheck::CheckText(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul == std::string_view::npos) return;
    const std::string_view rest = text.substr(nul + 1);
    if (std::all_of(rest.begin(), rest.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; })) return;
    Error(LineAt(text, nul), 0, "a NUL character ends the script here: the launcher reads nothing after it");
}

std::optional<std::string> TScriptCheck::MeantKeyword(std::string_view word) const {
    std::vector<std::string> keywords;
    for (const TCommandInfo& command : Commands_.Commands()) keywords.emplace_back(command.Keyword);
    if (std::optional<std::string> near = NearestWord(word, keywords)) return near;
    std::optional<std::string> meant;
    constexpr std::size_t SharedStart = 4; // letters that a word shares with a keyword's start
    for (const std::string& keyword : keywords) {
        std::size_t shared = 0;
        while (shared < word.size() && shared < keyword.size() && AsciiLower(word[shared]) == keyword[shared]) ++shared;
        const bool beginsWithKeyword = shared == keyword.size() && keyword.size() >= 3;
        const bool beginsKeyword = shared == word.size() && word.size() >= 2;
        if (beginsWithKeyword || beginsKeyword || shared >= SharedStart) {
            if (!meant || keyword.size() < meant->size()) meant = keyword;
        }
    }
    return meant;
}

// A dropped line counts as a statement that went wrong when its first word stands alone or is
// followed by "(" (digits in between): prose goes on with more words, and a word on its own
// line ("else", "endif") or with arguments is meant as a statement.
void TScriptCheck::CheckDropped(int line, std::string_view text, int nextStatement) {
    const std::string_view word = TParseScript::KeywordRun(text);
    if (word.empty()) return;
    std::string_view rest = TParseScript::TrimLeft(text).substr(word.size());
    while (!rest.empty() && IsDigit(rest.front())) rest.remove_prefix(1);
    rest = TParseScript::TrimLeft(rest);
    if (!rest.empty() && rest.front() != '(') return;
    const std::optional<std::string> meant = MeantKeyword(word);
    std::string hint;
    if (SameTextAscii(word, "else")) {
        hint = "the script language has no else: the statements after this line are no alternative, they run as if "
               "it were not there.";
    } else if (meant) {
        hint = "did you mean " + *meant + "?";
    } else {
        for (const TCommandInfo& command : Commands_.Commands()) {
            hint += (hint.empty() ? "the keywords are " : ", ") + std::string(command.Keyword);
        }
        hint += '.';
    }
    Warning(line, 0, Quoted(word) + " is no keyword, so the launcher drops this line without a word; " + hint + " " +
                         (nextStatement > 0 ? "(The statement after it is statement " + std::to_string(nextStatement) + ".)"
                                            : "(No statement follows it.)"));
}

void TScriptCheck::CheckStatement(const TStatementEntry& entry, int number, std::string_view text) {
    const TCommandInfo& command = *Commands_.Find(entry.Keyword);
    const std::string_view word = TParseScript::KeywordRun(text);
    const std::string_view after = TParseScript::TrimLeft(text).substr(word.size());
    if (!after.empty() && IsDigit(after.front())) {
        std::size_t digits = 0;
        while (digits < after.size() && IsDigit(after[digits])) ++digits;
        Warning(entry.Line, number, Quoted(std::string(word) + std::string(after.substr(0, digits))) + " is read as " +
                                        std::string(command.Keyword) + ": the digits after the keyword are ignored");
    }
    CheckArgumentText(entry, number, text);

    std::vector<TArgumentProblem> problems;
    if (command.CheckArguments != nullptr) problems = command.CheckArguments(command, entry.Args);
    const bool tooMany = static_cast<int>(entry.Args.size()) > command.Arguments;
    for (const TArgumentProblem& problem : problems) {
        const std::string text = problem.Text + (tooMany ? "; the line gives " + Arguments(entry.Args) +
                                                               ": an argument that holds blanks or commas needs double quotes"
                                                         : std::string());
        if (problem.Error) {
            Error(entry.Line, number, text);
        } else {
            Warning(entry.Line, number, text);
        }
    }
    if (problems.empty() && tooMany) {
        Warning(entry.Line, number,
                std::string(command.Syntax) + " reads " + std::to_string(command.Arguments) + " argument" +
                    (command.Arguments == 1 ? "" : "s") + " but this line gives " + std::to_string(entry.Args.size()) +
                    ", " + Arguments(entry.Args) + ": the launcher ignores the rest; an argument that holds blanks or "
                                                   "commas needs double quotes");
    }
    if (problems.empty()) CheckProgram(entry, number, command);
}

// The argument text as the parser takes it: between the first "(" and the ")" that ends the
// arguments, a ")" inside a closed double-quoted argument not counting.
void TScriptCheck::CheckArgumentText(const TStatementEntry& entry, int number, std::string_view text) {
    const std::string arguments = TParseScript::ExtractBetween(text);
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')');
    if (open == std::string_view::npos && close == std::string_view::npos) {
        std::string_view rest = TParseScript::TrimLeft(TParseScript::TrimLeft(text).substr(TParseScript::KeywordRun(text).size()));
        while (!rest.empty() && IsDigit(rest.front())) rest.remove_prefix(1);
        rest = TParseScript::TrimLeft(rest);
        if (!rest.empty() && rest.front() != ';') {
            Warning(entry.Line, number, "the launcher reads arguments only between \"(\" and \")\": it ignores " +
                                            Quoted(rest) + " on this line");
        }
    } else if (open == std::string_view::npos && close != std::string_view::npos) {
        Warning(entry.Line, number, "there is a \")\" but no \"(\": the launcher takes everything before the \")\" as the "
                                    "arguments, the keyword included: " + Arguments(entry.Args));
    } else if (open != std::string_view::npos && arguments.empty()) {
        const std::string_view inside = TParseScript::TrimLeft(text.substr(open + 1));
        if (!inside.empty() && inside.front() != ')') {
            Warning(entry.Line, number, close != std::string_view::npos && close < open
                                            ? "the first \")\" stands before the \"(\": the launcher reads no arguments "
                                              "from this line"
                                            : "no \")\" ends the arguments: the launcher reads none from this line");
        }
    }
    for (const TDelimitedField& field : SplitDelimitedFields(arguments, ',', '"')) {
        if (field.Quoted && !field.Closed) {
            Warning(entry.Line, number, "the double quote before " + Quoted(field.Text) +
                                            " is never closed: that argument runs to the end of the arguments");
        }
    }
}

void TScriptCheck::CheckBlocks(const TStatementList& statements) {
    const std::vector<int> partner = TCreateScriptObject::PairBlocks(statements, Commands_);
    std::string opens, closes;
    for (const TCommandInfo& command : Commands_.Commands()) {
        if (command.Block == TBlockRole::Opens && opens.empty()) opens = command.Keyword;
        if (command.Block == TBlockRole::Closes && closes.empty()) closes = command.Keyword;
    }
    for (std::size_t i = 0; i < statements.size(); ++i) {
        if (partner[i] >= 0) continue;
        const TBlockRole role = Commands_.Find(statements[i].Keyword)->Block;
        const int number = static_cast<int>(i) + 1;
        if (role == TBlockRole::Closes) {
            Error(statements[i].Line, number, closes + " without its " + opens + ": the launcher stops before its first "
                                                  "statement with \"" + EListError(-1).what() + "\"");
        } else if (role == TBlockRole::Opens) {
            Error(statements[i].Line, number, opens + " without its " + closes + ": when the comparison fails, the "
                                                  "launcher skips every statement after it");
        }
    }
}

void TScriptCheck::CheckVariables(const TStatementList& statements) {
    std::vector<std::string> setNames;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const TStatementEntry& entry = statements[i];
        const TCommandInfo& command = *Commands_.Find(entry.Keyword);
        const int p = command.SetsVariable;
        if (p < 0 || p >= static_cast<int>(entry.Args.size())) continue;
        const std::string& name = entry.Args[static_cast<std::size_t>(p)];
        setNames.push_back(name);
        bool unclosed = false;
        if (!TStringVariables::ReferencedNames(name, unclosed, VariableMark).empty()) {
            Warning(entry.Line, static_cast<int>(i) + 1,
                    std::string(command.Keyword) + " stores its value in the variable named " + Quoted(name) +
                        ", dollar signs included: its " + Ordinal(p) + " is a name, used as written");
        }
    }
    std::sort(setNames.begin(), setNames.end(), InVariableOrder);
    setNames.erase(std::unique(setNames.begin(), setNames.end(),
                               [](const std::string& a, const std::string& b) { return !InVariableOrder(a, b); }),
                   setNames.end());
    for (std::size_t i = 0; i < statements.size(); ++i) {
        CheckReads(statements[i], static_cast<int>(i) + 1, *Commands_.Find(statements[i].Keyword), setNames);
    }
}

// Names compare as the variable table compares them.
void TScriptCheck::CheckReads(const TStatementEntry& entry, int number, const TCommandInfo& command,
                              const std::vector<std::string>& setNames) {
    const auto isSet = [&setNames](const std::string& name) {
        return std::binary_search(setNames.begin(), setNames.end(), name, InVariableOrder);
    };
    // Suggestions cost a comparison with every name set; a script of more names gets none.
    constexpr std::size_t MostNamesSuggested = 1000;
    const auto suggestion = [&setNames](const std::string& name) {
        if (setNames.size() > MostNamesSuggested) return std::string();
        const std::optional<std::string> meant = NearestWord(name, setNames);
        return meant ? "; did you mean " + *meant + "?" : std::string();
    };
    std::vector<std::string> setting;
    for (const TCommandInfo& other : Commands_.Commands()) {
        if (other.SetsVariable >= 0) setting.emplace_back(other.Keyword);
    }
    std::string setters = "only ";
    for (std::size_t i = 0; i < setting.size(); ++i) {
        setters += (i == 0 ? "" : i + 1 == setting.size() ? " and " : ", ") + setting[i];
    }
    setters += " set variables";
    for (int p = 0; p < static_cast<int>(entry.Args.size()) && p < command.Arguments; ++p) {
        const std::string& arg = entry.Args[static_cast<std::size_t>(p)];
        bool unclosed = false;
        const std::vector<std::string> names = TStringVariables::ReferencedNames(arg, unclosed, VariableMark);
        if (p == command.LooksUpVariable) {
            if (!names.empty()) {
                Warning(entry.Line, number, std::string(command.Keyword) + " looks up the variable named " + Quoted(arg) +
                                                ", dollar signs included: its " + Ordinal(p) +
                                                " is a name, used as written; write the name without dollar signs");
            } else if (!isSet(arg)) {
                Warning(entry.Line, number, std::string(command.Keyword) + " reads the variable " + Quoted(arg) +
                                                ", which no statement sets (" + setters + "), so it holds nil" +
                                                suggestion(arg));
            }
        } else if (command.Expands(p)) {
            if (unclosed) {
                Warning(entry.Line, number, Ordinal(p) + " " + Quoted(arg) + " has a \"$\" without its closing \"$\": the "
                                                "launcher shows \"" + FirstLine(TStringVariables::UnclosedReferenceMessage(arg)) +
                                                "\" and drops it");
            }
            for (const std::string& name : names) {
                if (isSet(name)) continue;
                Warning(entry.Line, number, "$" + name + "$ refers to a variable that no statement sets (" + setters +
                                                "): it expands to nil" + suggestion(name));
            }
        } else if (p != command.SetsVariable && !names.empty()) {
            Warning(entry.Line, number, std::string(command.Keyword) + " does not expand its " + Ordinal(p) + ": " +
                                            Quoted(arg) + " stays as written");
        }
    }
}

// A program is looked for only when its path holds no reference to a variable.
void TScriptCheck::CheckProgram(const TStatementEntry& entry, int number, const TCommandInfo& command) {
    const int p = command.StartsProgram;
    if (p < 0 || p >= static_cast<int>(entry.Args.size()) || static_cast<int>(entry.Args.size()) > command.Arguments) return;
    const std::string& path = entry.Args[static_cast<std::size_t>(p)];
    if (path.empty() || (command.Expands(p) && path.find(VariableMark) != std::string::npos)) return;
    const TNamedFile file = Context_.Locate(path);
    if (file.Relative) {
        Warning(entry.Line, number, TCheckContext::RelativeWarning("the program", path));
    } else if (file.Known && !file.Exists) {
        Warning(entry.Line, number, "the program " + Quoted(path) + " that " + std::string(command.Keyword) +
                                        " starts is not there: the launcher reports it and goes on");
    }
}

} // namespace corvane
