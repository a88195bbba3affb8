#include "converter/program/InOrder.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// The threads, joined however InOrder ends: a thread still joinable when
// destroyed would end the process.
class Workers {
  public:
    explicit Workers(std::atomic<size_t>& next, size_t count) : next_(next), count_(count) {}
    ~Workers() {
        next_ = count_;  // what is not started is not started
        for (std::thread& thread : threads_)
            thread.join();
    }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    template <class Body>
    void Start(Body body) {
        threads_.emplace_back(body);
    }

  private:
    std::atomic<size_t>& next_;
    size_t count_;
    std::vector<std::thread> threads_;
};

}  // namespace

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
    // What a work threw, carried to this thread to be thrown where one
    // thread would have thrown it.
    std::vector<std::exception_ptr> thrown(count);
    size_t finishedCount = 0;
    const size_t threadCount = std::min(count, static_cast<size_t>(jobs));
    Workers workers(next, count);
    for (size_t t = 0; t < threadCount; ++t) {
        workers.Start([&] {
            for (size_t i; (i = next++) < count;) {
                std::exception_ptr error;
                try {
                    work(i);
                } catch (...) {
                    error = std::current_exception();
                }
                const std::lock_guard<std::mutex> lock(mutex);
                thrown[i] = error;
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
        const std::exception_ptr error = thrown[i];
        lock.unlock();
        if (error) std::rethrow_exception(error);
        done(i);
    }
}
