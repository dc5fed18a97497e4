#include "script/StringVariables.h"

#include <algorithm>

#include "platform/Platform.h"
#include "record/SystemEvent.h"

namespace corvane {

namespace {
std::string ParseVarsError(const std::string& problem, const std::string& text) {
    return "Error (ParseVars): " + problem + "\r\n" + text;
}

void ShowParseVarsError(const std::string& problem, const std::string& text) {
    ReportProblem(SystemEvent::ErrorReported, ParseVarsError(problem, text));
}
} // namespace

std::string TStringVariables::UnclosedReferenceMessage(const std::string& text) {
    return ParseVarsError("cannot find closing $ in:", text);
}

auto TStringVariables::Find(const std::string& name) const -> decltype(Entries_)::const_iterator {
    return std::find_if(Entries_.begin(), Entries_.end(),
                        [&](const auto& entry) { return platform::System().CompareText(entry.first, name) == 0; });
}

void TStringVariables::AddVar(const std::string& name, const std::string& value) {
    const auto existing = Find(name);
    if (existing != Entries_.end()) {
        Entries_.erase(existing);
    }
    Entries_.emplace_back(name, std::make_unique<TVarPair>(value));
}

std::string TStringVariables::GetVar(const std::string& name, const std::string& defaultValue) const {
    const auto entry = Find(name);
    if (entry == Entries_.end()) {
        return defaultValue;
    }
    const std::string& value = entry->second->Value;
    if (value == defaultValue) {
        ReportProblem(SystemEvent::ErrorReported, "Error (GetVar): Retrieved value same as Default value (" + defaultValue + ")");
    }
    return value;
}

auto TStringVariables::FindReference(std::string_view text, std::size_t from, char delim) -> TReference {
    const std::size_t open = text.find(delim, from);
    return {open, open == std::string_view::npos ? open : text.find(delim, open + 1)};
}

std::vector<std::string> TStringVariables::ReferencedNames(std::string_view text, bool& unclosed, char delim) {
    std::vector<std::string> names;
    unclosed = false;
    for (TReference ref = FindReference(text, 0, delim); ref.Open != std::string_view::npos;
         ref = FindReference(text, ref.Close + 1, delim)) {
        if (ref.Close == std::string_view::npos) {
            unclosed = true;
            break;
        }
        names.emplace_back(text.substr(ref.Open + 1, ref.Close - ref.Open - 1));
    }
    return names;
}

// Expands the first reference of the working text, again and again, until none is left.
// An opening delimiter without a closing one is dropped with a message; the bounds stop an
// expansion that would never end, leaving the text as far as it was expanded.
std::string TStringVariables::ParseVars(const std::string& text, char delim) const {
    std::string work = text;
    for (int substitutions = 0;; ++substitutions) {
        const auto [open, close] = FindReference(work, 0, delim);
        if (open == std::string::npos) {
            return work;
        }
        if (close == std::string::npos) {
            work.erase(open, 1);
            ReportProblem(SystemEvent::ErrorReported, UnclosedReferenceMessage(text));
            return work;
        }
        if (substitutions == MaxSubstitutions) {
            ShowParseVarsError("more than " + std::to_string(MaxSubstitutions) + " substitutions in:", text);
            return work;
        }
        const std::string value = GetVar(work.substr(open + 1, close - open - 1), "nil");
        if (work.size() - (close + 1 - open) + value.size() > MaxExpandedLength) {
            ShowParseVarsError("expanded text longer than " + std::to_string(MaxExpandedLength) + " characters in:", text);
            return work;
        }
        work.replace(open, close + 1 - open, value);
    }
}

} // namespace corvane
