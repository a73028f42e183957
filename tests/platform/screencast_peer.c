// A test peer standing in for a shared screen: a PipeWire video source stream with the
// properties a compositor gives a portal's screen cast, and a stream that watches it as a
// call program would, both until the peer is stopped. With the argument "camera" the source
// has the properties of a camera's node instead.
#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>

#include <signal.h>
#include <string.h>

static struct pw_main_loop *loop;
static const struct pw_stream_events stream_events = {.version = PW_VERSION_STREAM_EVENTS};

static void stop(int signal_number)
{
    (void)signal_number;
    pw_main_loop_quit(loop);
}

int main(int argc, char *argv[])
{
    pw_init(&argc, &argv);
    loop = pw_main_loop_new(NULL);
    signal(SIGTERM, stop);
    signal(SIGINT, stop);
    struct pw_properties *properties =
        pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                          "Capture", PW_KEY_NODE_NAME, "screen-cast-test-peer", NULL);
    if (argc > 1 && strcmp(argv[1], "camera") == 0)
        pw_properties_set(properties, PW_KEY_DEVICE_API, "v4l2");
    struct pw_stream *stream =
        pw_stream_new_simple(pw_main_loop_get_loop(loop), "screen-cast test peer", properties, &stream_events, NULL);
    uint8_t buffer[1024];
    struct spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof buffer);
    const struct spa_pod *params[1];
    params[0] = spa_format_video_raw_build(&builder, SPA_PARAM_EnumFormat,
                                           &SPA_VIDEO_INFO_RAW_INIT(.format = SPA_VIDEO_FORMAT_BGRx,
                                                                    .size = SPA_RECTANGLE(320, 240),
                                                                    .framerate = SPA_FRACTION(30, 1)));
    if (pw_stream_connect(stream, PW_DIRECTION_OUTPUT, PW_ID_ANY, PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS,
                          params, 1) < 0)
        return 1;
    struct pw_stream *viewer = pw_stream_new_simple(
        pw_main_loop_get_loop(loop), "call program test peer",
        pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture", PW_KEY_MEDIA_ROLE, "Screen",
                          PW_KEY_TARGET_OBJECT, "screen-cast-test-peer", NULL),
        &stream_events, NULL);
    if (pw_stream_connect(viewer, PW_DIRECTION_INPUT, PW_ID_ANY,
                          PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS, params, 1) < 0)
        return 1;
    pw_main_loop_run(loop);
    pw_stream_destroy(viewer);
    pw_stream_destroy(stream);
    pw_main_loop_destroy(loop);
    pw_deinit();
    return 0;
}
