// OnTwoThreads: runs two independent pieces of work at once, the second on a
// thread of its own, when the work is worth a thread and the machine has a
// second core; else one after the other. Returns when both are done.
#pragma once

#include <thread>

namespace corvane {

template <typename First, typename Second>
void OnTwoThreads(bool worthAThread, First first, Second second) {
  if (!worthAThread || std::thread::hardware_concurrency() < 2) {
    first();
    second();
    return;
  }
  std::thread helper(second);
  first();
  helper.join();
}

}  // namespace corvane
