#include "platform/sound/PulseSound.h"

#include "platform/sound/ClipStream.h"
#include "platform/sound/ConnectionPhase.h"
#include "platform/sound/PulseLibrary.h"
#include "platform/sound/ThreadPriority.h"
#include "platform/sound/WaveImage.h"

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <cstring>
#include <sys/time.h>

namespace {

// The clips' own format, so the server converts nothing it need not.
constexpr int kRate = 22050;
constexpr int kChannels = 1;
// What the server holds of a clip ahead of what it plays. A cut-off is heard
// after it, and a sound thread late by less never leaves a hole in a tone.
constexpr int kBufferMilliseconds = 40;
// PipeWire's pulse server runs the whole graph at a period of about half of it, and at
// the default 1024 frames (21 ms at 48 kHz) when asked for more: a tone would start a
// period late. Asked for less, the graph runs at 256 frames while the game plays, and
// at its default again once the stream rests corked.
constexpr int kPipeWireBufferMilliseconds = 10;
constexpr size_t kPadBytes = kRate * ClipStream::kPadMilliseconds / 1000 * kChannels * 2;

timeval fromNow(int milliseconds)
{
    // pa_mainloop takes its deadlines on the wall clock.
    const auto at = std::chrono::system_clock::now() + std::chrono::milliseconds(milliseconds);
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count();
    return timeval{time_t(micro / 1000000), suseconds_t(micro % 1000000)};
}

} // namespace

// The connection, the stream and the clip being handed over. Everything but the
// phase and the server's kind is touched only with the main loop's lock held: by
// its thread in the callbacks, by the user-interface thread between lock() and
// unlock().
class PulseSound::Line
{
public:
    using Phase = ConnectionPhase::Phase;

    Line(const PulseLibrary &pa, pa_threaded_mainloop *loop, const QByteArray &name, const QByteArray &iconName)
        : pa(pa)
        , loop(loop)
        , api(pa.pa_threaded_mainloop_get_api(loop))
        , name(name)
        , iconName(iconName)
    {
        pa.pa_threaded_mainloop_set_name(loop, (iconName + "-sound").constData());
    }

    ~Line()
    {
        pa.pa_threaded_mainloop_lock(loop);
        disconnect();
        for (pa_time_event *event : {retry, rest}) {
            if (event)
                api->time_free(event);
        }
        pa.pa_threaded_mainloop_unlock(loop);
        pa.pa_threaded_mainloop_stop(loop);
        pa.pa_threaded_mainloop_free(loop);
    }

    void start()
    {
        pa.pa_threaded_mainloop_lock(loop);
        connect();
        const timeval now = fromNow(0);
        api->time_new(api, &now, &Line::onStarted, this);
        pa.pa_threaded_mainloop_unlock(loop);
        pa.pa_threaded_mainloop_start(loop);
    }

    void play(const QByteArray &pcm)
    {
        pa.pa_threaded_mainloop_lock(loop);
        openWanted();
        if (streamReady) {
            clips.setClip(pcm);
            // As much as the server holds, plus what it may drop of a stream that
            // starts again, so its first request for more is not a hurried one.
            feed(pa.pa_stream_writable_size(stream) + kPadBytes);
            wake();
        }
        pa.pa_threaded_mainloop_unlock(loop);
    }

    void prepare()
    {
        pa.pa_threaded_mainloop_lock(loop);
        openWanted();
        if (streamReady)
            wake();
        pa.pa_threaded_mainloop_unlock(loop);
    }

    bool hasFailed() const { return phase.hasFailed(); }
    bool isAudible() const { return phase.waitAudible(); }
    bool isOnPipeWire() const { return onPipeWire; }

private:
    void settle(Phase settled) { phase.settle(settled); }

    void connect()
    {
        settle(Phase::Connecting);
        onPipeWire = false;
        pa_proplist *properties = pa.pa_proplist_new();
        // How mixers name the game and remember its volume.
        pa.pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, name.constData());
        pa.pa_proplist_sets(properties, PA_PROP_APPLICATION_ICON_NAME, iconName.constData());
        pa.pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
        context = pa.pa_context_new_with_proplist(api, name.constData(), properties);
        pa.pa_proplist_free(properties);
        if (!context) {
            failed();
            return;
        }
        pa.pa_context_set_state_callback(context, &Line::onContextState, this);
        // No autospawn: a game must not start a sound server of its own.
        if (pa.pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            failed();
    }

    void openStream()
    {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, kRate, kChannels};
        pa_proplist *properties = pa.pa_proplist_new();
        pa.pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
        stream = pa.pa_stream_new_with_proplist(context, "Tones", &spec, nullptr, properties);
        pa.pa_proplist_free(properties);
        if (!stream) {
            failed();
            return;
        }
        pa.pa_stream_set_state_callback(stream, &Line::onStreamState, this);
        pa.pa_stream_set_write_callback(stream, &Line::onWritable, this);
        pa_buffer_attr buffer{};
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = uint32_t(kRate * (onPipeWire ? kPipeWireBufferMilliseconds : kBufferMilliseconds) / 1000
                                  * kChannels * 2);
        buffer.prebuf = uint32_t(-1);
        buffer.minreq = uint32_t(-1);
        buffer.fragsize = uint32_t(-1);
        corked = true;
        const auto flags = pa_stream_flags_t(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        if (pa.pa_stream_connect_playback(stream, nullptr, &buffer, flags, nullptr, nullptr) < 0)
            failed();
    }

    // On PipeWire the stream is opened only when asked for: the game plays through
    // PipeWire's own layer there, and an idle second stream would show in mixers.
    void openWanted()
    {
        if (onPipeWire && !stream)
            openStream();
    }

    void disconnect()
    {
        streamReady = false;
        clips.take(clips.pendingBytes()); // what a new stream would play late
        if (stream) {
            pa.pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa.pa_stream_set_write_callback(stream, nullptr, nullptr);
            pa.pa_stream_disconnect(stream);
            pa.pa_stream_unref(stream);
            stream = nullptr;
        }
        if (context) {
            pa.pa_context_set_state_callback(context, nullptr, nullptr);
            pa.pa_context_disconnect(context);
            pa.pa_context_unref(context);
            context = nullptr;
        }
    }

    // Silent until a later attempt finds a server; the objects are let go from the
    // timer, never inside their own callbacks.
    void failed()
    {
        streamReady = false;
        settle(Phase::Silent);
        if (!retry)
            retry = at(ConnectionPhase::kRetryMilliseconds, &Line::onRetry);
    }

    pa_time_event *at(int milliseconds, pa_time_event_cb_t callback)
    {
        const timeval when = fromNow(milliseconds);
        return api->time_new(api, &when, callback, this);
    }

    void feed(size_t writable)
    {
        const QByteArray piece = clips.take(qint64(writable));
        if (!piece.isEmpty())
            pa.pa_stream_write(stream, piece.constData(), size_t(piece.size()), nullptr, 0, PA_SEEK_RELATIVE);
    }

    void cork(bool resting)
    {
        if (pa_operation *operation = pa.pa_stream_cork(stream, resting ? 1 : 0, nullptr, nullptr))
            pa.pa_operation_unref(operation);
        corked = resting;
    }

    void wake()
    {
        if (corked)
            cork(false);
        const timeval until = fromNow(ConnectionPhase::kReadyMilliseconds);
        if (rest)
            api->time_restart(rest, &until);
        else
            rest = api->time_new(api, &until, &Line::onRest, this);
    }

    static void onServerInfo(pa_context *, const pa_server_info *info, void *self)
    {
        auto *line = static_cast<Line *>(self);
        line->onPipeWire = info && info->server_name && std::strstr(info->server_name, "PipeWire");
        // PipeWire drops nothing of a stream that starts again: silence there is only delay.
        line->clips.setLeadMilliseconds(line->onPipeWire ? 0 : ClipStream::kPadMilliseconds);
        if (!line->onPipeWire)
            line->openStream();
    }

    static void onContextState(pa_context *context, void *self)
    {
        auto *line = static_cast<Line *>(self);
        switch (line->pa.pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            // Which server answers decides the stream's buffer and lead-in.
            if (pa_operation *operation = line->pa.pa_context_get_server_info(context, &Line::onServerInfo, line))
                line->pa.pa_operation_unref(operation);
            else
                line->failed();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            line->failed();
            break;
        default:
            break;
        }
    }

    static void onStreamState(pa_stream *stream, void *self)
    {
        auto *line = static_cast<Line *>(self);
        switch (line->pa.pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            line->streamReady = true;
            line->settle(Phase::Audible);
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            line->failed();
            break;
        default:
            break;
        }
    }

    static void onWritable(pa_stream *, size_t writable, void *self)
    {
        static_cast<Line *>(self)->feed(writable);
    }

    static void onRetry(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *self)
    {
        auto *line = static_cast<Line *>(self);
        api->time_free(event);
        line->retry = nullptr;
        line->disconnect();
        line->connect();
    }

    static void onStarted(pa_mainloop_api *api, pa_time_event *event, const timeval *, void *)
    {
        api->time_free(event);
        ThreadPriority::raiseThisThread();
    }

    static void onRest(pa_mainloop_api *, pa_time_event *, const timeval *, void *self)
    {
        auto *line = static_cast<Line *>(self);
        if (line->streamReady && !line->corked && line->clips.pendingBytes() == 0)
            line->cork(true);
    }

    const PulseLibrary &pa;
    pa_threaded_mainloop *const loop;
    pa_mainloop_api *const api;
    const QByteArray name;
    const QByteArray iconName;
    pa_context *context{};
    pa_stream *stream{};
    pa_time_event *retry{};
    pa_time_event *rest{};
    bool streamReady{};
    std::atomic<bool> onPipeWire{};
    bool corked{true};
    ClipStream clips{kChannels, kRate};
    ConnectionPhase phase;
};

PulseSound::PulseSound(const QString &name, const QString &iconName)
    : m_name(name.toUtf8())
    , m_iconName(iconName.toUtf8())
{
}

PulseSound::~PulseSound() = default;

void PulseSound::open()
{
    if (m_line)
        return;
    const PulseLibrary *library = PulseLibrary::get();
    pa_threaded_mainloop *loop = library ? library->pa_threaded_mainloop_new() : nullptr;
    if (!loop)
        return; // no libpulse: silent, as with no server
    m_line = std::make_unique<Line>(*library, loop, m_name, m_iconName);
    m_line->start();
}

void PulseSound::play(const QByteArray &image)
{
    if (!m_line)
        return;
    if (const std::optional<WaveImage> wave = WaveImage::parse(image))
        m_line->play(wave->toPcm16(kRate, kChannels));
}

void PulseSound::prepare()
{
    if (m_line)
        m_line->prepare();
}

bool PulseSound::isAudible() const
{
    return m_line && m_line->isAudible();
}

bool PulseSound::hasNoServer() const
{
    return !m_line || m_line->hasFailed();
}

bool PulseSound::isOnPipeWire() const
{
    return m_line && m_line->isOnPipeWire();
}
