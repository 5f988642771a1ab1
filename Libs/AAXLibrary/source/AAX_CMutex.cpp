#include "AAX_CMutex.h"

#include <atomic>
#include <new>
#include <pthread.h>

// The owner is read before the platform mutex is taken. A thread can only find its own
// identifier there if it wrote it itself, and Unlock clears it before releasing, so the
// read needs no lock; it is atomic so that the unlocked read is not a data race.
struct AAX_CMutex::Record
{
    std::atomic<pthread_t> owner{pthread_t{}};
    pthread_mutex_t mutex;
};

AAX_CMutex::AAX_CMutex()
{
    mRecord = new (std::nothrow) Record;
    if (!mRecord) return;
    if (pthread_mutex_init(&mRecord->mutex, nullptr) != 0)
    {
        delete mRecord;
        mRecord = nullptr;
    }
}

AAX_CMutex::~AAX_CMutex()
{
    if (!mRecord) return;
    pthread_mutex_destroy(&mRecord->mutex);
    delete mRecord;
    mRecord = nullptr;
}

bool AAX_CMutex::Lock()
{
    if (!mRecord) return false;
    const pthread_t self = pthread_self();
    if (pthread_equal(mRecord->owner.load(std::memory_order_relaxed), self)) return false;
    if (pthread_mutex_lock(&mRecord->mutex) != 0) return false;
    mRecord->owner.store(self, std::memory_order_relaxed);
    return true;
}

void AAX_CMutex::Unlock()
{
    if (!mRecord) return;
    if (!pthread_equal(mRecord->owner.load(std::memory_order_relaxed), pthread_self())) return;
    mRecord->owner.store(pthread_t{}, std::memory_order_relaxed);
    pthread_mutex_unlock(&mRecord->mutex);
}
