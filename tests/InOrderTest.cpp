// Work on several threads, its results told in the order of the work.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "converter/program/InOrder.h"
#include "converter/program/MapFailure.h"

namespace {

TEST(InOrder, TellsEachResultInTheOrderOfTheWork) {
    for (const int jobs : {1, 2, 5}) {
        // The first items are the slowest: later ones finish first.
        const size_t count = 12;
        std::vector<int> worked(count, 0);
        std::vector<size_t> told;
        std::mutex mutex;
        std::set<std::thread::id> workers;
        const std::thread::id caller = std::this_thread::get_id();
        std::atomic<int> waited{0};
        InOrder(
            count, jobs,
            [&](size_t i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(i < 3 ? 60 : 1));
                worked[i] = 1;
                const std::lock_guard<std::mutex> lock(mutex);
                workers.insert(std::this_thread::get_id());
            },
            [&](size_t i) {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                EXPECT_EQ(worked[i], 1) << "told before it was worked";
                told.push_back(i);
            },
            [&](size_t finished) {
                EXPECT_LE(finished, count);
                ++waited;
            },
            std::chrono::milliseconds(5));
        std::vector<size_t> inOrder(count);
        for (size_t i = 0; i < count; ++i)
            inOrder[i] = i;
        EXPECT_EQ(told, inOrder) << jobs << " jobs";
        if (jobs == 1) {
            EXPECT_EQ(workers, std::set<std::thread::id>{caller});
            EXPECT_EQ(waited, 0);
        } else {
            EXPECT_EQ(workers.count(caller), 0u);
            EXPECT_GT(workers.size(), 1u) << jobs << " jobs";
            EXPECT_GT(waited, 0) << "no word while the first item kept the others waiting";
        }
    }
}

TEST(InOrder, NoWorkAndMoreThreadsThanWork) {
    int told = 0;
    InOrder(
        0, 4, [](size_t) { FAIL(); }, [&](size_t) { ++told; }, [](size_t) {});
    EXPECT_EQ(told, 0);
    std::vector<size_t> order;
    InOrder(
        2, 64, [](size_t) {}, [&](size_t i) { order.push_back(i); }, [](size_t) {});
    EXPECT_EQ(order, (std::vector<size_t>{0, 1}));
}

// A work that throws on a worker thread does not end the process: what it
// threw comes out where one thread would have thrown it, after all before
// it are told, and nothing after it is.
TEST(InOrder, WhatAWorkThrowsComesOutInItsPlace) {
    for (const int jobs : {1, 2, 4}) {
        std::vector<size_t> told;
        try {
            InOrder(
                40, jobs,
                [&](size_t i) {
                    if (i == 7 || i == 3) throw std::runtime_error("item " + std::to_string(i));
                },
                [&](size_t i) { told.push_back(i); }, [](size_t) {});
            ADD_FAILURE() << "nothing thrown on " << jobs << " jobs";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "item 3") << jobs << " jobs";
        }
        EXPECT_EQ(told, (std::vector<size_t>{0, 1, 2})) << jobs << " jobs";
    }
}

// A map that cannot be converted at all is that map's error, worded for the
// user, and the caller goes on.
TEST(MapFailure, AnExceptionIsTheMapsLoadError) {
    const auto reported = [](const std::function<void()>& work, bool expected) {
        Diagnostics diagnostics(DiagnosticsForm::Text);
        diagnostics.Hold();
        EXPECT_EQ(FailsAlone("zones/b.tmx", diagnostics, work), expected);
        testing::internal::CaptureStderr();
        diagnostics.Flush();
        std::fflush(stderr);
        return testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(reported([] { throw std::bad_alloc(); }, false),
              "zones/b.tmx: error: there is not enough memory to convert it [load]\n");
    EXPECT_EQ(reported([] { throw std::length_error("vector::reserve"); }, false),
              "zones/b.tmx: error: its conversion stopped: vector::reserve [load]\n");
    EXPECT_EQ(reported([] { throw 42; }, false),
              "zones/b.tmx: error: its conversion stopped [load]\n");
    int worked = 0;
    EXPECT_EQ(reported([&] { ++worked; }, true), "");
    EXPECT_EQ(worked, 1);
}

}  // namespace
