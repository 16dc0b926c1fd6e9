// BoxRecorder: the watching thread.
#include "tests/support/BoxRecorder.h"

namespace ui {

BoxRecorder::BoxRecorder(int button) : m_button(button), m_thread([this] { Run(); }) {}

BoxRecorder::~BoxRecorder() { Stop(); }

std::vector<SeenBox> BoxRecorder::Stop()
{
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    return m_boxes;
}

void BoxRecorder::Run()
{
    HWND last = nullptr;
    while (!m_stop) {
        HWND box = WaitForMessageBox(50, last);
        if (!box) continue;
        m_boxes.push_back(AnswerMessageBox(box, m_button));
        last = box;
    }
}

} // namespace ui
