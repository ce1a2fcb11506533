#pragma once

#include <string>

namespace tarvello {

class Launcher {
public:
    virtual ~Launcher() = default;

    // Opens the address with the desktop's opener and returns at once.
    virtual void openUrl(const std::string& address) = 0;
};

}  // namespace tarvello
