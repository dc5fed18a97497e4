// The window metrics store over the per-user settings file. The launcher stores and restores
// no window position or size, so it holds the file and nothing more.
#pragma once

#include "config/IniFile.h"

namespace corvane {

class TFormMetricsIO {
public:
    explicit TFormMetricsIO(const TIniFile& iniFile) : IniFile(iniFile) {}

    const TIniFile& IniFile; // not owned
};

} // namespace corvane
