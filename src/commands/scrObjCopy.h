// The "copy (src, dst)" statement: copies a file, replacing the target.
#pragma once

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjCopy final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;
};

} // namespace corvane
