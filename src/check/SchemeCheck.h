// The check of the colour scheme that the settings name, schemes\<name>.crs: values that the
// launcher rejects and reads as their default, keys it never reads, and values that the
// chooser clamps, with the value it uses.
#pragma once

#include <string>

#include "check/CheckContext.h"
#include "check/IniCheck.h"

namespace corvane {

class TSchemeCheck {
public:
    TSchemeCheck(TCheckContext& context, const std::string& schemeName);
    void Run();

private:
    TCheckContext& Context_;
    std::string SchemeName_;
    TIniFile File_;
    TIniCheck Ini_;
};

} // namespace corvane
