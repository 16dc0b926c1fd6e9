// BoxRecorder: answers the message boxes a piece of code shows on this
// thread while a second thread watches, and keeps what each one said.
#pragma once

#include "tests/support/UiDriver.h"

#include <atomic>
#include <thread>
#include <vector>

namespace ui {

// While it lives, a second thread answers each message box of this process
// with `button` (IDOK by default) and records it.
class BoxRecorder {
public:
    explicit BoxRecorder(int button = IDOK);
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    // Stops answering and returns what was seen, in order.
    std::vector<SeenBox> Stop();

private:
    void Run();
    int m_button;
    std::atomic<bool> m_stop{false};
    std::vector<SeenBox> m_boxes;  // written by the thread until Stop joins it
    std::thread m_thread;
};

} // namespace ui
