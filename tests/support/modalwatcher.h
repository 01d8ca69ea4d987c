#pragma once
// Acts on every modal window of type T that comes up while the watcher lives (the modal loop runs
// its timer), once per window: a test answers or closes a dialog that the code under test shows
// with exec().
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

template <class T>
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(T*)> act) : m_act(std::move(act)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* w = dynamic_cast<T*>(QApplication::activeModalWidget()); w && w != m_last) {
                m_last = w;
                ++m_seen;
                m_act(w);
            }
        });
        m_timer.start(20);
    }
    // How many windows of type T came up.
    int seen() const { return m_seen; }

private:
    std::function<void(T*)> m_act;
    QTimer m_timer;
    T* m_last = nullptr;
    int m_seen = 0;
};

}  // namespace testsupport
