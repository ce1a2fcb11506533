#pragma once

#include "platform/EventLoop.h"

namespace tarvello {

class QtEventLoop final : public EventLoop {
public:
    void yield() override;
};

}  // namespace tarvello
