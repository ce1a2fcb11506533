#pragma once

namespace tarvello {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Handles every pending window event, then returns. Other handlers,
    // closing the window among them, may run inside this call.
    virtual void yield() = 0;
};

}  // namespace tarvello
