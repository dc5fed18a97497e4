#include "script/scrObjAncestor.h"

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "record/SystemEvent.h"

namespace corvane {

TscrObjAncestor::TscrObjAncestor(const TStringList& args, TCorvaneInfo* info, TStringVariables& vars, int index)
    : Args(args), Info(info), Vars(vars), LineNo(index + 1) {}

// Releasing a chain one link at a time keeps a long script from exhausting the stack.
TscrObjAncestor::~TscrObjAncestor() {
    std::unique_ptr<TscrObjAncestor> rest = std::move(Next);
    while (rest) {
        rest = std::move(rest->Next);
    }
}

void TscrObjAncestor::ReportError(const std::string& msg, const TSystemEvent& event) const {
    ReportProblem(event, "Error (Line " + std::to_string(LineNo) + "): " + msg);
}

void TscrObjAncestor::ReportWarning(const std::string& msg) const {
    ReportProblem(SystemEvent::WarningReported, "Warning (Line " + std::to_string(LineNo) + "): " + msg);
}

const std::string& TscrObjAncestor::Arg(int position) const {
    if (position < 0 || position >= ArgCount()) {
        throw EListError(position);
    }
    return Args[static_cast<std::size_t>(position)];
}

} // namespace corvane
