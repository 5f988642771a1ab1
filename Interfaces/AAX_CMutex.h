#pragma once

// A non-recursive lock that knows its owner: a nested Lock by the holding thread returns
// false at once instead of blocking, and Unlock by any other thread is ignored. Pair them
// as: bool locked = m.Lock(); ...; if (locked) m.Unlock();
// If the platform lock cannot be set up the mutex is inert: Lock returns false.
class AAX_CMutex
{
public:
    AAX_CMutex();
    // Must not run while a thread holds or waits for the lock.
    ~AAX_CMutex();

    AAX_CMutex(const AAX_CMutex&) = delete;
    AAX_CMutex& operator=(const AAX_CMutex&) = delete;

    // Blocks until the calling thread holds the lock and returns true; returns false when
    // it already holds it (or the mutex is inert).
    bool Lock();
    // Releases the lock if the calling thread holds it; otherwise does nothing.
    void Unlock();

private:
    struct Record;
    Record* mRecord = nullptr;
};
