// The command table: the script language's eight keywords with their syntax and help texts,
// index for index. The parser recognises exactly these keywords; the factory maps each index
// to a statement class.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane::editconsts {

constexpr std::size_t KeywordCount = 8;

enum KeywordIndex : std::size_t {
    kwLoadShell = 0,
    kwExecShell = 1,
    kwIfEq = 2,
    kwEnd = 3,
    kwExec = 4,
    kwOption = 5,
    kwCopy = 6,
    kwShowMessage = 7,
};

constexpr std::array<std::string_view, KeywordCount> Keywords = {
    "loadshell", "execshell", "ifeq", "end", "exec", "option", "copy", "showmessage",
};

constexpr std::array<std::string_view, KeywordCount> KeywordSyntax = {
    "loadshell (var)",
    "execshell (var[, path, params])",
    "ifeq (var, value)",
    "end",
    "exec (path, args, workingdir)",
    "option (var, prompt, values, default)",
    "copy (src, dst)",
    "showmessage (msg)",
};

constexpr std::array<std::string_view, KeywordCount> KeywordHelp = {
    "loadshell (var): load a shell",
    "execshell (var[, path, params]): loads default shell|shell specified by path and params",
    "ifeq (var, value): compare a var with a string",
    "end: ends an ifEq statement",
    "exec (path, args, working dir): run a program",
    "option (var, prompt, values, default): show an option dialog",
    "copy (src, dst): Copy file src to dst",
    "showmessage (msg): display msg in a dialog",
};

} // namespace corvane::editconsts
