#pragma once

#include "platform/ProgramEnd.h"

namespace tarvello {

class QtProgramEnd final : public ProgramEnd {
public:
    [[noreturn]] void endProgram() override;
};

}  // namespace tarvello
