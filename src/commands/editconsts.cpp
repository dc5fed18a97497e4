#include "commands/editconsts.h"

#include "commands/scrObjCopy.h"
#include "commands/scrObjEnd.h"
#include "commands/scrObjExec.h"
#include "commands/scrObjExecShell.h"
#include "commands/scrObjIfEq.h"
#include "commands/scrObjLoadShell.h"
#include "commands/scrObjOption.h"
#include "commands/scrObjShowMessage.h"

namespace corvane::editconsts {

namespace {
template <typename T>
std::unique_ptr<TscrObjAncestor> Make(const TStringList& args, TCorvaneInfo* info, TStringVariables& vars, int index) {
    return std::make_unique<T>(args, info, vars, index);
}
} // namespace

const TCommandTable& Commands() {
    constexpr unsigned Arg0 = 1u, Arg1 = 2u, Arg2 = 4u;
    static const TCommandTable table({
        {"loadshell", "loadshell (var)", "loadshell (var): load a shell", 1, TBlockRole::None, Make<TscrObjLoadShell>,
         nullptr, 0},
        {"execshell", "execshell (var[, path, params])",
         "execshell (var[, path, params]): loads default shell|shell specified by path and params", 3, TBlockRole::None,
         Make<TscrObjExecShell>, TscrObjExecShell::CheckArguments, 0, -1, 0, 1},
        {"ifeq", "ifeq (var, value)", "ifeq (var, value): compare a var with a string", 2, TBlockRole::Opens,
         Make<TscrObjIfEq>, TscrObjIfEq::CheckArguments, -1, 0, Arg1},
        {"end", "end", "end: ends an ifEq statement", 0, TBlockRole::Closes, Make<TscrObjEnd>},
        {"exec", "exec (path, args, workingdir)", "exec (path, args, working dir): run a program", 3, TBlockRole::None,
         Make<TscrObjExec>, TscrObjExec::CheckArguments, -1, -1, Arg0 | Arg1 | Arg2, 0},
        {"option", "option (var, prompt, values, default)",
         "option (var, prompt, values, default): show an option dialog", 4, TBlockRole::None, Make<TscrObjOption>,
         TscrObjOption::CheckArguments, 0, -1, Arg2},
        {"copy", "copy (src, dst)", "copy (src, dst): Copy file src to dst", 2, TBlockRole::None, Make<TscrObjCopy>,
         TscrObjCopy::CheckArguments, -1, -1, Arg0 | Arg1},
        {"showmessage", "showmessage (msg)", "showmessage (msg): display msg in a dialog", 1, TBlockRole::None,
         Make<TscrObjShowMessage>, TscrObjShowMessage::CheckArguments, -1, -1, Arg0},
    });
    return table;
}

} // namespace corvane::editconsts
