#include "converter/program/InOrder.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

void InOrder(size_t count, int jobs, const std::function<void(size_t)>& work,
             const std::function<void(size_t)>& done, const std::function<void(size_t)>& waiting,
             std::chrono::milliseconds every) {
    if (jobs <= 1 || count <= 1) {
        for (size_t i = 0; i < count; ++i) {
            work(i);
            done(i);
        }
        return;
    }
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<char> finished(count, 0);
    size_t finishedCount = 0;
    std::vector<std::thread> threads;
    const size_t threadCount = std::min(count, static_cast<size_t>(jobs));
    for (size_t t = 0; t < threadCount; ++t) {
        threads.emplace_back([&] {
            for (size_t i; (i = next++) < count;) {
                work(i);
                const std::lock_guard<std::mutex> lock(mutex);
                finished[i] = 1;
                ++finishedCount;
                ready.notify_all();
            }
        });
    }
    for (size_t i = 0; i < count; ++i) {
        std::unique_lock<std::mutex> lock(mutex);
        while (finished[i] == 0) {
            if (!ready.wait_for(lock, every, [&] { return finished[i] != 0; })) {
                const size_t sofar = finishedCount;
                lock.unlock();
                waiting(sofar);
                lock.lock();
            }
        }
        lock.unlock();
        done(i);
    }
    for (std::thread& thread : threads)
        thread.join();
}
