// The script's variables: names without regard to letter case, text values, and the
// expansion of $name$ references in statement arguments.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// One variable's value.
class TVarPair {
public:
    explicit TVarPair(std::string value) : Value(std::move(value)) {}
    std::string Value;
};

class TStringVariables {
public:
    // Bounds on one ParseVars call, so that a value that refers to itself cannot make the
    // expansion endless or its text unbounded.
    static constexpr int MaxSubstitutions = 1000;
    static constexpr std::size_t MaxExpandedLength = 65536;

    // Defines or replaces a variable; a replaced variable moves to the end of the table and
    // takes the letter case of this name.
    void AddVar(const std::string& name, const std::string& value);
    // The variable's value, or defaultValue when there is none. A stored value equal to
    // defaultValue is reported in a message box and returned all the same.
    std::string GetVar(const std::string& name, const std::string& defaultValue) const;
    // Text with every reference (a name between two delimiters) replaced by its value, or
    // "nil" for an unknown name. The text is rescanned after every substitution.
    std::string ParseVars(const std::string& text, char delim = '$') const;

    // The message of a ParseVars call on text whose delimiter has no closing one.
    static std::string UnclosedReferenceMessage(const std::string& text);

    // The names that text refers to as it is written (before any value is put in), in order,
    // as the first pass of ParseVars finds them; unclosed is set when a delimiter is left
    // without its closing one.
    static std::vector<std::string> ReferencedNames(std::string_view text, bool& unclosed, char delim = '$');

    std::size_t Count() const { return Entries_.size(); }
    const std::string& Name(std::size_t index) const { return Entries_.at(index).first; }

private:
    // The positions of the opening and the closing delimiter of the first reference at or after
    // from: npos for the opening one when there is none, for the closing one when it is missing.
    struct TReference {
        std::size_t Open;
        std::size_t Close;
    };
    static TReference FindReference(std::string_view text, std::size_t from, char delim);

    std::vector<std::pair<std::string, std::unique_ptr<TVarPair>>>::const_iterator Find(const std::string& name) const;

    std::vector<std::pair<std::string, std::unique_ptr<TVarPair>>> Entries_;
};

} // namespace corvane
