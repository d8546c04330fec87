#include "platform/QtEventLoop.h"

#include <QMetaObject>
#include <QThread>
#include <QTimer>

QtEventLoop::QtEventLoop(QObject* parent) : QObject(parent) { clock_.start(); }

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::SetTimer(int timerId, uint32_t intervalMs) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, timerId] { FireTimer(timerId); });
    }
    // start() on a running timer restarts it with the new interval.
    timer->start(static_cast<int>(intervalMs));
}

void QtEventLoop::KillTimer(int timerId) {
    auto it = timers_.find(timerId);
    if (it != timers_.end()) it->second->stop();
}

bool QtEventLoop::IsTimerArmed(int timerId) const {
    auto it = timers_.find(timerId);
    return it != timers_.end() && it->second->isActive();
}

uint32_t QtEventLoop::TimerInterval(int timerId) const {
    return IsTimerArmed(timerId) ? static_cast<uint32_t>(timers_.at(timerId)->interval()) : 0;
}

void QtEventLoop::Post(std::function<void()> task) {
    // Queued to this object's thread (the UI thread); dropped if the loop is gone.
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

uint64_t QtEventLoop::NowMs() const { return static_cast<uint64_t>(clock_.elapsed()); }

void QtEventLoop::Sleep(uint32_t ms) { QThread::msleep(ms); }
