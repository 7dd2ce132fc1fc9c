#pragma once
// Runs a function on the thread of a window and waits for it: the calling
// background thread blocks until the user-interface thread has carried the
// call out. Called on the window's own thread, the function runs at once.

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <type_traits>
#include <utility>

namespace pw::ui {

template <typename Function>
auto callOnGui(QObject* target, Function&& function) -> std::invoke_result_t<Function> {
    using Result = std::invoke_result_t<Function>;
    if (QThread::currentThread() == target->thread()) return function();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(target, std::forward<Function>(function), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            target, [&] { result = function(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

}  // namespace pw::ui
