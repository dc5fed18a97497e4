// The base of every statement object: its arguments, the run's context and variables, the
// link to the next statement, its number, and the reports it shows to the user.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "record/SystemEvent.h"
#include "script/StringVariables.h"
#include "text/StringList.h"

namespace corvane {

class TCorvaneInfo;

class TscrObjAncestor {
public:
    // index is the statement's 0-based position in the statement list; LineNo is index + 1.
    TscrObjAncestor(const TStringList& args, TCorvaneInfo* info, TStringVariables& vars, int index);
    // Frees this statement only; whatever Next still holds is released without recursion.
    virtual ~TscrObjAncestor();
    TscrObjAncestor(const TscrObjAncestor&) = delete;
    TscrObjAncestor& operator=(const TscrObjAncestor&) = delete;

    // Runs the statement. It may replace Next (and release what it skips), never itself.
    virtual void Execute() = 0;

    // "Error (Line n): msg" and "Warning (Line n): msg" in the message box, and in the system's
    // event log as event (an error) or as a warning.
    void ReportError(const std::string& msg, const TSystemEvent& event = SystemEvent::ErrorReported) const;
    void ReportWarning(const std::string& msg) const;

    // The argument at position (from 0); raises EListError naming the position when the
    // line did not supply it.
    const std::string& Arg(int position) const;
    int ArgCount() const { return static_cast<int>(Args.size()); }

    const TStringList& Args;
    TCorvaneInfo* Info;
    TStringVariables& Vars;
    std::unique_ptr<TscrObjAncestor> Next;
    std::int32_t LineNo;
    // How many programs this statement started (loadshell, execshell and exec count each start
    // that the system took, as soon as it took it); the run adds them up.
    int ProgramsStarted = 0;
};

} // namespace corvane
