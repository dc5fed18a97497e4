// The "showmessage (msg)" statement: shows a text and waits until the user dismisses it.
#pragma once

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjShowMessage final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;
};

} // namespace corvane
