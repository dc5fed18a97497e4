// What the configuration checker found: findings in the form compilers use, each on a file of
// the program folder and a line of it (or on a policy's registry key), notes said once ahead of
// them, the policies in force with where each setting comes from, the shells that the chooser
// will offer, and the counts.
#pragma once

#include <string>
#include <vector>

namespace corvane {

enum class TSeverity { Warning, Error };

struct TFinding {
    std::string File; // relative to the program folder, "\" between folders ("schemes\Default.crs")
    int Line = 0;     // from 1; 0 for a finding about the whole file
    TSeverity Severity = TSeverity::Error;
    std::string Text;
    bool InFolder = true; // false: File is a registry key, named in full
};

class TCheckReport {
public:
    void Error(const std::string& file, int line, const std::string& text);
    void Warning(const std::string& file, int line, const std::string& text);
    // A finding on a policy, at its registry key ("HKEY_LOCAL_MACHINE\Software\Policies\Corvane").
    void OnPolicy(TSeverity severity, const std::string& key, const std::string& text);
    // A remark about the check itself, said once ahead of the findings.
    void Note(const std::string& text);
    // A policy in force, or where a setting comes from; listed ahead of the shells.
    void Policy(const std::string& text);
    // One shell as the chooser will offer it.
    void Shell(const std::string& text);

    int Errors() const { return Errors_; }
    int Warnings() const { return Warnings_; }
    const std::vector<TFinding>& Findings() const { return Findings_; }

    // The report as the checker prints it: notes, policies, shells, then the findings ("file:line:
    // error: text"), grouped by file in the order in which the files were first named and
    // ordered by line within a file, and a last line with the counts. A file's name is
    // shownFolder followed by the file with separator between folders.
    std::string Text(const std::string& shownFolder, char separator) const;
    // "1 error, 2 warnings".
    static std::string Summary(int errors, int warnings);

private:
    void Add(const std::string& file, int line, TSeverity severity, const std::string& text, bool inFolder = true);

    std::vector<TFinding> Findings_;
    std::vector<std::string> Files_; // in the order first named
    std::vector<std::string> Notes_;
    std::vector<std::string> Policies_;
    std::vector<std::string> Shells_;
    int Errors_ = 0;
    int Warnings_ = 0;
};

} // namespace corvane
