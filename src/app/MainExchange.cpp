// How the main window runs an exchange with the meter: on a thread of its own, the window's
// event loop going on meanwhile.
#include <QCoreApplication>
#include <QEventLoop>
#include <thread>

#include "app/TFMain.h"

namespace lmr {

void TFMain::RunExchange(const std::function<void(const PostToWindow& post)>& work) {
    // Posts go to the loop, so that whatever is still queued when it is gone is dropped
    // rather than run against a handler's ended frame.
    QEventLoop loop;
    const PostToWindow post = [&loop](std::function<void()> fn) {
        QMetaObject::invokeMethod(&loop, std::move(fn), Qt::QueuedConnection);
    };
    std::atomic<bool> finished{false};
    ++exchangesRunning_;
    std::thread exchange([&] {
        work(post);
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The loop takes user input too: "Выход", the close button, "Прервать" and Escape must
    // act now. Exchanges clicked meanwhile find the link busy and say so.
    loop.exec();
    // A loop started after the application's own loop has ended returns at once; the
    // exchange then goes on under events taken here, unless the program is closing.
    while (!finished && !closing_ && !link_.CancelRequested()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    // Closing: cut the exchange short, so that the port is closed and the thread joined
    // within the bound.
    if (!finished) link_.RequestCancel();
    exchange.join();
    --exchangesRunning_;
}

}  // namespace lmr
