// SPDX-License-Identifier: MIT
// One window per settings file, and the signals that close it: a later start
// on the same file asks the first to show itself instead of opening a second
// window on the same plan; SIGTERM, SIGHUP and SIGINT close the window as its
// close box does, from the message loop.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <csignal>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "ui/close_signals.h"
#include "ui/qt_test_support.h"
#include "ui/single_instance.h"

namespace nestora::testing {
namespace {

// Asks from another thread, as a second process would, while this one's
// message loop answers.
bool AskFromAnotherStart(const SingleInstance& later, const QString& document = {}) {
    std::atomic<bool> done = false;
    bool answered = false;
    std::thread asking([&] {
        answered = later.askFirstToShow(5000, document);
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    asking.join();
    return answered;
}

TEST(OneWindow, ALaterStartOnTheSameFileAsksTheFirstToShow) {
    App();
    QTemporaryDir runtime;
    const std::string plan = runtime.filePath("plan/nestora.fig").toStdString();
    SingleInstance first(plan, runtime.path());
    ASSERT_TRUE(first.first());
    int shown = 0;
    QStringList documents;
    first.onShowRequest([&](const QString& document) {
        ++shown;
        documents << document;
    });

    const SingleInstance later(plan, runtime.path());
    EXPECT_FALSE(later.first());
    EXPECT_TRUE(AskFromAnotherStart(later));
    EXPECT_EQ(shown, 1);
    // A later start on a plan document hands it over, its path made whole.
    EXPECT_TRUE(AskFromAnotherStart(later, "retire ü\n%.nestora"));
    EXPECT_EQ(documents,
              QStringList({"", QDir::current().absoluteFilePath("retire ü\n%.nestora")}));

    // Another settings file has a window of its own.
    const SingleInstance other(runtime.filePath("other/nestora.fig").toStdString(), runtime.path());
    EXPECT_TRUE(other.first());
    EXPECT_EQ(InstanceName(plan),
              InstanceName(runtime.filePath("plan/./nestora.fig").toStdString()))
        << "one file, one name";
}

TEST(OneWindow, TheLockGoesWithTheFirstAndNobodyAnswersForAFileWithoutOne) {
    App();
    QTemporaryDir runtime;
    const std::string plan = runtime.filePath("nestora.fig").toStdString();
    {
        const SingleInstance first(plan, runtime.path());
        ASSERT_TRUE(first.first());
    }
    const SingleInstance next(plan, runtime.path());
    EXPECT_TRUE(next.first()) << "the first has ended, so the next start runs the window";
    const SingleInstance later(plan, runtime.path());
    ASSERT_FALSE(later.first());
    // A lock whose owner never listens: the later start gives up in time.
    QTemporaryDir elsewhere;
    QFile::copy(runtime.filePath(InstanceName(plan) + ".lock"),
                elsewhere.filePath(InstanceName(plan) + ".lock"));
    const SingleInstance unanswered(plan, elsewhere.path());
    ASSERT_FALSE(unanswered.first());
    EXPECT_FALSE(unanswered.askFirstToShow(300));
}

// Whatever else reaches the socket (a connection that says nothing, or
// something other than the request) is closed without showing the window,
// and the first still answers the next start.
TEST(OneWindow, StrayConnectionsNeitherShowTheWindowNorStopTheAnswers) {
    App();
    QTemporaryDir runtime;
    const std::string plan = runtime.filePath("nestora.fig").toStdString();
    SingleInstance first(plan, runtime.path());
    ASSERT_TRUE(first.first());
    int shown = 0;
    first.onShowRequest([&shown](const QString&) { ++shown; });
    const QByteArray socketPath =
        QFile::encodeName(runtime.filePath(InstanceName(plan) + ".socket"));
    for (const std::string_view said :
         {std::string_view{}, std::string_view{"open\n"}, std::string_view{"sh"},
          std::string_view{"showing more\n"}}) {
        SCOPED_TRACE(std::string(said));
        const int stray = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socketPath.constData(),
                    static_cast<std::size_t>(socketPath.size()));
        ASSERT_EQ(::connect(stray, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::write(stray, said.data(), said.size()), static_cast<ssize_t>(said.size()));
        QTest::qWait(50);
        ::close(stray);
    }
    EXPECT_EQ(shown, 0);
    const SingleInstance later(plan, runtime.path());
    EXPECT_TRUE(AskFromAnotherStart(later));
    EXPECT_EQ(shown, 1);
}

class ClosingWindow : public QWidget {
  public:
    int closes = 0;

  protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

TEST(CloseOnSignals, TermHangUpAndInterruptCloseTheWindowFromTheLoop) {
    App();
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        ClosingWindow window;
        window.show();
        const CloseOnSignals closing(window);
        ASSERT_TRUE(closing.ready());
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_EQ(window.closes, 0) << "nothing is done inside the handler";
        QTRY_COMPARE(window.closes, 1);
        EXPECT_FALSE(window.isVisible());
    }
}

// A close whose save failed: its boxes hold the window in a loop of their
// own until someone answers them.
struct WindowWithBoxes : QWidget {
    bool loopLeft = false;
    void closeEvent(QCloseEvent* event) override {
        QEventLoop boxes;
        // The second request comes while the boxes are up.
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        boxes.exec();
        loopLeft = true;
        event->ignore();
    }
};

TEST(CloseOnSignals, ASecondSignalWhileTheBoxesAreUpEndsTheProgram) {
    App();
    WindowWithBoxes window;
    window.show();
    const CloseOnSignals closing(window);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    QTRY_VERIFY(window.loopLeft);
    EXPECT_TRUE(window.isVisible()) << "the window itself was not closed: the program ends";
    // The application was told to end, which every later loop in this process
    // would obey at once; its own loop, run and left, clears that for the
    // tests that follow.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
}  // namespace nestora::testing
