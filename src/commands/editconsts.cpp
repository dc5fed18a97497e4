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
    static const TCommandTable table({
        {"loadshell", "loadshell (var)", "loadshell (var): load a shell", 1, TBlockRole::None, Make<TscrObjLoadShell>},
        {"execshell", "execshell (var[, path, params])",
         "execshell (var[, path, params]): loads default shell|shell specified by path and params", 3, TBlockRole::None,
         Make<TscrObjExecShell>},
        {"ifeq", "ifeq (var, value)", "ifeq (var, value): compare a var with a string", 2, TBlockRole::Opens,
         Make<TscrObjIfEq>},
        {"end", "end", "end: ends an ifEq statement", 0, TBlockRole::Closes, Make<TscrObjEnd>},
        {"exec", "exec (path, args, workingdir)", "exec (path, args, working dir): run a program", 3, TBlockRole::None,
         Make<TscrObjExec>},
        {"option", "option (var, prompt, values, default)",
         "option (var, prompt, values, default): show an option dialog", 4, TBlockRole::None, Make<TscrObjOption>},
        {"copy", "copy (src, dst)", "copy (src, dst): Copy file src to dst", 2, TBlockRole::None, Make<TscrObjCopy>},
        {"showmessage", "showmessage (msg)", "showmessage (msg): display msg in a dialog", 1, TBlockRole::None,
         Make<TscrObjShowMessage>},
    });
    return table;
}

} // namespace corvane::editconsts
