#include <windows.h>

#include <atomic>

#include "cli/interrupt_watch.h"
#include "device/cancel_request.h"

namespace somvix {

namespace {

// The console calls its handler with no context of ours: the one request it serves.
std::atomic<CancelRequest*> g_pCancel{nullptr};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT) {
        return FALSE;  // closing the console or logging off takes its usual course
    }
    CancelRequest* cancel = g_pCancel.exchange(nullptr);
    if (cancel == nullptr) {
        return FALSE;  // the next Ctrl+C takes its usual course
    }
    cancel->Request();
    return TRUE;
}

}  // namespace

void WatchForInterrupt(CancelRequest& cancel) {
    g_pCancel.store(&cancel);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

}  // namespace somvix
