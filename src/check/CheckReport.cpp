#include "check/CheckReport.h"

#include <algorithm>

namespace corvane {

void TCheckReport::Error(const std::string& file, int line, const std::string& text) {
    Add(file, line, TSeverity::Error, text);
}

void TCheckReport::Warning(const std::string& file, int line, const std::string& text) {
    Add(file, line, TSeverity::Warning, text);
}

void TCheckReport::OnPolicy(TSeverity severity, const std::string& key, const std::string& text) {
    Add(key, 0, severity, text, false);
}

void TCheckReport::Add(const std::string& file, int line, TSeverity severity, const std::string& text, bool inFolder) {
    if (std::find(Files_.begin(), Files_.end(), file) == Files_.end()) Files_.push_back(file);
    Findings_.push_back({file, line, severity, text, inFolder});
    ++(severity == TSeverity::Error ? Errors_ : Warnings_);
}

void TCheckReport::Note(const std::string& text) {
    if (std::find(Notes_.begin(), Notes_.end(), text) == Notes_.end()) Notes_.push_back(text);
}

void TCheckReport::Policy(const std::string& text) { Policies_.push_back(text); }

void TCheckReport::Shell(const std::string& text) { Shells_.push_back(text); }

std::string TCheckReport::Summary(int errors, int warnings) {
    return std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
           (warnings == 1 ? " warning" : " warnings");
}

std::string TCheckReport::Text(const std::string& shownFolder, char separator) const {
    std::string text;
    for (const std::string& note : Notes_) text += "note: " + note + "\n";
    for (const std::string& policy : Policies_) text += policy + "\n";
    for (const std::string& shell : Shells_) text += shell + "\n";
    std::vector<const TFinding*> ordered;
    for (const TFinding& finding : Findings_) ordered.push_back(&finding);
    const auto fileOrder = [this](const TFinding* f) { return std::find(Files_.begin(), Files_.end(), f->File) - Files_.begin(); };
    std::stable_sort(ordered.begin(), ordered.end(), [&](const TFinding* a, const TFinding* b) {
        return fileOrder(a) != fileOrder(b) ? fileOrder(a) < fileOrder(b) : a->Line < b->Line;
    });
    for (const TFinding* finding : ordered) {
        std::string file = finding->File;
        if (finding->InFolder) {
            std::replace(file.begin(), file.end(), '\\', separator);
            text += shownFolder;
        }
        text += file;
        if (finding->Line > 0) {
            text += ':';
            text += std::to_string(finding->Line);
        }
        text += finding->Severity == TSeverity::Error ? ": error: " : ": warning: ";
        text += finding->Text;
        text += '\n';
    }
    return text + Summary(Errors_, Warnings_) + "\n";
}

} // namespace corvane
