#include "platform/sound/PipeWireSound.h"

#include "platform/sound/ClipStream.h"
#include "platform/sound/ConnectionPhase.h"
#include "platform/sound/PipeWireLibrary.h"
#include "platform/sound/WaveImage.h"

#include <spa/param/audio/format-utils.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

// The graph's usual rate, so that PipeWire need not resample: its resampler would
// hold a tone back by a millisecond and a half. Where the graph runs at another
// rate, PipeWire converts.
constexpr int kRate = 48000;
constexpr int kChannels = 1;
constexpr uint32_t kFrameBytes = kChannels * sizeof(qint16);
// The graph's period while the stream plays, 2.7 ms: a tone is heard within about
// two of them. The graph runs at the shortest period its active streams ask for.
constexpr const char *kPeriod = "128/48000";

timespec after(int milliseconds)
{
    return timespec{milliseconds / 1000, long(milliseconds % 1000) * 1000000L};
}

} // namespace

// The connection and the stream, touched on the thread loop's thread or with its
// lock held; the clips, handed out on PipeWire's real-time thread, under their own
// mutex, which is never held while waiting for anything.
class PipeWireSound::Line
{
public:
    using Phase = ConnectionPhase::Phase;

    Line(const PipeWireLibrary &pw, pw_thread_loop *threadLoop, const QByteArray &name, const QByteArray &iconName)
        : pw(pw)
        , threadLoop(threadLoop)
        , loop(pw.pw_thread_loop_get_loop(threadLoop))
        , name(name)
        , iconName(iconName)
    {
        clips.setLeadMilliseconds(0); // PipeWire drops nothing of a stream that starts again
    }

    ~Line()
    {
        pw.pw_thread_loop_stop(threadLoop);
        disconnect();
        if (context)
            pw.pw_context_destroy(context);
        pw_loop_destroy_source(loop, retry);
        pw_loop_destroy_source(loop, rest);
        pw.pw_thread_loop_destroy(threadLoop);
    }

    void start()
    {
        pw.pw_thread_loop_lock(threadLoop);
        retry = pw_loop_add_timer(loop, &Line::onRetry, this);
        rest = pw_loop_add_timer(loop, &Line::onRest, this);
        // The real-time client set-up: PipeWire's thread that hands over the tones
        // gets the real-time priority a desktop grants, so a busy machine does not
        // leave a hole in a tone. Made once: it reads PipeWire's configuration, which
        // a retry every few seconds should not.
        context = pw.pw_context_new(loop, pw.pw_properties_new(PW_KEY_CONFIG_NAME, "client-rt.conf", nullptr), 0);
        if (context)
            connect();
        else
            phase.settle(Phase::Silent);
        pw.pw_thread_loop_unlock(threadLoop);
        pw.pw_thread_loop_start(threadLoop);
    }

    void play(const QByteArray &pcm)
    {
        pw.pw_thread_loop_lock(threadLoop);
        if (ready) {
            {
                const std::lock_guard lock(clipsMutex);
                clips.setClip(pcm);
            }
            wake();
        }
        pw.pw_thread_loop_unlock(threadLoop);
    }

    void prepare()
    {
        pw.pw_thread_loop_lock(threadLoop);
        if (ready)
            wake();
        pw.pw_thread_loop_unlock(threadLoop);
    }

    bool hasFailed() const { return phase.hasFailed(); }
    bool isAudible() const { return phase.waitAudible(); }

private:
    void connect()
    {
        phase.settle(Phase::Connecting);
        core = pw.pw_context_connect(context, nullptr, 0);
        if (!core) {
            failed();
            return;
        }
        static const pw_core_events coreEvents = [] {
            pw_core_events events{};
            events.version = PW_VERSION_CORE_EVENTS;
            events.error = &Line::onCoreError;
            return events;
        }();
        pw_core_add_listener(core, &coreListener, &coreEvents, this);

        // How mixers name the game and remember its volume, and the period it needs.
        pw_properties *properties = pw.pw_properties_new(
            PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback", PW_KEY_MEDIA_ROLE, "Game",
            PW_KEY_APP_NAME, name.constData(), PW_KEY_APP_ICON_NAME, iconName.constData(),
            PW_KEY_NODE_LATENCY, kPeriod, nullptr);
        stream = pw.pw_stream_new(core, "Tones", properties);
        if (!stream) {
            failed();
            return;
        }
        static const pw_stream_events streamEvents = [] {
            pw_stream_events events{};
            events.version = PW_VERSION_STREAM_EVENTS;
            events.state_changed = &Line::onStreamState;
            events.process = &Line::onProcess;
            return events;
        }();
        pw.pw_stream_add_listener(stream, &streamListener, &streamEvents, this);

        uint8_t buffer[512];
        spa_pod_builder builder{};
        spa_pod_builder_init(&builder, buffer, sizeof buffer);
        spa_audio_info_raw format{};
        format.format = SPA_AUDIO_FORMAT_S16;
        format.rate = kRate;
        format.channels = kChannels;
        format.position[0] = SPA_AUDIO_CHANNEL_MONO;
        const spa_pod *params[] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &format)};
        active = false;
        const auto flags = pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS
                                           | PW_STREAM_FLAG_RT_PROCESS | PW_STREAM_FLAG_INACTIVE);
        if (pw.pw_stream_connect(stream, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1) < 0)
            failed();
    }

    void disconnect()
    {
        ready = false;
        if (stream) {
            spa_hook_remove(&streamListener);
            pw.pw_stream_destroy(stream);
            stream = nullptr;
        }
        if (core) {
            spa_hook_remove(&coreListener);
            pw.pw_core_disconnect(core);
            core = nullptr;
        }
        const std::lock_guard lock(clipsMutex);
        clips.take(clips.pendingBytes()); // what a new stream would play late
    }

    // Silent until a later attempt finds a server; the objects are let go from the
    // timer, never inside their own callbacks.
    void failed()
    {
        ready = false;
        phase.settle(Phase::Silent);
        timespec value = after(ConnectionPhase::kRetryMilliseconds);
        pw_loop_update_timer(loop, retry, &value, nullptr, false);
    }

    void wake()
    {
        if (!active) {
            pw.pw_stream_set_active(stream, true);
            active = true;
        }
        timespec value = after(ConnectionPhase::kReadyMilliseconds);
        pw_loop_update_timer(loop, rest, &value, nullptr, false);
    }

    static void onCoreError(void *self, uint32_t id, int, int result, const char *)
    {
        // The server went away.
        if (id == PW_ID_CORE && result == -EPIPE)
            static_cast<Line *>(self)->failed();
    }

    static void onStreamState(void *self, pw_stream_state, pw_stream_state state, const char *)
    {
        auto *line = static_cast<Line *>(self);
        switch (state) {
        case PW_STREAM_STATE_PAUSED:
        case PW_STREAM_STATE_STREAMING:
            line->ready = true;
            line->phase.settle(Phase::Audible);
            break;
        case PW_STREAM_STATE_ERROR:
        case PW_STREAM_STATE_UNCONNECTED:
            line->failed();
            break;
        default:
            break;
        }
    }

    // On PipeWire's real-time thread, once a period while the stream is active.
    static void onProcess(void *self)
    {
        auto *line = static_cast<Line *>(self);
        pw_buffer *buffer = line->pw.pw_stream_dequeue_buffer(line->stream);
        if (!buffer)
            return;
        spa_data &data = buffer->buffer->datas[0];
        if (data.data) {
            uint64_t frames = data.maxsize / kFrameBytes;
            if (buffer->requested)
                frames = std::min<uint64_t>(frames, buffer->requested);
            const auto bytes = uint32_t(frames * kFrameBytes);
            auto *to = static_cast<char *>(data.data);
            qint64 given;
            {
                const std::lock_guard lock(line->clipsMutex);
                given = line->clips.takeInto(to, bytes);
            }
            std::memset(to + given, 0, bytes - size_t(given));
            data.chunk->offset = 0;
            data.chunk->stride = kFrameBytes;
            data.chunk->size = bytes;
        }
        line->pw.pw_stream_queue_buffer(line->stream, buffer);
    }

    static void onRetry(void *self, uint64_t)
    {
        auto *line = static_cast<Line *>(self);
        line->disconnect();
        line->connect();
    }

    static void onRest(void *self, uint64_t)
    {
        auto *line = static_cast<Line *>(self);
        bool playing;
        {
            // Not held below: deactivating waits for the real-time thread.
            const std::lock_guard lock(line->clipsMutex);
            playing = line->clips.pendingBytes() > 0;
        }
        if (line->ready && line->active && !playing) {
            line->pw.pw_stream_set_active(line->stream, false);
            line->active = false;
        }
    }

    const PipeWireLibrary &pw;
    pw_thread_loop *const threadLoop;
    pw_loop *const loop;
    const QByteArray name;
    const QByteArray iconName;
    spa_source *retry{};
    spa_source *rest{};
    pw_context *context{};
    pw_core *core{};
    spa_hook coreListener{};
    pw_stream *stream{};
    spa_hook streamListener{};
    bool ready{};
    bool active{};
    ConnectionPhase phase;

    std::mutex clipsMutex;
    ClipStream clips{kChannels, kRate};
};

PipeWireSound::PipeWireSound(const QString &name, const QString &iconName)
    : m_name(name.toUtf8())
    , m_iconName(iconName.toUtf8())
{
}

PipeWireSound::~PipeWireSound() = default;

void PipeWireSound::open()
{
    if (m_line)
        return;
    const PipeWireLibrary *library = PipeWireLibrary::get();
    pw_thread_loop *loop = library ? library->pw_thread_loop_new((m_iconName + "-pipewire").constData(), nullptr)
                                   : nullptr;
    if (!loop)
        return; // no libpipewire: silent, as with no server
    m_line = std::make_unique<Line>(*library, loop, m_name, m_iconName);
    m_line->start();
}

void PipeWireSound::play(const QByteArray &image)
{
    if (!m_line)
        return;
    if (const std::optional<WaveImage> wave = WaveImage::parse(image))
        m_line->play(wave->toPcm16(kRate, kChannels));
}

void PipeWireSound::prepare()
{
    if (m_line)
        m_line->prepare();
}

bool PipeWireSound::isAudible() const
{
    return m_line && m_line->isAudible();
}

bool PipeWireSound::hasNoServer() const
{
    return !m_line || m_line->hasFailed();
}
