// The always-on trace ring at the console's level: the real tuning window
// offscreen against the virtual processor, with the ring and, as its
// reference, without it. Two kinds of work, each on a console that is online
// and has read the processor: a fader dragged with the mouse at 60 events a
// second for 3 s, and 10 s sitting idle online.
//
// BM_TracedConsole runs in real time, the processor paced like a full-speed
// USB endpoint, and measures the process's CPU time over each; every
// repetition runs both consoles in a random order, and each side counts with
// its fastest repetition, so load from elsewhere only ever slows a run. The
// speeds printed are the reference's CPU time over the ring's: at 0.98 or
// above, the ring costs under 2 % more of the console's CPU.
//
// BM_TracedConsoleDrag/1 and /0 are the same drag in virtual time, with and
// without the ring, every event followed by the window's paint: the same
// work on every run, for callgrind's instruction counts (its
// --toggle-collect='*DragFader*'). In real time the number of paints follows
// the machine's speed, which makes two runs' counts differ by more than the ring.
#include "offscreen_console.h"

#include "link/qt_scheduler.h"

#include "core/manual_scheduler.h"

#include "sim/sim_usb_port.h"

#include "controls/skinned_fader.h"
#include "controls/slider_geometry.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <utility>

using namespace quorix;

namespace {

constexpr int kAddress = 1024;   // the main output's music level, per mode
constexpr int kFaderPage = 4;    // the page that shows it
constexpr int kDragEvents = 180; // three seconds at 60 events a second
constexpr int kEventMs = 1000 / 60;
constexpr int kDragTailMs = 500; // the last writes leave and are answered
constexpr int kIdleMs = 10000;
constexpr int kConnectLimitMs = 120000;
constexpr int kSteadyMs = 2000;

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Until `ready` has held for two seconds on end.
template <class Ready>
bool WaitUntilSteady(Ready ready)
{
    QElapsedTimer waited;
    waited.start();
    QElapsedTimer steady;
    steady.start();
    while (waited.elapsed() < kConnectLimitMs) {
        if (!ready())
            steady.restart();
        else if (steady.elapsed() >= kSteadyMs)
            return true;
        QTest::qWait(20);
    }
    return false;
}

void RunEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <class Clock>
struct TracedConsoleOn : OffscreenConsoleOn<Clock> {
    controls::SkinnedFader* fader = nullptr;
    bool connected = false;
    int scrolls = 0;

    explicit TracedConsoleOn(bool withRing) : OffscreenConsoleOn<Clock>({.simulator = true, .traceRing = withRing})
    {
        this->window.pages().showPage(kFaderPage);
        for (controls::SkinnedFader* candidate : this->window.template findChildren<controls::SkinnedFader*>())
            if (candidate->address == kAddress && candidate->isVisible())
                fader = candidate;
        if (fader)
            QObject::connect(fader, &controls::SkinnedFader::scrolled, [this] { ++scrolls; });
    }

    // Online, the link idle, and the window taking input, which it does not while it reads the processor.
    bool ready()
    {
        const link::DeviceLink& device = this->session.link();
        return device.online() && !device.replyWaitActive() && !device.requestsPending() && fader && fader->isEnabled();
    }

    // Where a press takes hold of the fader's thumb, and a pixel along its track.
    std::pair<QPoint, QPoint> grip() const
    {
        const controls::SliderGeometry g =
            controls::GeometryFor(fader->kind(), fader->hScrollSize(), fader->eqNormalStyle());
        const int along = static_cast<int>(controls::ThumbCoordinate(g, fader->position(), fader->maxValue()));
        if (g.vertical)
            return {QPoint(static_cast<int>(g.originX + g.thumbWidth / 2.0), along), QPoint(0, 1)};
        return {QPoint(along, static_cast<int>(g.originY + g.thumbHeight / 2.0)), QPoint(1, 0)};
    }
};

// The drag: along the track and back, a pixel an event, then let go.
class Drag {
public:
    explicit Drag(controls::SkinnedFader* fader, std::pair<QPoint, QPoint> grip)
        : m_fader(fader), m_start(grip.first), m_pixel(grip.second)
    {
        QTest::mousePress(m_fader, Qt::LeftButton, {}, m_start);
    }
    // Moves once; false, and lets go, after the last event.
    bool step()
    {
        if (++m_event > kDragEvents) {
            QTest::mouseRelease(m_fader, Qt::LeftButton, {}, m_start);
            return false;
        }
        const int travel = m_event <= kDragEvents / 2 ? m_event : kDragEvents - m_event;
        QTest::mouseMove(m_fader, m_start + travel * m_pixel);
        return true;
    }

private:
    controls::SkinnedFader* m_fader;
    QPoint m_start;
    QPoint m_pixel;
    int m_event = 0;
};

struct RealTimeConsole : TracedConsoleOn<link::QtScheduler> {
    explicit RealTimeConsole(bool withRing) : TracedConsoleOn<link::QtScheduler>(withRing)
    {
        session.simulatorPort()->setFullSpeedPacing(true);
        connected = fader && WaitUntilSteady([this] { return ready(); });
    }
};

struct VirtualTimeConsole : TracedConsoleOn<core::ManualScheduler> {
    explicit VirtualTimeConsole(bool withRing) : TracedConsoleOn<core::ManualScheduler>(withRing)
    {
        clock.runUntil([this] { return ready(); }, kConnectLimitMs);
        clock.advance(kSteadyMs);
        QApplication::processEvents();
        connected = ready();
    }
};

[[gnu::noinline]] void DragFaderInRealTime(RealTimeConsole& console)
{
    Drag drag(console.fader, console.grip());
    QEventLoop loop;
    QTimer moves;
    QObject::connect(&moves, &QTimer::timeout, [&] {
        if (!drag.step()) {
            moves.stop();
            QTimer::singleShot(kDragTailMs, &loop, &QEventLoop::quit);
        }
    });
    moves.start(kEventMs);
    loop.exec();
}

[[gnu::noinline]] void DragFaderInVirtualTime(VirtualTimeConsole& console)
{
    Drag drag(console.fader, console.grip());
    while (drag.step()) {
        console.clock.advance(kEventMs);
        QApplication::processEvents();
    }
    console.clock.advance(kDragTailMs);
    QApplication::processEvents();
}

struct Fastest {
    double drag = std::numeric_limits<double>::max();
    double idle = std::numeric_limits<double>::max();
};

// One console from start to end; only the drag and the idle time are timed.
bool Measure(bool withRing, Fastest& fastest)
{
    RealTimeConsole console(withRing);
    if (!console.connected)
        return false;
    double before = ProcessCpuSeconds();
    DragFaderInRealTime(console);
    double after = ProcessCpuSeconds();
    fastest.drag = std::min(fastest.drag, after - before);
    before = after;
    RunEventsFor(kIdleMs);
    after = ProcessCpuSeconds();
    fastest.idle = std::min(fastest.idle, after - before);
    return console.scrolls > 0 && console.session.link().online();
}

} // namespace

static void BM_TracedConsole(benchmark::State& state)
{
    std::mt19937 random{std::random_device{}()};
    Fastest ring;
    Fastest reference;
    for (auto _ : state) {
        const bool ringFirst = std::bernoulli_distribution()(random);
        for (const bool withRing : {ringFirst, !ringFirst}) {
            if (!Measure(withRing, withRing ? ring : reference)) {
                state.SkipWithError("the console did not come online, or the fader did not move");
                return;
            }
        }
    }
    state.counters["drag_ms"] = ring.drag * 1e3;
    state.counters["drag_reference_ms"] = reference.drag * 1e3;
    state.counters["idle_ms"] = ring.idle * 1e3;
    state.counters["idle_reference_ms"] = reference.idle * 1e3;
    std::printf("Drag: %.3fx the speed of its reference (reference CPU time / own)\n", reference.drag / ring.drag);
    std::printf("Idle: %.3fx the speed of its reference (reference CPU time / own)\n", reference.idle / ring.idle);
}
BENCHMARK(BM_TracedConsole)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_TracedConsoleDrag(benchmark::State& state)
{
    for (auto _ : state) {
        VirtualTimeConsole console(state.range(0) != 0);
        if (!console.connected) {
            state.SkipWithError("the console did not come online");
            return;
        }
        DragFaderInVirtualTime(console);
        if (console.scrolls == 0) {
            state.SkipWithError("the fader did not move");
            return;
        }
        state.counters["fader_events"] = console.scrolls;
    }
}
BENCHMARK(BM_TracedConsoleDrag)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);
