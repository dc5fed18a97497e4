// The "option (var, prompt, values, default)" statement: asks the user to pick one of the
// values in the option prompt and stores the answer, or the default when the user cancels.
#pragma once

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjOption final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;
};

} // namespace corvane
