#pragma once
// Scoped lock for the wall state.
//
// Qt 5's QMutex parks contended threads with raw futex calls inside QtCore,
// which the thread sanitizer cannot see, so sanitizer runs of hosts using the
// wall would report races that the mutex in fact prevents. Under the sanitizer
// the lock hand-over is announced explicitly; otherwise this is QMutexLocker.

#include <QMutex>

#if defined(__SANITIZE_THREAD__)
#define CSIMWALL_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CSIMWALL_TSAN 1
#endif
#endif

#if defined(CSIMWALL_TSAN)
extern "C" void __tsan_acquire(void* pAddress);
extern "C" void __tsan_release(void* pAddress);
#endif

class CSimWallLocker
{
public:
    explicit CSimWallLocker(QMutex* pMutex) : m_pMutex(pMutex)
    {
        m_pMutex->lock();
#if defined(CSIMWALL_TSAN)
        __tsan_acquire(m_pMutex);
#endif
    }

    ~CSimWallLocker()
    {
#if defined(CSIMWALL_TSAN)
        __tsan_release(m_pMutex);
#endif
        m_pMutex->unlock();
    }

    CSimWallLocker(const CSimWallLocker&) = delete;
    CSimWallLocker& operator=(const CSimWallLocker&) = delete;

private:
    QMutex* m_pMutex;
};
