#pragma once

namespace tarvello {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;

    // Stops the process at once, from inside any handler.
    virtual void endProgram() = 0;
};

}  // namespace tarvello
