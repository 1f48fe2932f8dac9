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

// Runs Body on a thread of its own and then closes the hand-over, as a run's worker
// does; the thread is waited for on destruction.
class TWorker
{
public:
    TWorker(THandOver& HandOver, std::function<void()> Body)
        : FThread(QThread::create([&HandOver, Body = std::move(Body)] {
            Body();
            HandOver.Close();
        }))
    {
        HandOver.OnClosed = [this] { ++FClosedReports; };
        FThread->start();
    }
    ~TWorker() { FThread->wait(); }
    // The receiver's event loop has heard that the worker closed the hand-over; what the
    // worker did before is visible to the receiver's thread from then on.
    bool Closed() const { return FClosedReports > 0; }
    int ClosedReports() const { return FClosedReports; }

private:
    std::unique_ptr<QThread> FThread;
    int FClosedReports = 0;
};

} // namespace

class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void callsRunInOrderOnTheReceiversThread_data()
    {
        QTest::addColumn<int>("BlockingEvery"); // every n-th call waits; the others are queued
        QTest::newRow("every call waits") << 1;
        QTest::newRow("queued calls, one waiting now and then") << 700;
        QTest::newRow("queued calls only") << 0;
    }

    void callsRunInOrderOnTheReceiversThread()
    {
        QFETCH(int, BlockingEvery);
        QObject Receiver;
        THandOver HandOver(&Receiver);
        constexpr int CallCount = 20000;
        int Served = 0;
        int OutOfOrder = 0;
        TWorker Worker(HandOver, [&] {
            for (int Call = 0; Call < CallCount; ++Call) {
                std::function<void()> Check = [&, Call] {
                    if (QThread::currentThread() != Receiver.thread() || Served != Call)
                        ++OutOfOrder;
                    ++Served;
                };
                if (BlockingEvery > 0 && Call % BlockingEvery == 0)
                    HandOver.Call(std::move(Check));
                else
                    HandOver.Queue(std::move(Check));
            }
            HandOver.Flush();
        });
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Closed(), 60000);
        QCOMPARE(Served, CallCount);
        QCOMPARE(OutOfOrder, 0);
        QCoreApplication::processEvents();
        QCOMPARE(Worker.ClosedReports(), 1);
    }

    void errorOfACallIsRaisedOnTheWorker_data()
    {
        QTest::addColumn<bool>("Queued");
        QTest::newRow("waiting call") << false;
        QTest::newRow("queued call, raised by the flush") << true;
    }

    void errorOfACallIsRaisedOnTheWorker()
    {
        QFETCH(bool, Queued);
        QObject Receiver;
        THandOver HandOver(&Receiver);
        QString Caught;
        bool QueuedAfterFailureServed = false;
        bool NextCallServed = false;
        TWorker Worker(HandOver, [&] {
            try {
                if (Queued) {
                    HandOver.Queue([] { throw EError(QStringLiteral("handler failed")); });
                    HandOver.Queue([&] { QueuedAfterFailureServed = true; });
                    HandOver.Flush();
                } else {
                    HandOver.Call([] { throw EError(QStringLiteral("handler failed")); });
                }
            } catch (const EError& Error) {
                Caught = Error.Message();
            }
            HandOver.Call([&] { NextCallServed = true; });
        });
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Closed(), 20000);
        QCOMPARE(Caught, QStringLiteral("handler failed"));
        QVERIFY(!QueuedAfterFailureServed);
        QVERIFY(NextCallServed);
    }

    // Calls that follow each other without a pause are served in bursts; the event
    // loop must still get its turns in between, or the window would freeze for a run.
    void eventLoopKeepsItsTurnsDuringDenseCalls()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        std::atomic<int> Calls{0};
        TWorker Worker(HandOver, [&] {
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
        QTRY_VERIFY_WITH_TIMEOUT(Worker.Closed(), 30000);
        EveryTurn.stop();
        QVERIFY(Calls > 0);
        // Bursts of a few milliseconds leave the loop a hundred turns and more in 300 ms.
        QVERIFY2(Turns >= 10, qPrintable(QStringLiteral("%1 turns in 300 ms").arg(Turns)));
    }

    // Waiting for the worker on the interface thread serves its calls, so a worker
    // blocked in a hand-over can finish instead of deadlocking against the wait.
    void serveUntilClosedServesCallsWhileWaiting()
    {
        QObject Receiver;
        THandOver HandOver(&Receiver);
        int Served = 0;
        TWorker Worker(HandOver, [&] {
            for (int Call = 0; Call < 100; ++Call)
                HandOver.Call([&] { ++Served; });
            for (int Call = 0; Call < 100; ++Call)
                HandOver.Queue([&] { ++Served; });
            HandOver.Flush();
        });
        HandOver.ServeUntilClosed();
        QCOMPARE(Served, 200);
        QCoreApplication::processEvents();
        QCOMPARE(Worker.ClosedReports(), 1);
    }
};

QTEST_MAIN(TestHandOver)
#include "tst_handover.moc"
