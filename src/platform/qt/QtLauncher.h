#pragma once

#include "platform/Launcher.h"

namespace tarvello {

class QtLauncher final : public Launcher {
public:
    void openUrl(const std::string& address) override;
};

}  // namespace tarvello
