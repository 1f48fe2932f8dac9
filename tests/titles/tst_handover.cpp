#include "titles/HandOver.h"

#include "model/Error.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace {

// Runs Body on a thread of its own; the thread is waited for on destruction.
class TWorker
{
public:
    explicit TWorker(std::function<void()> Body)
        : FThread(QThread::create(std::move(Body)))
    {
        FThread->start();
    }
    ~TWorker() { FThread->wait(); }
    bool Finished() const { return FThread->isFinished(); }

private:
    std::unique_ptr<QThread> FThread;
};

} // namespace

class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void callsRunInOrderOnTheReceiversThread()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        constexpr int CallCount = 20000;
        int Served = 0;
        std::atomic<int> OutOfOrder{0};
        TWorker Worker([&] {
            for (int Call = 0; Call < CallCount; ++Call)
                HandOver.Call([&, Call] {
                    if (QThread::currentThread() != Receiver.thread() || Served != Call)
                        ++OutOfOrder;
                    ++Served;
                });
        });
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Finished(), 60000);
        QCOMPARE(Served, CallCount);
        QCOMPARE(OutOfOrder.load(), 0);
    }

    void errorOfACallIsRaisedOnTheWorker()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        QString Caught;
        bool NextCallServed = false;
        TWorker Worker([&] {
            try {
                HandOver.Call([] { throw EError(QStringLiteral("handler failed")); });
            } catch (const EError& Error) {
                Caught = Error.Message();
            }
            HandOver.Call([&] { NextCallServed = true; });
        });
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Finished(), 20000);
        QCOMPARE(Caught, QStringLiteral("handler failed"));
        QVERIFY(NextCallServed);
    }

    // Calls that follow each other without a pause are served in bursts; the event
    // loop must still get its turns in between, or the window would freeze for a run.
    void eventLoopKeepsItsTurnsDuringDenseCalls()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        std::atomic<int> Calls{0};
        TWorker Worker([&] {
            QElapsedTimer Clock;
            Clock.start();
            while (Clock.elapsed() < 300)
                HandOver.Call([&] { ++Calls; });
        });
        int Turns = 0;
        QTimer EveryTurn;
        EveryTurn.setInterval(0);
        QObject::connect(&EveryTurn, &QTimer::timeout, [&] { ++Turns; });
        EveryTurn.start();
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Finished(), 30000);
        EveryTurn.stop();
        QVERIFY(Calls > 0);
        // Bursts of a few milliseconds leave the loop a hundred turns and more in 300 ms.
        QVERIFY2(Turns >= 10, qPrintable(QStringLiteral("%1 turns in 300 ms").arg(Turns)));
    }

    // Waiting for the worker on the interface thread serves its calls, so a worker
    // blocked in a hand-over can finish instead of deadlocking against the wait.
    void serveUntilServesCallsWhileWaiting()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        std::atomic<bool> Done{false};
        int Served = 0;
        TWorker Worker([&] {
            for (int Call = 0; Call < 100; ++Call)
                HandOver.Call([&] { ++Served; });
            Done = true;
            HandOver.Wake();
        });
        HandOver.ServeUntil([&] { return Done.load(); });
        QCOMPARE(Served, 100);
    }
};

QTEST_MAIN(TestHandOver)
#include "tst_handover.moc"
