// The "option" statement. Asks the user to pick one of several values and stores the answer.
#pragma once

#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjOption final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;
};

} // namespace corvane
