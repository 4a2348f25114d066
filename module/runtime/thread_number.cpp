#include "module/runtime/thread_number.hpp"

#include <mutex>

#include "module/runtime/process_lock.hpp"

namespace marten {
namespace {

struct NumberTag;  // the process-wide lock: no two threads share a number
constinit std::uint32_t lastNumber = 0;
// Initial-exec on ELF: the slot sits in the static TLS that the loader
// keeps for loaded libraries, so reading it needs no __tls_get_addr call.
// That also spares LeakSanitizer's walk of the dynamic TLS of a module
// unloaded again, which crashes Debian 12's at exit.
#if defined(__ELF__)
#define MARTEN_TLS_MODEL __attribute__((tls_model("initial-exec")))
#else
#define MARTEN_TLS_MODEL
#endif
constinit thread_local std::uint32_t threadSlot MARTEN_TLS_MODEL = 0;  // 0: not numbered yet

}  // namespace

std::uint32_t ThreadNumber() {
    if (threadSlot == 0) {
        std::lock_guard<std::mutex> guard(ProcessLock<NumberTag>());
        threadSlot = ++lastNumber;
    }
    return threadSlot;
}

namespace {
// The module's static initialisation runs on the thread that loads it, which
// so becomes thread 1 before any other thread can ask.
const std::uint32_t loadingThread = ThreadNumber();
}  // namespace

}  // namespace marten
